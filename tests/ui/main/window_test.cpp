// The main window: opening, size, commands, digit entry, runs, and its locale's numbers and times.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QElapsedTimer>
#include <QInputMethodEvent>
#include <QMenu>
#include <QMessageBox>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStyleOptionSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>
#include <utility>

#include "tests/engine/child_process.h"
#include "tests/engine/temp_folder.h"
#include "tests/ui/common/accessibility_events.h"
#include "tests/ui/main/program_setup.h"
#include "ui/common/design.h"
#include "ui/common/fonts.h"
#include "ui/common/locale_number.h"
#include "ui/main/long_time.h"
#include "ui/main/main_program.h"
#include "ui/main/run_command.h"

namespace zembra::ui::test {
namespace {

using namespace std::chrono_literals;

// Records each window opened ("FileSelection <title>", …); onOpen does what the user would do.
// A file selection confirms when it changes the result file; a question to replace a file is
// answered yes.
struct FakeLaunchers final : WindowOpeners {
  explicit FakeLaunchers(ProgramState& state) : state(state) {}
  ProgramState& state;
  QStringList openings;
  std::function<void(const QString&)> onOpen = [](const QString&) {};

  void open(const QString& name) {
    openings << name;
    onOpen(name);
  }
  bool openFileSelection(const QString& title) override {
    const std::string before = state.resultFilePath;
    open("FileSelection " + title);
    return state.resultFilePath != before;
  }
  bool askToReplace(const std::string& path) override {
    open("ReplaceQuestion " + QString::fromStdString(path));
    return true;
  }
  void openVersion() override { open("VersionWindow"); }
  void openCounterOptions() override { open("CounterOptions"); }
  void openHelp() override { open("HelpWindow"); }
  void openResultViewer() override { open("ResultViewer"); }
};

// A fresh main window on fresh state; a watchdog answers an expected message box and fails on
// any other modal window or (unless allowed) popup menu, so that none can hang the suite.
class MainWindowTest : public ::testing::Test {
 protected:
  MainWindowTest() {
    QObject::connect(&watchdog, &QTimer::timeout, [this] {
      QWidget* window = QApplication::activeModalWidget();
      if (!window && !popupsAllowed) window = QApplication::activePopupWidget();
      if (!window) return;
      auto* box = qobject_cast<QMessageBox*>(window);
      if (box && std::exchange(messageExpected, false)) {
        message = box->text();
        return box->button(QMessageBox::Ok)->click();
      }
      ADD_FAILURE() << "an unexpected window opened: " << window->metaObject()->className();
      window->close();
    });
    watchdog.start(20);
    form.show();
    form.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
  }

  void setCount(const char* text) { c.digitCountEdit->setText(QString::fromUtf8(text)); }
  QStringList listLines() const {
    QStringList lines;
    for (int row = 0; row < c.digitList->count(); ++row) lines << c.digitList->item(row)->text();
    return lines;
  }

  // A changed count clears the lines of a run; above 45,000 digits the notice is the one line.
  void expectCount(const char* text, bool notice) {
    EXPECT_EQ(c.digitCountEdit->text(), QString::fromUtf8(text));
    EXPECT_EQ(listLines(), notice ? QStringList{overLimitNotice()} : QStringList()) << text;
  }
  // Where the style draws a piece of the scroll bar.
  QPoint centreOf(QStyle::SubControl piece) const {
    QScrollBar* bar = c.digitCountScrollBar;
    QStyleOptionSlider option;
    option.initFrom(bar);
    option.orientation = Qt::Horizontal;
    option.maximum = bar->maximum();
    option.sliderPosition = option.sliderValue = bar->value();
    option.pageStep = bar->pageStep();
    return bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, piece, bar).center();
  }
  void click(QStyle::SubControl piece) {
    QTest::mouseClick(c.digitCountScrollBar, Qt::LeftButton, {}, centreOf(piece));
  }
  // Runs `count` digits, doing `action` inside the first event pump of the run.
  void run(const char* count, const std::function<void()>& action = {}) {
    setCount(count);
    QObject guard;  // no action after the run
    if (action) QTimer::singleShot(0, &guard, action);
    menus.run->trigger();
  }
  bool unlocked() const {
    return c.digitCountEdit->isEnabled() && c.digitCountScrollBar->isEnabled();
  }

