#pragma once

#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <array>

#include "ui/main/caption_label.h"
#include "ui/main/picture_button.h"

namespace zembra::ui {

// The main window's controls, by their designed names.
struct Form1Controls {
  QWidget* Picture1 = nullptr;  // the strip of picture buttons
  std::array<PictureButton*, 4> pictureButtons{};  // Image1 … Image4 with their frames and lines

  CaptionLabel* Label10 = nullptr;  // "有効桁数"
  QLineEdit* Text17 = nullptr;      // the digit count
  QScrollBar* HScroll1 = nullptr;   // the digit count in tens

  CaptionLabel* Label6 = nullptr;  // "開始時刻"
  CaptionLabel* Label7 = nullptr;  // "カウンタ"
  CaptionLabel* Label8 = nullptr;  // "終了時刻"
  CaptionLabel* Label2 = nullptr;  // start time
  CaptionLabel* Label3 = nullptr;  // total number of terms
  CaptionLabel* Label11 = nullptr;  // running term counter
  CaptionLabel* Label25 = nullptr;  // end time

  CaptionLabel* Label13 = nullptr;  // "opt="
  CaptionLabel* Label14 = nullptr;  // CounterStep
  CaptionLabel* Label12 = nullptr;  // "out="
  CaptionLabel* Label1 = nullptr;   // the result file

  QListWidget* List1 = nullptr;  // the digit lines or the 45,000-digit notice
};

// Builds every control of the main window on its client area, in its
// designed place, caption, colours and font, with the designed tab order.
Form1Controls buildForm1Controls(QWidget* client);

}  // namespace zembra::ui
