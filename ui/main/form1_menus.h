#pragma once

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace zembra::ui {

// The main window's menu tree, by the designed names. The items of the
// indexed group mout / MLIST / mend carry their Index in the property
// "Index" (separators 2 and 4 included).
struct Form1Menus {
  QMenu* mfile = nullptr;  // "ﾌｧｲﾙ(&F)"
  QAction* mout = nullptr;   // 1 "結果出力先(&W)"
  QAction* MLIST = nullptr;  // 3 "結果の表示(&D)"
  QAction* mend = nullptr;   // 5 "終了(&E)"
  QMenu* mrung = nullptr;  // "実行(&R)"
  QAction* mrun = nullptr;
  QMenu* MOPTg = nullptr;  // "ｵﾌﾟｼｮﾝ(&O)"
  QAction* mopt = nullptr;
  QMenu* mhelp = nullptr;  // "ﾍﾙﾌﾟ(&H)"
  QAction* mhelpp = nullptr;
  QAction* mhelpv = nullptr;
};

// Access keys only (the letter after "&"); no other shortcuts.
Form1Menus buildForm1Menus(QMenuBar* bar);

}  // namespace zembra::ui
