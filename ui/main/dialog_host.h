#pragma once

#include <QString>

namespace zembra::ui {

// Opens the secondary windows, each modally: the call returns when the
// window has closed. The windows share nothing with the main window but the
// global state, which they read and set themselves.
class DialogHost {
 public:
  virtual ~DialogHost() = default;

  // Form2 under the given title; a confirmed file goes into ResultFilePath.
  virtual void showFileSelection(const QString& title) = 0;
  virtual void showVersion() = 0;         // Form3
  virtual void showCounterOptions() = 0;  // Form4: CounterStep and RunMode
  virtual void showHelp() = 0;            // Form5
  virtual void showResultViewer() = 0;    // Form6: the file ResultFilePath names
};

}  // namespace zembra::ui
