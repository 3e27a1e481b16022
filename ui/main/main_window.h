#pragma once

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <array>

#include "ui/common/caption_label.h"
#include "ui/main/picture_button.h"

namespace zembra::ui {

// The main window's controls; each carries its designed name as its object
// name (in brackets).
struct MainWindowControls {
  QWidget* pictureStrip = nullptr;                 // [Picture1] the picture buttons' strip
  std::array<PictureButton*, 4> pictureButtons{};  // [Image1 … Image4] output file, run,
                                                   // counter options, help

  CaptionLabel* digitCountCaption = nullptr;  // [Label10] "有効桁数"
  QLineEdit* digitCountEdit = nullptr;        // [Text17] the digit count
  QScrollBar* digitCountScrollBar = nullptr;  // [HScroll1] the digit count in tens

  CaptionLabel* startTimeCaption = nullptr;  // [Label6] "開始時刻"
  CaptionLabel* counterCaption = nullptr;    // [Label7] "カウンタ"
  CaptionLabel* endTimeCaption = nullptr;    // [Label8] "終了時刻"
  CaptionLabel* startTimeLabel = nullptr;    // [Label2] start time
  CaptionLabel* termTotalLabel = nullptr;    // [Label3] total number of terms
  CaptionLabel* counterLabel = nullptr;      // [Label11] running term counter
  CaptionLabel* endTimeLabel = nullptr;      // [Label25] end time

  CaptionLabel* counterStepCaption = nullptr;  // [Label13] "opt="
  CaptionLabel* counterStepLabel = nullptr;    // [Label14] the counter step
  CaptionLabel* resultFileCaption = nullptr;   // [Label12] "out="
  CaptionLabel* resultFileLabel = nullptr;     // [Label1] the result file

  QListWidget* digitList = nullptr;  // [List1] the digit lines or the over-limit notice
};

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

struct ProgramState;

// The main window: its controls and menus as designed, the program state's
// start values, and the list following the window's size. What the controls
// do lives with the digit entry, the launchers and the run command.
class MainWindow final : public QMainWindow {
  Q_OBJECT

 public:
  // The client area's designed size, in twips.
  static constexpr int kClientWidth = 8220;
  static constexpr int kClientHeight = 5610;

  explicit MainWindow(ProgramState& state, QWidget* parent = nullptr);

  const MainWindowControls& controls() const { return controls_; }
  const MainMenus& menus() const { return menus_; }
  QWidget* clientArea() const { return centralWidget(); }

 signals:
  void closed();  // the user has closed the window

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void setStartState(ProgramState& state);
  void fitListToWindow();

  MainWindowControls controls_;
  MainMenus menus_;
  // The client height the list leaves free below it, in twips, taken at the
  // start: the list keeps it when the window is resized.
  float listBottomMargin_ = 0;
};

}  // namespace zembra::ui
