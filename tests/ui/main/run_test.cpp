// Runs from the main window: labels, list, result file, the counter, and
// what the window allows while a run goes on.

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "tests/ui/main/form1_fixture.h"
#include "ui/main/list_notice.h"

namespace zembra::ui::test {
namespace {

class RunTest : public Form1Test {
 protected:
  // Runs `action` inside the first event pump of the next run.
  void duringTheRun(std::function<void()> action) {
    QTimer::singleShot(0, &form, [this, action = std::move(action)] {
      actedDuringTheRun = true;
      action();
    });
  }
  static QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }

  bool actedDuringTheRun = false;
  QTemporaryDir folder;
};

const QRegularExpression kClockTime(QStringLiteral("^\\d{1,2}:\\d\\d:\\d\\d$"));

TEST_F(RunTest, a_run_of_100_digits_shows_three_lines_the_terms_and_the_times) {
  c.Text17->setText(QStringLiteral("100"));
  menus.mrun->trigger();
  const QStringList lines = listLines();
  ASSERT_EQ(lines.size(), 3);
  EXPECT_EQ(lines[0], QStringLiteral(
      "3.1415926535  8979323846  2643383279  5028841971  6939937510   : 50"));
  EXPECT_EQ(lines[1], QStringLiteral(
      "  5820974944  5923078164  0628620899  8628034825  3421170679   : 100"));
  EXPECT_TRUE(lines[2].startsWith(QStringLiteral("  ")));
  EXPECT_EQ(c.Label3->text(), QStringLiteral("99"));
  EXPECT_EQ(c.Label11->text(), QStringLiteral("99"));
  EXPECT_TRUE(kClockTime.match(c.Label2->text()).hasMatch()) << c.Label2->text().toStdString();
  EXPECT_TRUE(kClockTime.match(c.Label25->text()).hasMatch()) << c.Label25->text().toStdString();
  EXPECT_EQ(c.Label1->text(), QStringLiteral(" "));
  EXPECT_FALSE(c.Text17->isReadOnly());
  EXPECT_TRUE(c.HScroll1->isEnabled());
  EXPECT_EQ(QApplication::focusWidget(), c.HScroll1) << "the focus comes back after the run";
}

TEST_F(RunTest, a_run_above_45000_digits_leaves_the_list_empty) {
  c.HScroll1->setValue(4501);
  ASSERT_EQ(listLines(), QStringList{overLimitNotice()});
  menus.mrun->trigger();
  EXPECT_TRUE(listLines().isEmpty());
  EXPECT_EQ(c.Label11->text(), c.Label3->text());
  EXPECT_FALSE(c.Label3->text().trimmed().isEmpty());
}

TEST_F(RunTest, the_counter_shows_every_counter_step_of_each_series_then_the_total) {
  state.CounterStep = 100;
  c.Text17->setText(QStringLiteral("1000"));
  QSignalSpy counter(c.Label11, &CaptionLabel::captionChanged);
  menus.mrun->trigger();
  QStringList shown;
  for (const QList<QVariant>& change : counter) shown << change.at(0).toString();
  EXPECT_EQ(shown, (QStringList{" ", "100", "200", "313", "413", "513", "613", "713", "813",
                                "913", "931"}));
  EXPECT_EQ(c.Label3->text(), QStringLiteral("931"));
}

TEST_F(RunTest, the_run_command_does_nothing_for_a_count_of_zero_or_below) {
  for (const char* count : {"0", "00", "-5", "-0.5"}) {
    c.Text17->setText(QString::fromUtf8(count));
    c.List1->addItem(QStringLiteral("kept"));
    QSignalSpy counter(c.Label11, &CaptionLabel::captionChanged);
    menus.mrun->trigger();
    EXPECT_EQ(counter.count(), 0) << count;
    EXPECT_EQ(listLines(), QStringList{QStringLiteral("kept")}) << count;
    c.List1->clear();
  }
}

TEST_F(RunTest, a_run_writes_the_result_file_named_by_result_file_path) {
  const QString path = folder.filePath(QStringLiteral("pi.txt"));
  state.ResultFilePath = path.toStdString();
  c.Text17->setText(QStringLiteral("100"));
  menus.mrun->trigger();
  EXPECT_EQ(c.Label1->text(), path);
  const QByteArray file = readFile(path);
  EXPECT_EQ(file.count("\r\n"), 5) << "two header lines and three digit lines";
  EXPECT_TRUE(file.contains("\"3.1415926535  8979323846"));
  EXPECT_TRUE(file.contains(c.Label2->text().toLatin1()));
}

TEST_F(RunTest, during_a_run_the_count_is_locked_and_a_second_run_command_does_nothing) {
  c.Text17->setText(QStringLiteral("2000"));
  QSignalSpy counter(c.Label11, &CaptionLabel::captionChanged);
  duringTheRun([this] {
    EXPECT_TRUE(program.runCommand().running());
    EXPECT_TRUE(c.Text17->isReadOnly());
    EXPECT_FALSE(c.HScroll1->isEnabled());
    c.Text17->setFocus();
    QTest::keyClicks(c.Text17, QStringLiteral("99"));
    menus.mrun->trigger();
    QTest::mouseClick(c.pictureButtons[1]->image(), Qt::LeftButton);
  });
  menus.mrun->trigger();
  ASSERT_TRUE(actedDuringTheRun);
  EXPECT_EQ(c.Text17->text(), QStringLiteral("2000"));
  EXPECT_EQ(std::count_if(counter.begin(), counter.end(),
                          [](const QVariantList& change) { return change.at(0) == " "; }),
            1)
      << "no second run started";
  EXPECT_EQ(listLines().size(), 41);
  EXPECT_FALSE(program.runCommand().running());
  EXPECT_FALSE(c.Text17->isReadOnly());
  EXPECT_TRUE(c.HScroll1->isEnabled());
}

TEST_F(RunTest, commands_that_open_windows_stay_available_during_a_run) {
  c.Text17->setText(QStringLiteral("2000"));
  duringTheRun([this] {
    menus.mopt->trigger();
    menus.mhelpv->trigger();
  });
  menus.mrun->trigger();
  ASSERT_TRUE(actedDuringTheRun);
  EXPECT_EQ(dialogs.openings, (QStringList{"Form4", "Form3"}));
  EXPECT_EQ(c.List1->count(), 41);
}

TEST_F(RunTest, exit_during_a_run_ends_it_and_keeps_the_earlier_result_file) {
  const QString path = folder.filePath(QStringLiteral("pi.txt"));
  {
    QFile earlier(path);
    ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
    earlier.write("earlier result\r\n");
  }
  state.ResultFilePath = path.toStdString();
  c.Text17->setText(QStringLiteral("20000"));
  duringTheRun([this] { menus.mend->trigger(); });
  menus.mrun->trigger();
  ASSERT_TRUE(actedDuringTheRun);
  EXPECT_EQ(endRequests, 1);
  EXPECT_EQ(c.Label25->text(), QStringLiteral(" ")) << "the run did not reach its end";
  EXPECT_EQ(readFile(path), QByteArray("earlier result\r\n"));
  EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{QStringLiteral("pi.txt")});
}