  QTimer watchdog;
  bool messageExpected = false;
  QString message;
  bool popupsAllowed = false;
  ProgramState state;
  FakeLaunchers dialogs{state};
  int endRequests = 0;
  MainProgram program{state, dialogs, [this] { ++endRequests; }};
  MainWindow& form = program.window();
  const MainWindowControls& c = form.controls();
  const MainMenus& menus = form.menus();
  QTemporaryDir folder;
  const QString path = folder.filePath(QStringLiteral("pi.txt"));
};

using Window = MainWindowTest;
using DigitEntry = MainWindowTest;
using ARun = MainWindowTest;

TEST_F(Window, opens_with_its_caption_a_zero_count_empty_values_and_a_list_that_fills_it) {
  EXPECT_EQ(form.windowTitle(), QStringLiteral("ππ   円周率の計算  目指せ？桁    zembra32 "));
  EXPECT_FALSE(form.windowIcon().isNull());
  EXPECT_EQ(c.digitCountEdit->text(), QStringLiteral("0"));
  EXPECT_EQ(c.counterStepLabel->text(), QStringLiteral("1"));
  for (QLabel* empty :
       {c.resultFileLabel, c.startTimeLabel, c.termTotalLabel, c.counterLabel, c.endTimeLabel}) {
    EXPECT_EQ(empty->text(), QString()) << empty->objectName().toStdString();
  }
  // The scroll bar has the focus; Tab goes round the text box, strip and list.
  for (QWidget* next : std::initializer_list<QWidget*>{c.digitCountEdit, c.pictureStrip,
                                                       c.digitList, c.digitCountScrollBar}) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), next) << next->objectName().toStdString();
  }
  for (QAction* item : form.findChildren<QAction*>()) {
    EXPECT_TRUE(item->shortcut().isEmpty()) << "only access keys: " << item->text().toStdString();
  }
  // Screen readers tell the value boxes apart by name.
  QSet<QString> names;
  for (QWidget* box : {c.startTimeLabel, c.termTotalLabel, c.counterLabel, c.endTimeLabel,
                       c.counterStepLabel, c.resultFileLabel}) {
    names << box->accessibleName();
  }
  EXPECT_EQ(names.size(), 6);
  // The strip and the list fill the width; the list fills the height below its top, if any.
  const QSize frame = form.size() - form.clientArea()->size();
  for (const auto& [client, listHeight] : {std::pair{QSize(700, 500), 398}, {QSize(400, 60), 0}}) {
    form.resize(client + frame);
    ASSERT_TRUE(QTest::qWaitFor([&] { return form.clientArea()->size() == client; }));
    EXPECT_EQ(c.digitList->geometry(), QRect(0, 102, client.width(), listHeight));
    EXPECT_EQ(c.pictureStrip->width(), client.width());
  }
}

// What the keyboard focus and the lock of a run look like: each focusable control looks other
// with the focus than without, and the count's scroll bar greyed while locked.
TEST_F(Window, the_focus_shows_on_every_control_and_the_locked_scroll_bar_looks_greyed) {
  c.digitList->clear();
  for (QWidget* control :
       std::initializer_list<QWidget*>{c.digitCountScrollBar, c.pictureStrip, c.digitList}) {
    c.digitCountEdit->setFocus();
    const QImage without = control->grab().toImage();
    control->setFocus();
    EXPECT_NE(control->grab().toImage(), without) << control->objectName().toStdString();
  }
  c.digitCountEdit->setFocus();
  const QImage enabled = c.digitCountScrollBar->grab().toImage();
  c.digitCountScrollBar->setEnabled(false);
  EXPECT_NE(c.digitCountScrollBar->grab().toImage(), enabled);
  c.digitCountScrollBar->setEnabled(true);
}

