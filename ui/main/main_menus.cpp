#include "ui/main/main_menus.h"

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

MainMenus buildMainMenus(QMenuBar* bar) {
  MainMenus m;
  m.fileMenu = addMenu(bar, "mfile", "ﾌｧｲﾙ(&F)");
  m.chooseOutputFile = addIndexedItem(m.fileMenu, "mout", 1, "結果出力先(&W)");
  addIndexedSeparator(m.fileMenu, 2);
  m.showResultFile = addIndexedItem(m.fileMenu, "MLIST", 3, "結果の表示(&D)");
  addIndexedSeparator(m.fileMenu, 4);
  m.exit = addIndexedItem(m.fileMenu, "mend", 5, "終了(&E)");

  m.runMenu = addMenu(bar, "mrung", "実行(&R)");
  m.run = addItem(m.runMenu, "mrun", "円周率の計算実行(&G)");

  m.optionsMenu = addMenu(bar, "MOPTg", "ｵﾌﾟｼｮﾝ(&O)");
  m.counterOptions = addItem(m.optionsMenu, "mopt", "処理カウントの指定オプション(&C)");

  m.helpMenu = addMenu(bar, "mhelp", "ﾍﾙﾌﾟ(&H)");
  m.help = addItem(m.helpMenu, "mhelpp", "zembraについて(&H)");
  m.version = addItem(m.helpMenu, "mhelpv", "バージョン情報(&V)");
  return m;
}

}  // namespace zembra::ui
