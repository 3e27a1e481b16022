// Runs from the main window as the user sees them, the painting that follows the event pump,
// and the message of a failed run.

#include <sys/stat.h>

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>

#include "tests/ui/main/main_window_fixture.h"
#include "ui/main/design.h"
#include "ui/main/main_run_window.h"
#include "ui/main/run_failure_message.h"

namespace zembra::ui::test {
namespace {

using namespace std::chrono_literals;

class Run : public MainWindowTest {
 protected:
  // Runs `count` digits, doing `action` inside the first event pump of the run.
  void run(const char* count, const std::function<void()>& action = {}) {
    setCount(count);
    QObject guard;  // no action after the run
    if (action) QTimer::singleShot(0, &guard, action);
    menus.run->trigger();
  }
  static QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
  bool unlocked() const {
    return c.digitCountEdit->isEnabled() && c.digitCountScrollBar->isEnabled();
  }

  QTemporaryDir folder;
  const QString path = folder.filePath(QStringLiteral("pi.txt"));
};

// Meanwhile the count is locked and greyed, a second run is refused and other windows open.
TEST_F(Run, of_1000_digits_shows_the_counter_lines_and_times_and_writes_the_file) {
  state.run.resultFilePath = path.toStdString();
  state.run.counterStep = 100;
  QSignalSpy counter(c.counterLabel, &CaptionLabel::captionChanged);
  c.digitCountEdit->setFocus();
  run("1000", [this] {
    EXPECT_FALSE(c.digitCountEdit->isEnabled() || c.digitCountScrollBar->isEnabled()) << "locked";
    const QPalette colors = c.digitCountEdit->palette();
    EXPECT_NE(colors.color(QPalette::Disabled, QPalette::Text),
              colors.color(QPalette::Active, QPalette::Text))
        << "and shown greyed";
    c.digitCountEdit->setFocus();
    QTest::keyClicks(c.digitCountEdit, QStringLiteral("99"));
    menus.run->trigger();
    QTest::mouseClick(c.pictureButtons[1]->image(), Qt::LeftButton);
    menus.counterOptions->trigger();
    menus.version->trigger();
  });
  EXPECT_EQ(dialogs.openings, (QStringList{"CounterOptions", "VersionWindow"}));
  EXPECT_EQ(c.digitCountEdit->text(), QStringLiteral("1000"));
  EXPECT_TRUE(unlocked());
  EXPECT_TRUE(c.digitCountEdit->hasFocus()) << "the focus is back where it was";
  QStringList shown;
  for (const QVariantList& change : counter) shown << change.at(0).toString();
  EXPECT_EQ(shown, (QStringList{" ", "100", "200", "313", "413", "513", "613", "713", "813", "913",
                                "931"}))
      << "one run";
  EXPECT_EQ(c.termTotalLabel->text(), QStringLiteral("931"));
  const QStringList lines = listLines();
  ASSERT_EQ(lines.size(), 21);
  EXPECT_EQ(lines[0], "3.1415926535  8979323846  2643383279  5028841971  6939937510   : 50");
  EXPECT_TRUE(lines[20].startsWith("  ") && !lines[20].contains(':')) << "the guard group";
  for (CaptionLabel* time : {c.startTimeLabel, c.endTimeLabel}) {
    EXPECT_TRUE(QTime::fromString(time->text(), "H:mm:ss").isValid()) << time->text().toStdString();
  }
  EXPECT_EQ(c.resultFileLabel->text(), path);
  const QByteArray file = readFile(path);
  EXPECT_EQ(file.count("\r\n"), 23) << "two header lines and 21 digit lines";
  EXPECT_TRUE(file.contains(c.startTimeLabel->text().toLatin1()));

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

TEST_F(Run, of_zero_or_fewer_digits_does_nothing_and_of_45010_shows_no_lines) {
  QSignalSpy counter(c.counterLabel, &CaptionLabel::captionChanged);
  for (const char* count : {"0", "00", "-5", "-0.5"}) run(count);
  EXPECT_EQ(counter.count(), 0) << "no run started";
  c.digitCountScrollBar->setValue(4501);
  ASSERT_EQ(listLines(), QStringList{overLimitNotice()});
  menus.run->trigger();
  EXPECT_TRUE(listLines().isEmpty()) << "the notice goes and no digit line comes";
  EXPECT_EQ(c.counterLabel->text(), c.termTotalLabel->text());
  EXPECT_FALSE(c.termTotalLabel->text().trimmed().isEmpty());
}

TEST_F(Run, exit_during_a_run_ends_it_and_keeps_the_earlier_result_file) {
  QFile earlier(path);
  ASSERT_TRUE(earlier.open(QIODevice::WriteOnly) && earlier.write("earlier\r\n") == 9);
  earlier.close();
  state.run.resultFilePath = path.toStdString();
  run("20000", [this] { menus.exit->trigger(); });
  EXPECT_EQ(endRequests, 1);
  EXPECT_EQ(c.endTimeLabel->text(), QStringLiteral(" ")) << "the run did not reach its end";
  EXPECT_EQ(readFile(path), QByteArray("earlier\r\n"));
  EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{QStringLiteral("pi.txt")});
}

// The message names the path, which may wrap after each "/", and the system's reason if any.
TEST_F(Run, a_result_file_that_cannot_be_written_is_reported_and_the_window_stays_usable) {
  const QString fifo = folder.filePath(QStringLiteral("fifo"));
  ASSERT_EQ(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
  const std::pair<QString, QString> cases[] = {
      {folder.filePath(QStringLiteral("missing/pi.txt")),
       QStringLiteral(
           "結果ファイルを作成できません。\nファイル：%1\n理由：No such file or directory")},
      {fifo, QStringLiteral("名前付きパイプを読み取るプログラムがないため、計算を始めません。\n"
                            "ファイル：%1\n理由：No such device or address")},
  };
  for (const auto& [target, expected] : cases) {
    state.run.resultFilePath = target.toStdString();
    messageExpected = true;
    run("100");
    const QString wrappable = QString(target).replace(u'/', QStringLiteral("/\u200B"));
    EXPECT_EQ(message.toStdString(), expected.arg(wrappable).toStdString());
    EXPECT_TRUE(listLines().isEmpty());
    EXPECT_EQ(c.termTotalLabel->text(), QStringLiteral(" ")) << "nothing computed";
    EXPECT_TRUE(unlocked());
  }
  EXPECT_TRUE(QFileInfo(fifo).exists() && !QFileInfo(fifo).isFile()) << "the pipe stays a pipe";
  state.run.resultFilePath = " ";
  menus.run->trigger();
  EXPECT_EQ(c.digitList->count(), 3) << "the next run works";
}

TEST(RunFailureMessage, begins_with_a_sentence_of_its_own_for_each_failure) {
  using Refusal = RunError::Refusal;
  using Kind = RunError::Kind;
  QSet<QString> sentences;
  for (Refusal refusal :
       {Refusal::Folder, Refusal::BlockDevice, Refusal::Socket, Refusal::UnknownType,
        Refusal::DescriptorNotWritable, Refusal::NoPipeReader, Refusal::AppendOnlyOrImmutable,
        Refusal::UntrustedLink}) {
    sentences << runFailureMessage(RunError::refused("/x", refusal)).section('\n', 0, 0);
  }
  for (Kind kind : {Kind::FileOpen, Kind::FileWrite, Kind::OutOfMemory, Kind::OutOfResources,
                    Kind::Internal, Kind::NotANumber}) {
    sentences << runFailureMessage(RunError(kind, "/x", "reason")).section('\n', 0, 0);
  }
  EXPECT_EQ(sentences.size(), 14);
}

// A run's window paints as the event pump lets events in: at most every 15 ms, and always at
// the end of the run.
class RunWindow : public MainWindowTest {
 protected:
  RunWindow() {
    pump.pumpNow();  // settles the window's first paints
    c.counterLabel->installEventFilter(&paints);
  }
  // Counts the paint events of the label it watches.
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
  MainRunWindow window{form, pump, end, &QTime::currentTime};
};

TEST_F(RunWindow, paints_when_the_pump_is_due_and_always_at_the_end_of_the_run) {
  now += 20ms;
  window.showCounter(1);
  EXPECT_EQ(paints.count, 1) << "due: painted at once";
  window.pumpEvents();
  EXPECT_EQ(paints.count, 1) << "nothing left to paint";
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
  end.request();
  EXPECT_THROW(window.pumpEvents(), ProgramEnding) << "the end of the program unwinds the run";
}

}  // namespace
}  // namespace zembra::ui::test
