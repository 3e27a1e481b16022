#pragma once

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace zembra::ui {

// The main window's menus; each menu and item carries its designed name as
// its object name (in brackets). The items of the file menu carry their
// designed index in the property "Index" (separators 2 and 4 included).
struct MainMenus {
  QMenu* fileMenu = nullptr;            // [mfile] "ﾌｧｲﾙ(&F)"
  QAction* chooseOutputFile = nullptr;  // [mout] 1 "結果出力先(&W)"
  QAction* showResultFile = nullptr;    // [MLIST] 3 "結果の表示(&D)"
  QAction* exit = nullptr;              // [mend] 5 "終了(&E)"
  QMenu* runMenu = nullptr;             // [mrung] "実行(&R)"
  QAction* run = nullptr;               // [mrun]
  QMenu* optionsMenu = nullptr;         // [MOPTg] "ｵﾌﾟｼｮﾝ(&O)"
  QAction* counterOptions = nullptr;    // [mopt]
  QMenu* helpMenu = nullptr;            // [mhelp] "ﾍﾙﾌﾟ(&H)"
  QAction* help = nullptr;              // [mhelpp]
  QAction* version = nullptr;           // [mhelpv]
};

// Access keys only (the letter after "&"); no other shortcuts.
MainMenus buildMainMenus(QMenuBar* bar);

}  // namespace zembra::ui
