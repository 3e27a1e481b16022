#pragma once

#include <string>

#include "ui/common/program_state.h"
#include "ui/common/window_openers.h"

namespace zembra::ui {

class MainWindow;

// The commands that open a window: each opens its window modally through
// `windows` (the call returns once it has closed) and then shows what
// changed in the main window's labels.
class Launchers {
 public:
  Launchers(ProgramState& state, WindowOpeners& windows, MainWindow& window)
      : state_(state), windows_(windows), window_(window) {}

  // Forgets the result file and lets the user choose one; the main window
  // shows the choice, or " " when none was confirmed.
  void chooseOutputFile();
  // Lets the user choose a file to display, which is also the next run's
  // result file: the main window shows a confirmed choice at once; without
  // one, the result file and the label stay as they were.
  void chooseDisplayFile();
  void showResultViewer() { windows_.openResultViewer(); }
  // The main window shows the counter step afterwards, changed or not.
  void showCounterOptions();
  void showHelp() { windows_.openHelp(); }
  void showVersion() { windows_.openVersion(); }
  // Asks whether a run may replace `path`, an existing file that is not a
  // result file; false keeps the file and starts no run.
  bool confirmReplace(const std::string& path) { return windows_.askToReplace(path); }

 private:
  void showResultFile();  // in the main window's label

  ProgramState& state_;
  WindowOpeners& windows_;
  MainWindow& window_;
};

}  // namespace zembra::ui