// Qt's own texts are Japanese in every locale, as the program's are: the digit box's menu and
// the scroll bar's.
TEST_F(Window, qts_own_texts_are_in_japanese_too) {
  ASSERT_TRUE(test::qtJapaneseLoaded) << "Qt's Japanese translation (qt6-translations-l10n)";
  const std::unique_ptr<QMenu> menu(c.digitCountEdit->createStandardContextMenu());
  QStringList items;
  for (const QAction* item : menu->actions()) {
    if (!item->isSeparator()) items << item->text();
  }
  EXPECT_TRUE(items.join(' ').contains(QStringLiteral("元に戻す")))
      << items.join(' ').toStdString();
  EXPECT_FALSE(items.join(' ').contains(QStringLiteral("Undo")));
  EXPECT_NE(QCoreApplication::translate("QScrollBar", "Scroll here"), "Scroll here");
}

TEST_F(Window, the_access_keys_choose_every_command_of_the_menus) {
  popupsAllowed = true;
  setCount("100");
  state.resultFilePath = folder.filePath(QStringLiteral("former.txt")).toStdString();
  QStringList chosen{"/tmp/pi.txt", "/tmp/shown.txt"};  // as result file, then to display
  dialogs.onOpen = [&](const QString& window) {
    if (window == "CounterOptions") state.run.counterStep = 250;
    if (!window.startsWith("FileSelection")) return;
    EXPECT_TRUE(chosen.size() < 2 || state.resultFilePath == " ") << "the former is forgotten";
    state.resultFilePath = chosen.takeFirst().toStdString();
  };
  // Alt+menu key opens the menu, the item key chooses its item.
  const std::tuple<Qt::Key, QMenu*, Qt::Key> commands[] = {
      {Qt::Key_R, menus.runMenu, Qt::Key_G},  {Qt::Key_F, menus.fileMenu, Qt::Key_W},
      {Qt::Key_F, menus.fileMenu, Qt::Key_D}, {Qt::Key_O, menus.optionsMenu, Qt::Key_C},
      {Qt::Key_H, menus.helpMenu, Qt::Key_H}, {Qt::Key_H, menus.helpMenu, Qt::Key_V},
      {Qt::Key_F, menus.fileMenu, Qt::Key_E}};
  for (const auto& [menuKey, menu, itemKey] : commands) {
    // The offscreen platform does not give the activation back when a menu closes.
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([this] { return QApplication::activeWindow() == &form; }));
    QTest::keyClick(&form, menuKey, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([menu] { return menu->isVisible(); }));
    QTest::keyClick(menu, itemKey);
    EXPECT_FALSE(menu->isVisible());
  }
  EXPECT_EQ(c.digitList->count(), 3);
  EXPECT_EQ(c.resultFileLabel->text(), QStringLiteral("/tmp/shown.txt")) << "the next result file";
  EXPECT_EQ(c.resultFileLabel->width(),
            c.resultFileLabel->fontMetrics().horizontalAdvance("/tmp/shown.txt"));
  EXPECT_EQ(c.counterStepLabel->text(), QStringLiteral("250"));
  EXPECT_EQ(dialogs.openings, (QStringList{"FileSelection 結果の出力ファイル指定",
                                           "FileSelection 結果の表示ファイル指定", "ResultViewer",
                                           "CounterOptions", "HelpWindow", "VersionWindow"}));
  EXPECT_EQ(endRequests, 1);
  form.close();
  EXPECT_EQ(endRequests, 2);
}

