#pragma once

#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <array>

#include "ui/common/caption_label.h"
#include "ui/main/picture_button.h"

namespace zembra::ui {

// The main window's controls; each carries its designed name as its object
// name (in brackets).
struct MainWindowControls {
  QWidget* pictureStrip = nullptr;                  // [Picture1] the picture buttons' strip
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

// Builds every control of the main window on its client area, in its
// designed place, caption, colours and font, with the designed tab order.
MainWindowControls buildMainWindowControls(QWidget* client);

}  // namespace zembra::ui
