#pragma once

#include <QString>
#include <string>

#include "ui/main/program_state.h"

namespace zembra::ui {

class MainWindow;

// The commands that open a window: each opens its window modally (the call
// returns once it has closed) and then shows what changed in the main
// window's labels. The windows share nothing with the main window but the
// program state. How a window is opened is a subclass's: the program opens
// the real windows (DialogLaunchers), tests and benchmarks stand-ins.
class Launchers {
 public:
  explicit Launchers(ProgramState& state) : state_(state) {}
  virtual ~Launchers() = default;
  Launchers(const Launchers&) = delete;
  Launchers& operator=(const Launchers&) = delete;

  // The window whose labels the launchers update, and over which the windows
  // open when no other modal window is open.
  void setMainWindow(MainWindow& window) { mainWindow_ = &window; }

  // Forgets the result file and lets the user choose one; the main window
  // shows the choice, or " " when none was confirmed.
  void chooseOutputFile();
  // Lets the user choose a file to display, which is also the next run's
  // result file: the main window shows a confirmed choice at once; without
  // one, the result file and the label stay as they were.
  void chooseDisplayFile();
  void showResultViewer();
  // The main window shows the counter step afterwards, changed or not.
  void showCounterOptions();
  void showHelp();
  void showVersion();
  // Asks whether a run may replace `path`, an existing file that is not a
  // result file; false keeps the file and starts no run.
  bool confirmReplace(const std::string& path) { return askToReplace(path); }

 protected:
  ProgramState& state() { return state_; }
  MainWindow* mainWindow() const { return mainWindow_; }

  // Sets the result file; true when the user confirmed a path.
  virtual bool openFileSelection(const QString& title) = 0;
  virtual void openResultViewer() = 0;    // shows the result file
  virtual void openCounterOptions() = 0;  // sets the counter step and yielding
  virtual void openHelp() = 0;
  virtual void openVersion() = 0;
  virtual bool askToReplace(const std::string& path) = 0;  // true: replace it

 private:
  void showResultFile();  // in the main window's label

  ProgramState& state_;
  MainWindow* mainWindow_ = nullptr;
};

}  // namespace zembra::ui
