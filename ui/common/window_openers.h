#pragma once

#include <QApplication>
#include <QString>
#include <QWidget>
#include <string>

namespace zembra::ui {

// How the main window's commands open the secondary windows: each call shows
// its window modally and returns once it has closed. The windows share
// nothing with the main window but the program state. The program opens the
// real windows (DialogLaunchers); tests, the benchmark and the screenshots
// stand-ins.
class WindowOpeners {
 public:
  WindowOpeners() = default;
  virtual ~WindowOpeners() = default;
  WindowOpeners(const WindowOpeners&) = delete;
  WindowOpeners& operator=(const WindowOpeners&) = delete;

  // The window the others open over when no other modal window is open.
  void setOwner(QWidget* window) { owner_ = window; }

  // Sets the result file; true when the user confirmed a path.
  virtual bool openFileSelection(const QString& title) = 0;
  virtual void openResultViewer() = 0;    // shows the result file
  virtual void openCounterOptions() = 0;  // sets the counter step and yielding
  virtual void openHelp() = 0;
  virtual void openVersion() = 0;
  // Whether a run may replace `path`, an existing file that is not a result
  // file; true: replace it.
  virtual bool askToReplace(const std::string& path) = 0;

 protected:
  // The topmost modal window, else the owner.
  QWidget* owner() const {
    QWidget* modal = QApplication::activeModalWidget();
    return modal ? modal : owner_;
  }

 private:
  QWidget* owner_ = nullptr;
};

}  // namespace zembra::ui
