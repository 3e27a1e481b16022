// The main window: its controls and menus as designed (places in twips,
// colours &H00BBGGRR&, fonts, the keyboard focus order), the program state's
// start values, and the list following the window's size.
#include "ui/main/main_window.h"

#include <QCloseEvent>
#include <QIcon>
#include <QScrollBar>
#include <algorithm>

#include "engine/digits/sizing.h"
#include "ui/common/design.h"
#include "ui/common/focus_frame.h"
#include "ui/common/fonts.h"
#include "ui/common/horizontal_scroll_bar.h"
#include "ui/common/list_box.h"
#include "ui/common/program_state.h"

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
  const QRect place =
      twipsRect(design.place.x(), design.place.y(), design.place.width(), design.place.height());
  label->move(place.topLeft());
  label->setFixedSize(place.size());
  label->setAutoSize(design.autoSize);
  return label;
}

// The strip with the focus frame while it has the focus.
class PictureStrip final : public QWidget {
 public:
  using QWidget::QWidget;

 protected:
  void paintEvent(QPaintEvent* event) override {
    QWidget::paintEvent(event);
    if (hasFocus()) drawFocusFrame(this, this);
  }
};

QWidget* makePictureStrip(QWidget* client, MainWindowControls& controls) {
  auto* strip = new PictureStrip(client);
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
  c.digitCountCaption =
      makeLabel({"Label10", "有効桁数", {360, 495, 960, 270}, green, text, true}, client);
  c.startTimeCaption =
      makeLabel({"Label6", "開始時刻", {3990, 570, 960, 270}, window, purple, true}, client);
  c.counterCaption =
      makeLabel({"Label7", "カウンタ", {5640, 570, 960, 270}, window, purple, true}, client);
  c.endTimeCaption =
      makeLabel({"Label8", "終了時刻", {7110, 570, 960, 270}, window, purple, true}, client);
  c.startTimeLabel = makeLabel({"Label2", "", {3990, 900, 1065, 285}, grey, text, false}, client);
  c.termTotalLabel = makeLabel({"Label3", "", {5070, 900, 1005, 285}, grey, text, false}, client);
  c.counterLabel = makeLabel({"Label11", "", {6090, 900, 945, 285}, grey, text, false}, client);
  c.endTimeLabel = makeLabel({"Label25", "", {7065, 900, 975, 285}, grey, text, false}, client);
  c.counterStepCaption = makeLabel(
      {"Label13", "opt=", {90, 1215, 480, 270}, green, bgrColor(colors::kBlue), true}, client);
  c.counterStepLabel =
      makeLabel({"Label14", "", {585, 1215, 90, 270}, green, darkBlue, true}, client);
  c.resultFileCaption =
      makeLabel({"Label12", "out=", {1530, 1215, 480, 270}, green, darkBlue, true}, client);
  c.resultFileLabel =
      makeLabel({"Label1", "", {2025, 1215, 60, 270}, green, darkBlue, true}, client);
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
      {c.digitCountEdit, "有効桁数"},
      {c.digitCountScrollBar, "有効桁数（１０桁単位）"},
      {c.startTimeLabel, "開始時刻"},
      {c.termTotalLabel, "項の総数"},
      {c.counterLabel, "カウンタ"},
      {c.endTimeLabel, "終了時刻"},
      {c.counterStepLabel, "カウンタ表示まるめ"},
      {c.resultFileLabel, "結果出力先ファイル"},
      {c.digitList, "計算結果"},
  };
  for (const auto& [widget, name] : values) widget->setAccessibleName(QString::fromUtf8(name));
}

// Builds every control of the main window on its client area, in its
// designed place, caption, colours and font, with the designed tab order.
MainWindowControls buildMainWindowControls(QWidget* client) {
  MainWindowControls c;
  c.pictureStrip = makePictureStrip(client, c);
  c.digitCountEdit = makeDigitText(client);
  // The digit count in tens: 1 per arrow, 100 per page.
  c.digitCountScrollBar =
      new HorizontalScrollBar(static_cast<int>(kMaxDigits) / 10, 1, 100, client);
  c.digitCountScrollBar->setObjectName(QStringLiteral("HScroll1"));
  c.digitCountScrollBar->setGeometry(twipsRect(405, 855, 3015, 315));
  makeLabels(client, c);
  c.counterLabel->setAnnounceInterval(250);  // it changes at every term: a few a second
  c.digitList = makeList(client);
  setFocusOrder(c);
  describeForScreenReaders(c);
  return c;
}

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

// The menus as designed: access keys only (the letter after "&"), no other
// shortcuts.
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

QWidget* makeClientArea(QWidget* window) {
  auto* client = new QWidget(window);
  client->setObjectName(QStringLiteral("Form1Client"));
  client->setAutoFillBackground(true);
  QPalette colors = client->palette();
  colors.setColor(QPalette::Window, bgrColor(colors::kGreen));
  colors.setColor(QPalette::WindowText, windowTextColor());
  client->setPalette(colors);
  client->setFont(formFont());
  return client;
}

}  // namespace

MainWindow::MainWindow(ProgramState& state, QWidget* parent) : QMainWindow(parent) {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(QStringLiteral("ππ   円周率の計算  目指せ？桁    zembra32 "));
  setWindowIcon(QIcon(QStringLiteral(":/icon.xpm")));
  QWidget* client = makeClientArea(this);
  setCentralWidget(client);
  controls_ = buildMainWindowControls(client);
  menus_ = buildMainMenus(menuBar());
  client->installEventFilter(this);
  resize(px(kClientWidth), px(kClientHeight) + menuBar()->sizeHint().height());
  setStartState(state);
}

// The window's place, the program state's start values, and the list's
// margin as designed.
void MainWindow::setStartState(ProgramState& state) {
  move(px(200), px(200));
  state.resultFilePath = kNoResultFile;
  state.run.counterStep = 1;
  controls_.counterStepLabel->setCaption(QString::number(state.run.counterStep));
  listBottomMargin_ = static_cast<float>(kClientHeight) -
                      static_cast<float>(toTwips(controls_.digitList->height()));
}

// The strip and the list fill the width; the list keeps its bottom margin,
// and a window lower than the margin leaves it 0 high.
void MainWindow::fitListToWindow() {
  const QWidget* client = clientArea();
  controls_.pictureStrip->resize(client->width(), controls_.pictureStrip->height());
  const float listHeight = static_cast<float>(toTwips(client->height())) - listBottomMargin_;
  controls_.digitList->resize(client->width(), std::max(0, px(static_cast<int>(listHeight))));
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == clientArea() && event->type() == QEvent::Resize) fitListToWindow();
  return QMainWindow::eventFilter(watched, event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  event->accept();
  emit closed();
}

}  // namespace zembra::ui