// Pressed: grey top and left edges, no shadow, the picture 20 twips lower right; raised: white.
void expectLook(const PictureButton& b, int left, bool pressed) {
  const QColor light = pressed ? QColor(0x80, 0x80, 0x80) : QColor(Qt::white);
  EXPECT_EQ(b.topEdge()->color(), light);
  EXPECT_EQ(b.leftEdge()->color(), light);
  EXPECT_EQ(b.bottomEdge()->isVisible() + b.rightEdge()->isVisible(), pressed ? 0 : 2);
  EXPECT_EQ(b.image()->pos(), QPoint(px(left + 20 * pressed), px(75 + 20 * pressed)));
}

TEST_F(Window, picture_buttons_look_pressed_while_held_and_run_their_command_on_a_left_click) {
  // The picture's left in twips, and its command.
  const std::pair<int, const char*> buttons[] = {{345, "FileSelection 結果の出力ファイル指定"},
                                                 {1395, "run"},
                                                 {2345, "CounterOptions"},
                                                 {3745, "HelpWindow"}};
  setCount("100");
  for (std::size_t i = 0; i < std::size(buttons); ++i) {
    const auto& [left, command] = buttons[i];
    SCOPED_TRACE(command);
    const PictureButton& b = *c.pictureButtons[i];
    dialogs.openings.clear();
    c.digitList->clear();
    for (Qt::MouseButton mouse : {Qt::LeftButton, Qt::RightButton}) {
      QTest::mousePress(b.image(), mouse);
      expectLook(b, left, true);
      QTest::mouseRelease(b.image(), mouse, {}, QPoint(-20, -20));  // outside: no command
      expectLook(b, left, false);
    }
    QTest::mouseClick(b.image(), Qt::RightButton);
    QTest::mouseClick(c.pictureStrip, Qt::LeftButton, {}, b.frame()->geometry().topLeft());
    EXPECT_TRUE(dialogs.openings.isEmpty() && c.digitList->count() == 0);

    QTest::mouseClick(b.image(), Qt::LeftButton);
    if (c.digitList->count() == 3) dialogs.openings << QStringLiteral("run");
    EXPECT_EQ(dialogs.openings, QStringList{QString::fromUtf8(command)});
    QTest::mouseDClick(form.windowHandle(), Qt::LeftButton, {},
                       b.image()->mapTo(&form, b.image()->rect().center()));
    EXPECT_EQ(dialogs.openings.size(), i == 1 ? 1 : 2) << "a double click: one command";
    expectLook(b, left, false);
  }
}