TEST_F(RunTest, closing_the_window_during_a_run_ends_the_program_as_exit_does) {
  c.Text17->setText(QStringLiteral("20000"));
  duringTheRun([this] { form.close(); });
  menus.mrun->trigger();
  ASSERT_TRUE(actedDuringTheRun);
  EXPECT_EQ(endRequests, 1);
  EXPECT_EQ(c.Label25->text(), QStringLiteral(" "));
}

TEST_F(RunTest, a_result_file_that_cannot_be_created_is_reported_and_the_window_stays_usable) {
  const QString path = folder.filePath(QStringLiteral("missing/pi.txt"));
  state.ResultFilePath = path.toStdString();
  c.Text17->setText(QStringLiteral("100"));
  c.List1->addItem(QStringLiteral("old line"));
  QString message;
  watchdog.expectModal([&](QWidget* window) {
    auto* box = qobject_cast<QMessageBox*>(window);
    ASSERT_NE(box, nullptr);
    message = box->text();
    box->button(QMessageBox::Ok)->click();
  });
  menus.mrun->trigger();
  EXPECT_TRUE(message.contains(QStringLiteral("結果ファイルを作成できません。"))) << message.toStdString();
  EXPECT_TRUE(message.contains(path)) << message.toStdString();
  EXPECT_TRUE(message.contains(QStringLiteral("No such file or directory"))) << message.toStdString();
  EXPECT_EQ(c.Label1->text(), path) << "what the run had shown stays";
  EXPECT_TRUE(listLines().isEmpty());
  EXPECT_FALSE(c.Text17->isReadOnly());
  EXPECT_TRUE(c.HScroll1->isEnabled());

  state.ResultFilePath = " ";
  menus.mrun->trigger();
  EXPECT_EQ(c.List1->count(), 3) << "the next run works";
}

}  // namespace
}  // namespace zembra::ui::test
