// The main window's controls as designed: places in twips, colours
// &H00BBGGRR&, fonts, and the keyboard focus order.

#include <QScrollBar>

#include "engine/sizing.h"
#include "ui/main/horizontal_scroll_bar.h"
#include "ui/main/fonts.h"
#include "ui/main/main_window_controls.h"
#include "ui/main/list_box.h"
#include "ui/main/design.h"

namespace zembra::ui {
namespace {

struct LabelDesign {
  const char* name;
  const char* caption;
  QRect place;  // twips
  QColor back;
  QColor fore;
  bool autoSize;
};

CaptionLabel* makeLabel(const LabelDesign& design, QWidget* client) {
  auto* label =
      new CaptionLabel(QString::fromLatin1(design.name), QString::fromUtf8(design.caption), client);
  label->setFont(systemFont());
  label->setColors(design.back, design.fore);
  const QRect place = twipsRect(design.place.x(), design.place.y(), design.place.width(),
                                design.place.height());
  label->move(place.topLeft());
  label->setFixedSize(place.size());
  label->setAutoSize(design.autoSize);
  return label;
}

QWidget* makePictureStrip(QWidget* client, MainWindowControls& controls) {
  auto* strip = new QWidget(client);
  strip->setObjectName(QStringLiteral("Picture1"));
  strip->setGeometry(twipsRect(0, -30, 8265, 465));
  strip->setFont(pictureStripFont());
  strip->setAutoFillBackground(true);
  QPalette colors = strip->palette();
  colors.setColor(QPalette::Window, bgrColor(colors::kDarkGreen));
  colors.setColor(QPalette::WindowText, windowTextColor());
  strip->setPalette(colors);
  strip->setFocusPolicy(Qt::TabFocus);
  for (std::size_t i = 0; i < controls.pictureButtons.size(); ++i) {
    controls.pictureButtons[i] = new PictureButton(pictureButtonDesigns()[i], strip);
  }
  return strip;
}

QLineEdit* makeDigitText(QWidget* client) {
  auto* text = new QLineEdit(QStringLiteral("0"), client);
  text->setObjectName(QStringLiteral("Text17"));
  text->setGeometry(twipsRect(1395, 450, 2025, 405));
  text->setFont(systemFont());
  QPalette colors = text->palette();
  colors.setColor(QPalette::Base, bgrColor(colors::kWhite));
  colors.setColor(QPalette::Text, bgrColor(colors::kDarkPurple));
  text->setPalette(colors);
  return text;
}

QListWidget* makeList(QWidget* client) {
  QListWidget* list = makeListBox(QStringLiteral("List1"), client);
  list->setGeometry(twipsRect(0, 1530, 8205, 4080));
  return list;
}

void makeLabels(QWidget* client, MainWindowControls& c) {
  const QColor green = bgrColor(colors::kGreen);
  const QColor grey = bgrColor(colors::kLightGrey);
  const QColor purple = bgrColor(colors::kDarkPurple);
  const QColor darkBlue = bgrColor(colors::kDarkBlue);
  const QColor text = windowTextColor();
  const QColor window = windowBackgroundColor();
  c.digitCountCaption = makeLabel({"Label10", "有効桁数", {360, 495, 960, 270}, green, text, true}, client);
  c.startTimeCaption = makeLabel({"Label6", "開始時刻", {3990, 570, 960, 270}, window, purple, true}, client);
  c.counterCaption = makeLabel({"Label7", "カウンタ", {5640, 570, 960, 270}, window, purple, true}, client);
  c.endTimeCaption = makeLabel({"Label8", "終了時刻", {7110, 570, 960, 270}, window, purple, true}, client);
  c.startTimeLabel = makeLabel({"Label2", "", {3990, 900, 1065, 285}, grey, text, false}, client);
  c.termTotalLabel = makeLabel({"Label3", "", {5070, 900, 1005, 285}, grey, text, false}, client);
  c.counterLabel = makeLabel({"Label11", "", {6090, 900, 945, 285}, grey, text, false}, client);
  c.endTimeLabel = makeLabel({"Label25", "", {7065, 900, 975, 285}, grey, text, false}, client);
  c.counterStepCaption = makeLabel(
      {"Label13", "opt=", {90, 1215, 480, 270}, green, bgrColor(colors::kBlue), true}, client);
  c.counterStepLabel = makeLabel({"Label14", "", {585, 1215, 90, 270}, green, darkBlue, true}, client);
  c.resultFileCaption = makeLabel({"Label12", "out=", {1530, 1215, 480, 270}, green, darkBlue, true}, client);
  c.resultFileLabel = makeLabel({"Label1", "", {2025, 1215, 60, 270}, green, darkBlue, true}, client);
  // The value boxes centre their text and have no border: a time of day
  // (64 pixels) just fits the narrowest of them, the end time (65 pixels).
  for (CaptionLabel* box : {c.startTimeLabel, c.termTotalLabel, c.counterLabel, c.endTimeLabel}) {
    box->setAlignment(Qt::AlignCenter);
  }
}

// Scroll bar, digit count, picture strip, list; labels take no focus.
void setFocusOrder(const MainWindowControls& c) {
  QWidget::setTabOrder(c.digitCountScrollBar, c.digitCountEdit);
  QWidget::setTabOrder(c.digitCountEdit, c.pictureStrip);
  QWidget::setTabOrder(c.pictureStrip, c.digitList);
  c.digitCountScrollBar->setFocus();
}

}  // namespace

MainWindowControls buildMainWindowControls(QWidget* client) {
  MainWindowControls c;
  c.pictureStrip = makePictureStrip(client, c);
  c.digitCountEdit = makeDigitText(client);
  // The digit count in tens: 1 per arrow, 100 per page.
  c.digitCountScrollBar = new HorizontalScrollBar(static_cast<int>(kMaxDigits) / 10, 1, 100, client);
  c.digitCountScrollBar->setObjectName(QStringLiteral("HScroll1"));
  c.digitCountScrollBar->setGeometry(twipsRect(405, 855, 3015, 315));
  makeLabels(client, c);
  c.digitList = makeList(client);
  setFocusOrder(c);
  return c;
}

}  // namespace zembra::ui
