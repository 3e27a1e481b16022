#include "ui/main/form1_menus.h"

namespace zembra::ui {
namespace {

QMenu* addMenu(QMenuBar* bar, const char* name, const char* caption) {
  QMenu* menu = bar->addMenu(QString::fromUtf8(caption));
  menu->setObjectName(QString::fromLatin1(name));
  return menu;
}

QAction* addItem(QMenu* menu, const char* name, const char* caption) {
  QAction* item = menu->addAction(QString::fromUtf8(caption));
  item->setObjectName(QString::fromLatin1(name));
  return item;
}

QAction* addIndexedItem(QMenu* menu, const char* name, int index, const char* caption) {
  QAction* item = addItem(menu, name, caption);
  item->setProperty("Index", index);
  return item;
}

void addIndexedSeparator(QMenu* menu, int index) {
  menu->addSeparator()->setProperty("Index", index);
}

}  // namespace

Form1Menus buildForm1Menus(QMenuBar* bar) {
  Form1Menus m;
  m.mfile = addMenu(bar, "mfile", "ﾌｧｲﾙ(&F)");
  m.mout = addIndexedItem(m.mfile, "mout", 1, "結果出力先(&W)");
  addIndexedSeparator(m.mfile, 2);
  m.MLIST = addIndexedItem(m.mfile, "MLIST", 3, "結果の表示(&D)");
  addIndexedSeparator(m.mfile, 4);
  m.mend = addIndexedItem(m.mfile, "mend", 5, "終了(&E)");

  m.mrung = addMenu(bar, "mrung", "実行(&R)");
  m.mrun = addItem(m.mrung, "mrun", "円周率の計算実行(&G)");

  m.MOPTg = addMenu(bar, "MOPTg", "ｵﾌﾟｼｮﾝ(&O)");
  m.mopt = addItem(m.MOPTg, "mopt", "処理カウントの指定オプション(&C)");

  m.mhelp = addMenu(bar, "mhelp", "ﾍﾙﾌﾟ(&H)");
  m.mhelpp = addItem(m.mhelp, "mhelpp", "zembraについて(&H)");
  m.mhelpv = addItem(m.mhelp, "mhelpv", "バージョン情報(&V)");
  return m;
}

}  // namespace zembra::ui
