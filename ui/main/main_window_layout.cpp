// The main window's controls as designed: places in twips, colours
// &H00BBGGRR&, fonts, and the keyboard focus order.

#include <QScrollBar>

#include "engine/digits/sizing.h"
#include "ui/common/horizontal_scroll_bar.h"
#include "ui/common/fonts.h"
#include "ui/main/main_window_controls.h"
#include "ui/common/list_box.h"
#include "ui/common/design.h"

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
  colors.setColor(QPalette::Disabled, QPalette::Text, bgrColor(colors::kGrey));  // during a run
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

// Names and descriptions for screen readers, in the window's language.
void describeForScreenReaders(const MainWindowControls& c) {
  const char* const buttons[][2] = {
      {"結果出力先", "計算結果を書き出すファイルを指定します"},
      {"円周率の計算実行", "指定した桁数まで円周率を計算します"},
      {"処理カウントの指定オプション", "カウンタの表示間隔と実行形態を指定します"},
      {"ヘルプ", "ヘルプとバージョン情報を表示します"},
  };
  for (std::size_t i = 0; i < c.pictureButtons.size(); ++i) {
    c.pictureButtons[i]->image()->setAccessibleName(QString::fromUtf8(buttons[i][0]));
    c.pictureButtons[i]->image()->setAccessibleDescription(QString::fromUtf8(buttons[i][1]));
  }
  const std::pair<QWidget*, const char*> values[] = {
      {c.digitCountEdit, "有効桁数"},       {c.digitCountScrollBar, "有効桁数（１０桁単位）"},
      {c.startTimeLabel, "開始時刻"},       {c.termTotalLabel, "項の総数"},
      {c.counterLabel, "カウンタ"},         {c.endTimeLabel, "終了時刻"},
      {c.counterStepLabel, "カウンタ表示まるめ"}, {c.resultFileLabel, "結果出力先ファイル"},
      {c.digitList, "計算結果"},
  };
  for (const auto& [widget, name] : values) widget->setAccessibleName(QString::fromUtf8(name));
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
  describeForScreenReaders(c);
  return c;
}

}  // namespace zembra::ui
