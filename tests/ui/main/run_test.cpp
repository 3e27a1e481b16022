// Runs from the main window: labels, list, result file, the counter, and
// what the window allows while a run goes on.

#include <QAbstractButton>
#include <QDir>
#include <QMessageBox>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <sys/stat.h>

#include "tests/ui/main/main_window_fixture.h"
#include "ui/main/design.h"

namespace zembra::ui::test {
namespace {

class Run : public MainWindowTest {
 protected:
  // Runs `count` digits, doing `action` (its effect to be checked) inside the
  // first event pump of the run.
  void run(const char* count, const std::function<void()>& action = {}) {
    c.digitCountEdit->setText(QString::fromUtf8(count));
    QObject guard;  // no action after the run
    if (action) QTimer::singleShot(0, &guard, action);
    menus.run->trigger();
  }
  static QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
  // The next modal window must be a message box: its text goes into
  // `message` (the path without the breaks that let it wrap), and OK closes it.
  void expectMessageBox() {
    expectModal = [this](QWidget* window) {
      auto* box = qobject_cast<QMessageBox*>(window);
      ASSERT_NE(box, nullptr);
      message = box->text().remove(QChar(0x200B));
      box->button(QMessageBox::Ok)->click();
    };
  }
  bool unlocked() const { return c.digitCountEdit->isEnabled() && c.digitCountScrollBar->isEnabled(); }