TEST_F(DigitEntry, typed_or_pasted_numbers_stay_and_anything_else_becomes_0) {
  enum How { kType, kPaste, kInputMethod };  // the input method commits full-width text
  const std::tuple<How, const char*, const char*, bool> cases[] = {
      {kType, "45000", "45000", false},
      {kType, "45000.5", "45000.5", true},
      {kType, "12a", "0", false},
      {kType, "\b", "0", false},
      {kPaste, "44999.9", "44999.9", false},
      {kPaste, "327641", "327640", true},
      {kPaste, "-50", "-50", false},
      {kType, "-50", "050", false},         // typed "-": no number
      {kPaste, "9999999", "327640", true},  // corrected inside the correction: one notice
      // Full-width digits and signs count as the digits they are; other look-alikes do not.
      {kInputMethod, "１２３", "123", false},
      {kPaste, "－５０", "-50", false},
      {kPaste, "４５００１．５", "45001.5", true},
      {kPaste, "＋１，２３４", "+1,234", false},
      {kInputMethod, "①", "0", false},
      // Decimal digits of other scripts too: Persian, Arabic-Indic, Devanagari, mathematical.
      {kInputMethod, "۱۰۰", "100", false},
      {kInputMethod, "٤٥٠٠١", "45001", true},
      {kPaste, "४५", "45", false},
      {kPaste, "𝟏𝟐", "12", false},
      {kPaste, "２ｅ３", "0", false},
  };
  for (const auto& [how, entered, shown, notice] : cases) {
    c.digitList->addItem(QStringLiteral("line of a run"));
    c.digitCountEdit->setFocus();
    QTest::keyClick(c.digitCountEdit, Qt::Key_A, Qt::ControlModifier);
    QApplication::clipboard()->setText(QString::fromUtf8(entered));
    if (how == kType) QTest::keyClicks(c.digitCountEdit, QString::fromUtf8(entered));
    if (how == kPaste) QTest::keyClick(c.digitCountEdit, Qt::Key_V, Qt::ControlModifier);
    QInputMethodEvent commit;
    commit.setCommitString(QString::fromUtf8(entered));
    if (how == kInputMethod) QApplication::sendEvent(c.digitCountEdit, &commit);
    expectCount(shown, notice);
  }
  EXPECT_EQ(c.digitCountScrollBar->value(), 0) << "the text does not move the scroll bar";
  // Every full-width digit and sign, one by one, as an input method commits it.
  QStringList typed, shown;
  for (char16_t digit = u'０'; digit <= u'９'; ++digit) typed << QString(QChar(digit));
  typed << "＋７"
        << "－７"
        << "７．５"
        << "７，０００";
  for (const QString& text : typed) {
    c.digitCountEdit->selectAll();
    QInputMethodEvent commit;
    commit.setCommitString(text);
    QApplication::sendEvent(c.digitCountEdit, &commit);
    shown << c.digitCountEdit->text();
  }
  EXPECT_EQ(shown, (QStringList{"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "+7", "-7", "7.5",
                                "7,000"}));
}

TEST_F(DigitEntry, the_scroll_bar_writes_ten_times_its_value_when_it_moves) {
  click(QStyle::SC_ScrollBarAddLine);
  expectCount("10", false);
  click(QStyle::SC_ScrollBarSubLine);
  expectCount("00", false);
  click(QStyle::SC_ScrollBarAddPage);
  expectCount("1000", false);
  c.digitCountScrollBar->setValue(4501);
  expectCount("45010", true);
  c.digitList->addItem(QStringLiteral("line of a run"));
  click(QStyle::SC_ScrollBarSubPage);
  expectCount("44010", false);
  QTest::keyClick(c.digitCountScrollBar, Qt::Key_Right);
  expectCount("44020", false);

  // A drag moves the thumb; the count follows only when it is let go.
  c.digitCountScrollBar->setValue(0);
  const QPoint thumb = centreOf(QStyle::SC_ScrollBarSlider);
  QTest::mousePress(c.digitCountScrollBar, Qt::LeftButton, {}, thumb);
  QTest::mouseMove(c.digitCountScrollBar, thumb + QPoint(60, 0));
  EXPECT_GT(c.digitCountScrollBar->sliderPosition(), 0);
  expectCount("00", false);
  QTest::mouseRelease(c.digitCountScrollBar, Qt::LeftButton, {}, thumb + QPoint(60, 0));
  EXPECT_EQ(c.digitCountEdit->text(), QString::number(c.digitCountScrollBar->value()) + "0");
  EXPECT_GT(c.digitCountScrollBar->value(), 0);
}

