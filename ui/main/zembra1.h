#pragma once

#include "engine/window.h"
#include "ui/main/dialog_host.h"
#include "ui/main/form1.h"

namespace zembra::ui {

// The launcher procedures: each opens its window modally and then shows
// what changed in the main window's indicator labels.
class Zembra1 {
 public:
  Zembra1(GlobalState& state, Form1& form, DialogHost& dialogs);

  // Forgets the result file, lets the user choose one; Label1 shows the
  // choice, or " " when none was confirmed.
  void ChooseOutputFile();
  // Lets the user choose a file to display; ResultFilePath keeps the former
  // path when none is confirmed, and Label1 is left as it is.
  void ChooseDisplayFile();
  void ShowResultViewer();
  // Label14 shows CounterStep afterwards, changed or not.
  void ShowCounterOptions();
  void ShowHelp();
  void ShowVersion();

 private:
  GlobalState& state_;
  Form1& form_;
  DialogHost& dialogs_;
};

}  // namespace zembra::ui