  QString message;
  QTemporaryDir folder;
  const QString path = folder.filePath(QStringLiteral("pi.txt"));
};

TEST_F(Run, of_1000_digits_shows_the_counter_lines_and_times_and_writes_the_file) {
  state.run.resultFilePath = path.toStdString();
  state.run.counterStep = 100;
  QSignalSpy counter(c.counterLabel, &CaptionLabel::captionChanged);
  run("1000");
  QStringList shown;
  for (const QVariantList& change : counter) shown << change.at(0).toString();
  EXPECT_EQ(shown, (QStringList{" ", "100", "200", "313", "413", "513", "613", "713", "813", "913",
                                "931"}));
  EXPECT_EQ(c.termTotalLabel->text(), QStringLiteral("931"));
  const QStringList lines = listLines();
  ASSERT_EQ(lines.size(), 21);
  EXPECT_EQ(lines[0], "3.1415926535  8979323846  2643383279  5028841971  6939937510   : 50");
  EXPECT_TRUE(lines[20].startsWith("  ") && !lines[20].contains(':')) << "the guard group";
  const QRegularExpression clockTime(QStringLiteral("^\\d{1,2}:\\d\\d:\\d\\d$"));
  for (CaptionLabel* time : {c.startTimeLabel, c.endTimeLabel}) {
    EXPECT_TRUE(clockTime.match(time->text()).hasMatch()) << time->text().toStdString();
  }
  EXPECT_EQ(c.resultFileLabel->text(), path);
  const QByteArray file = readFile(path);
  EXPECT_EQ(file.count("\r\n"), 23) << "two header lines and 21 digit lines";
  EXPECT_TRUE(file.contains(c.startTimeLabel->text().toLatin1()));
  EXPECT_TRUE(unlocked());
  EXPECT_EQ(QApplication::focusWidget(), c.digitCountScrollBar) << "the focus comes back";

  // Every line can be scrolled into view whole.
  QScrollBar* sideways = c.digitList->horizontalScrollBar();
  EXPECT_TRUE(QTest::qWaitFor([sideways] { return sideways->isVisible(); }));
  sideways->setValue(sideways->maximum());
  const QFontMetrics metrics(c.digitList->font());
  for (int row = 0; row < c.digitList->count(); ++row) {
    const QListWidgetItem* item = c.digitList->item(row);
    EXPECT_LE(c.digitList->visualItemRect(item).left() + metrics.horizontalAdvance(item->text()),
              c.digitList->viewport()->width())
        << item->text().toStdString();
  }
}

TEST_F(Run, of_zero_or_fewer_digits_does_nothing_and_of_45010_shows_no_lines) {
  QSignalSpy counter(c.counterLabel, &CaptionLabel::captionChanged);
  for (const char* count : {"0", "00", "-5", "-0.5"}) {
    c.digitCountEdit->setText(QString::fromUtf8(count));
    c.digitList->addItem(QStringLiteral("kept"));
    menus.run->trigger();
    EXPECT_EQ(listLines(), QStringList{QStringLiteral("kept")}) << count;
  }
  EXPECT_EQ(counter.count(), 0);
  c.digitCountScrollBar->setValue(4501);
  ASSERT_EQ(listLines(), QStringList{overLimitNotice()});
  menus.run->trigger();
  EXPECT_TRUE(listLines().isEmpty()) << "the notice goes and no digit line comes";
  EXPECT_EQ(c.counterLabel->text(), c.termTotalLabel->text());
  EXPECT_FALSE(c.termTotalLabel->text().trimmed().isEmpty());
}

TEST_F(Run, locks_the_count_ignores_a_second_run_and_lets_windows_open_meanwhile) {
  QSignalSpy counter(c.counterLabel, &CaptionLabel::captionChanged);
  c.digitCountEdit->setFocus();
  run("2000", [this] {
    EXPECT_FALSE(c.digitCountEdit->isEnabled() || c.digitCountScrollBar->isEnabled()) << "locked";
    const QPalette colors = c.digitCountEdit->palette();
    EXPECT_NE(colors.color(QPalette::Disabled, QPalette::Text),
              colors.color(QPalette::Active, QPalette::Text)) << "and shown greyed";
    c.digitCountEdit->setFocus();
    QTest::keyClicks(c.digitCountEdit, QStringLiteral("99"));
    menus.run->trigger();
    QTest::mouseClick(c.pictureButtons[1]->image(), Qt::LeftButton);
    menus.counterOptions->trigger();
    menus.version->trigger();
  });
  EXPECT_EQ(c.digitCountEdit->text(), QStringLiteral("2000"));
  EXPECT_EQ(counter.count({QStringLiteral(" ")}), 1) << "no second run started";
  EXPECT_EQ(listLines().size(), 41);
  EXPECT_EQ(dialogs.openings, (QStringList{"CounterOptions", "VersionWindow"}));
  EXPECT_TRUE(unlocked());
  EXPECT_TRUE(c.digitCountEdit->hasFocus()) << "the focus is back where it was";
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

TEST_F(Run, a_result_file_that_cannot_be_created_is_reported_and_the_window_stays_usable) {
  const QString missing = folder.filePath(QStringLiteral("missing/pi.txt"));
  state.run.resultFilePath = missing.toStdString();
  c.digitCountEdit->setText(QStringLiteral("100"));
  c.digitList->addItem(QStringLiteral("old line"));
  expectMessageBox();
  menus.run->trigger();
  for (const QString& expected : {QStringLiteral("結果ファイルを作成できません。"), missing,
                                  QStringLiteral("No such file or directory")}) {
    EXPECT_TRUE(message.contains(expected)) << message.toStdString();
  }
  EXPECT_EQ(c.resultFileLabel->text(), missing) << "what the run had shown stays";
  EXPECT_TRUE(listLines().isEmpty());
  EXPECT_TRUE(unlocked());
  state.run.resultFilePath = " ";
  menus.run->trigger();
  EXPECT_EQ(c.digitList->count(), 3) << "the next run works";
}

TEST_F(Run, a_named_pipe_that_no_program_reads_is_reported_before_computing) {
  const QString fifo = folder.filePath(QStringLiteral("fifo"));
  ASSERT_EQ(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
  state.run.resultFilePath = fifo.toStdString();
  expectMessageBox();
  run("100");
  EXPECT_TRUE(message.startsWith(QStringLiteral("名前付きパイプを読み取るプログラムがないため"))) << message.toStdString();
  EXPECT_TRUE(message.contains(fifo)) << message.toStdString();
  EXPECT_EQ(c.termTotalLabel->text(), QStringLiteral(" ")) << "nothing computed";
  EXPECT_TRUE(QFileInfo(fifo).exists() && !QFileInfo(fifo).isFile()) << "the pipe stays a pipe";
  EXPECT_TRUE(unlocked());
}

}  // namespace
}  // namespace zembra::ui::test