// Meanwhile the count is locked and greyed, a second run is refused and other windows open.
TEST_F(ARun, of_1000_digits_shows_the_counter_lines_and_times_and_writes_the_file) {
  state.resultFilePath = path.toStdString();
  state.run.counterStep = 100;
  QSignalSpy counter(c.counterLabel, &CaptionLabel::captionChanged);
  c.digitCountEdit->setFocus();
  run("1000", [this] {
    EXPECT_FALSE(unlocked()) << "locked";
    const QPalette colors = c.digitCountEdit->palette();
    EXPECT_NE(colors.color(QPalette::Disabled, QPalette::Text),
              colors.color(QPalette::Active, QPalette::Text))
        << "and shown greyed";
    menus.run->trigger();
    menus.counterOptions->trigger();
    menus.version->trigger();
  });
  EXPECT_EQ(dialogs.openings, (QStringList{"CounterOptions", "VersionWindow"}));
  EXPECT_TRUE(unlocked());
  EXPECT_TRUE(c.digitCountEdit->hasFocus()) << "the focus is back where it was";
  EXPECT_EQ(c.termTotalLabel->text(), QStringLiteral("931"));
  EXPECT_EQ(counter.count(), 11) << "one run: a blank, 9 steps of 100 and the total";
  const QStringList lines = listLines();
  ASSERT_EQ(lines.size(), 21);
  EXPECT_EQ(lines[0], "3.1415926535  8979323846  2643383279  5028841971  6939937510   : 50");
  for (CaptionLabel* time : {c.startTimeLabel, c.endTimeLabel}) {
    EXPECT_TRUE(QTime::fromString(time->text(), "H:mm:ss").isValid()) << time->text().toStdString();
  }
  EXPECT_EQ(c.resultFileLabel->text(), path);
  const std::string start = c.startTimeLabel->text().toStdString();
  EXPECT_NE(readBytes(path.toStdString()).find(start), std::string::npos) << "in the header";

  // Every line can be scrolled into view whole.
  QScrollBar* sideways = c.digitList->horizontalScrollBar();
  EXPECT_TRUE(QTest::qWaitFor([sideways] { return sideways->isVisible(); }));
  sideways->setValue(sideways->maximum());
  const int left = c.digitList->visualItemRect(c.digitList->item(0)).left();
  for (const QString& line : lines) {
    EXPECT_LE(left + c.digitList->fontMetrics().horizontalAdvance(line),
              c.digitList->viewport()->width())
        << line.toStdString();
  }
}

// A screen reader reads each value box by its name and its value, and hears of a change while
// it listens: the counter, which changes at every term, a few times a second at most.
TEST_F(ARun, tells_screen_readers_each_value_and_its_changes_a_few_times_a_second) {
  state.resultFilePath = path.toStdString();
  const ScreenReaders before = screenReaders();
  screenReaders().tell = [](QAccessibleEvent*) { ADD_FAILURE() << "told nobody listening"; };
  run("100");
  screenReaders() = before;
  {
    const zembra::test::AccessibilityEvents listening;
    EXPECT_TRUE(listening.kept().empty());
    state.run.counterStep = 1;
    QElapsedTimer clock;
    clock.start();
    run("3000");
    const int counterChanges = listening.count(c.counterLabel, QAccessible::DescriptionChanged);
    EXPECT_GE(counterChanges, 1);
    EXPECT_LE(counterChanges, 2 + clock.elapsed() / 250) << "not once per term";
    EXPECT_GE(listening.count(c.endTimeLabel, QAccessible::DescriptionChanged), 1);
  }
  const std::pair<QLabel*, const char*> boxes[] = {{c.startTimeLabel, "開始時刻"},
                                                   {c.termTotalLabel, "項の総数"},
                                                   {c.counterLabel, "カウンタ"},
                                                   {c.endTimeLabel, "終了時刻"},
                                                   {c.counterStepLabel, "カウンタ表示まるめ"},
                                                   {c.resultFileLabel, "結果出力先ファイル"}};
  for (const auto& [box, name] : boxes) {
    QAccessibleInterface* read = QAccessible::queryAccessibleInterface(box);
    EXPECT_EQ(read->text(QAccessible::Name), QString::fromUtf8(name));
    EXPECT_EQ(read->text(QAccessible::Description), box->text()) << name;
  }
}

