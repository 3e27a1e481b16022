#include "ui/main/commands.h"

namespace zembra::ui {
namespace {

int indexOf(const QAction* item) { return item->property("Index").toInt(); }

}  // namespace

Commands::Commands(const Form1& form, Zembra1& zembra1, RunCommand& run, ProgramEnd& programEnd)
    : zembra1_(zembra1), run_(run), programEnd_(programEnd) {
  connectMenus(form.menus());
  connectPictureButtons(form.controls());
}

void Commands::connectMenus(const Form1Menus& m) {
  connect(m.mout, &QAction::triggered, this, [this, m] { mout_Click(indexOf(m.mout)); });
  connect(m.MLIST, &QAction::triggered, this, [this, m] { MLIST_Click(indexOf(m.MLIST)); });
  connect(m.mend, &QAction::triggered, this, [this, m] { mend_Click(indexOf(m.mend)); });
  connect(m.mrun, &QAction::triggered, this, &Commands::mrun_Click);
  connect(m.mopt, &QAction::triggered, this, &Commands::mopt_Click);
  connect(m.mhelpp, &QAction::triggered, this, &Commands::mhelpp_Click);
  connect(m.mhelpv, &QAction::triggered, this, &Commands::mhelpv_Click);
}

void Commands::connectPictureButtons(const Form1Controls& c) {
  connect(c.pictureButtons[0], &PictureButton::clicked, this, &Commands::Image1_Click);
  connect(c.pictureButtons[1], &PictureButton::clicked, this, &Commands::Image2_Click);
  connect(c.pictureButtons[2], &PictureButton::clicked, this, &Commands::Image3_Click);
  connect(c.pictureButtons[3], &PictureButton::clicked, this, &Commands::Image4_Click);
}

void Commands::mout_Click(int) { zembra1_.ChooseOutputFile(); }

void Commands::MLIST_Click(int) {
  zembra1_.ChooseDisplayFile();
  zembra1_.ShowResultViewer();
}

void Commands::mend_Click(int) { programEnd_.request(); }

void Commands::mrun_Click() { run_.run(); }

void Commands::mopt_Click() { zembra1_.ShowCounterOptions(); }

void Commands::mhelpp_Click() { zembra1_.ShowHelp(); }

void Commands::mhelpv_Click() { zembra1_.ShowVersion(); }

void Commands::Image1_Click() { zembra1_.ChooseOutputFile(); }

void Commands::Image2_Click() { run_.run(); }

void Commands::Image3_Click() { zembra1_.ShowCounterOptions(); }

void Commands::Image4_Click() { zembra1_.ShowHelp(); }

}  // namespace zembra::ui
