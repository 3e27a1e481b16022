#pragma once

#include <QObject>

#include "ui/main/form1.h"
#include "ui/main/program_end.h"
#include "ui/main/run_command.h"
#include "ui/main/zembra1.h"

namespace zembra::ui {

// The handlers of the menu items and the picture buttons: each calls its
// launcher, runs, or ends the program.
class Commands final : public QObject {
  Q_OBJECT

 public:
  Commands(const Form1& form, Zembra1& zembra1, RunCommand& run, ProgramEnd& programEnd);

 private:
  void connectMenus(const Form1Menus& menus);
  void connectPictureButtons(const Form1Controls& controls);

  void mout_Click(int index);
  void MLIST_Click(int index);
  void mend_Click(int index);
  void mrun_Click();
  void mopt_Click();
  void mhelpp_Click();
  void mhelpv_Click();
  void Image1_Click();
  void Image2_Click();
  void Image3_Click();
  void Image4_Click();

  Zembra1& zembra1_;
  RunCommand& run_;
  ProgramEnd& programEnd_;
};

}  // namespace zembra::ui