// The list limit compares the count as a number: 45,000.5 is listed, 45,001 is not (the
// over-limit notice goes and no digit line comes), though the run computes.
TEST_F(ARun, of_zero_or_fewer_digits_does_nothing_and_only_counts_below_45001_are_listed) {
  QSignalSpy counter(c.counterLabel, &CaptionLabel::captionChanged);
  for (const char* count : {"0", "00", "-5", "-0.5"}) run(count);
  EXPECT_EQ(counter.count(), 0) << "no run started";
  state.run.counterStep = 200;
  const std::pair<const char*, int> cases[] = {
      {"44999.5", 900}, {"45000", 901}, {"45000.5", 901}, {"45001", 0}};
  for (const auto& [count, lines] : cases) {
    run(count);
    EXPECT_EQ(c.digitList->count(), lines) << count;
    EXPECT_EQ(c.counterLabel->text(), c.termTotalLabel->text()) << count;
  }
}

TEST_F(ARun, exit_during_a_run_ends_it_and_keeps_the_earlier_result_file) {
  writeBytes(path.toStdString(), "earlier\r\n");
  state.resultFilePath = path.toStdString();
  run("20000", [this] { menus.exit->trigger(); });
  EXPECT_EQ(endRequests, 1);
  EXPECT_EQ(c.endTimeLabel->text(), QStringLiteral(" ")) << "the run did not reach its end";
  EXPECT_EQ(readBytes(path.toStdString()), "earlier\r\n");
  EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{QStringLiteral("pi.txt")});
}

TEST_F(ARun, a_result_file_that_cannot_be_written_is_reported_and_the_window_stays_usable) {
  const QString target = folder.filePath(QStringLiteral("missing/pi.txt"));
  state.resultFilePath = target.toStdString();
  messageExpected = true;
  run("100");
  const QString wrappable = QString(target).replace(u'/', QStringLiteral("/\u200B"));
  EXPECT_EQ(message.toStdString(), "結果ファイルを作成できません。\nファイル：" +
                                       wrappable.toStdString() +
                                       "\n理由：No such file or directory");
  EXPECT_TRUE(listLines().isEmpty());
  EXPECT_EQ(c.termTotalLabel->text(), QStringLiteral(" ")) << "nothing computed";
  EXPECT_TRUE(unlocked());
  state.resultFilePath = " ";
  menus.run->trigger();
  EXPECT_EQ(c.digitList->count(), 3) << "the next run works";
}

// A run's window paints as the event pump lets events in: at most every 15 ms, and always at
// the end of the run.
class RunWindow : public MainWindowTest {
 protected:
  RunWindow() {
    pump.pumpNow();  // settles the window's first paints
    c.counterLabel->installEventFilter(&paints);
  }
  struct PaintCounter final : QObject {
    int count = 0;
    bool eventFilter(QObject*, QEvent* event) override {
      count += event->type() == QEvent::Paint;
      return false;
    }
  } paints;
  std::chrono::steady_clock::time_point now{};
  EventPump pump{[this] { return now; }};
  ProgramEnd end{[] {}};
  MainRunView window{form, pump, end, 100};
};

TEST_F(RunWindow, paints_when_the_pump_is_due_and_always_at_the_end_of_the_run) {
  now += 20ms;
  window.showCounter(1);
  EXPECT_EQ(paints.count, 1) << "due: painted at once";
  window.pumpEvents();
  now += 5ms;
  window.showCounter(2);
  window.pumpEvents();
  EXPECT_EQ(paints.count, 1) << "too soon after the last pump";
  EXPECT_EQ(c.counterLabel->text(), QStringLiteral("2")) << "the caption changes all the same";
  now += 10ms;
  window.pumpEvents();
  EXPECT_EQ(paints.count, 2) << "15 ms after the last pump, the next paints what changed";
  now += 1ms;
  window.showEndTime("21:04:06");
  window.showCounter(931);
  window.pumpEvents();
  EXPECT_EQ(paints.count, 3) << "the last pump runs however soon";
}

// The program itself, left running for a moment: why a variable was not taken, once.
TEST(Program, says_once_at_its_start_why_an_environment_variable_was_not_taken) {
  const zembra::test::ProgramResult started = zembra::test::runProgram(
      {ZEMBRA_WINDOW_PROGRAM}, {"ZEMBRA_THREADS=0", "QT_QPA_PLATFORM=offscreen"}, 1500ms);
  const std::string note = "zembra32: ZEMBRA_THREADS=0 is not a positive whole number; using ";
  EXPECT_NE(started.err.find(note), std::string::npos) << started.err;
  EXPECT_EQ(started.err.find(note), started.err.rfind(note)) << started.err;
}

const QLocale kJapan(QLocale::Japanese, QLocale::Japan);
const QLocale kGermany(QLocale::German, QLocale::Germany);
const QLocale kUnitedStates(QLocale::English, QLocale::UnitedStates);

TEST(LocaleNumber, accepts_what_the_locale_writes_as_a_number_and_nothing_else) {
  const std::tuple<QLocale, const char*, std::optional<double>> cases[] = {
      {kJapan, "00", 0},          {kJapan, "45000.5", 45000.5},
      {kJapan, " -50\t", -50},    {kJapan, "+5", 5},
      {kJapan, "1,234", 1234},    {kJapan, "2.5E2", 250},
      {kJapan, ".5", 0.5},        {kGermany, "1.234,5", 1234.5},
      {kGermany, "-1,5", -1.5},   {kUnitedStates, "1,234.5", 1234.5},
      {kUnitedStates, "1,5", {}},
  };
  for (const auto& [locale, text, value] : cases) {
    EXPECT_EQ(parseLocaleNumber(QString::fromUtf8(text), locale), value) << text;
  }
  for (const QLocale& locale : {kJapan, kGermany, kUnitedStates, QLocale::c()}) {
    for (const char* text : {"", "   ", "12a", "a", "-", "+", "e", "1e", "inf", "-inf", "nan",
                             "Infinity", "0x10", "&H10", "1e999", "1 2", "--5", "5-", "(5)"}) {
      EXPECT_EQ(parseLocaleNumber(QString::fromUtf8(text), locale), std::nullopt)
          << text << " in " << locale.name().toStdString();
    }
  }
  EXPECT_EQ(parseLocaleNumber(QString(100000, u'9'), kJapan), std::nullopt);
  EXPECT_EQ(parseLocaleNumber("0.5" + QString(5000, u'0'), kJapan), 0.5);
}

// 21:04:05 as long time, and 0:47:19 in the 65-pixel end time box, where HH:mm:ss stands in for
// a long time too wide or not in Shift-JIS.
TEST(LongTime, drops_the_time_zone_and_kanji_units_and_falls_back_where_it_does_not_fit) {
  const std::tuple<QLocale, const char*, const char*> cases[] = {
      {kJapan, "21:04:05", "0:47:19"},  // its own: "H時mm分ss秒 t"
      {kUnitedStates, "9:04:05 PM", "00:47:19"},
      {kGermany, "21:04:05", "00:47:19"},
      {QLocale(QLocale::Persian, QLocale::Iran), "۲۱:۰۴:۰۵", "00:47:19"},  // its own: "H:mm:ss (t)"
  };
  for (const auto& [locale, longTime, inBox] : cases) {
    EXPECT_EQ(formatLongTime(QTime(21, 4, 5), locale), QString::fromUtf8(longTime));
    EXPECT_EQ(timeForBox(QTime(0, 47, 19), locale, QFontMetrics(systemFont()), 65),
              QString::fromUtf8(inBox))
        << locale.name().toStdString();
  }
  for (const QLocale& locale :
       QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory)) {
    const QString format = longTimeFormat(locale);
    EXPECT_FALSE(QString(format).remove(QRegularExpression("'[^']*'")).contains(u't'))
        << locale.name().toStdString();
    EXPECT_FALSE(format.isEmpty() || format != format.trimmed()) << locale.name().toStdString();
  }
}

}  // namespace
}  // namespace zembra::ui::test
