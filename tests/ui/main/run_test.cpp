// Runs from the main window: labels, list, result file, the counter, and
// what the window allows while a run goes on.

#include <QAbstractButton>
#include <QDir>
#include <QMessageBox>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>

#include "tests/ui/main/form1_fixture.h"
#include "ui/main/list_notice.h"

namespace zembra::ui::test {
namespace {

class Run : public Form1Test {
 protected:
  // Runs `count` digits, doing `action` (its effect to be checked) inside the
  // first event pump of the run.
  void run(const char* count, const std::function<void()>& action = {}) {
    c.Text17->setText(QString::fromUtf8(count));
    QObject guard;  // no action after the run
    if (action) QTimer::singleShot(0, &guard, action);
    menus.mrun->trigger();
  }
  static QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
  bool unlocked() const { return !c.Text17->isReadOnly() && c.HScroll1->isEnabled(); }

  QTemporaryDir folder;
  const QString path = folder.filePath(QStringLiteral("pi.txt"));
};

TEST_F(Run, of_100_digits_shows_three_lines_the_terms_and_the_times_and_writes_the_file) {
  state.ResultFilePath = path.toStdString();
  run("100");
  const QStringList lines = listLines();
  ASSERT_EQ(lines.size(), 3);
  EXPECT_EQ(lines[0], "3.1415926535  8979323846  2643383279  5028841971  6939937510   : 50");
  EXPECT_EQ(lines[1], "  5820974944  5923078164  0628620899  8628034825  3421170679   : 100");
  EXPECT_TRUE(lines[2].startsWith("  "));
  EXPECT_EQ(c.Label3->text(), QStringLiteral("99"));
  EXPECT_EQ(c.Label11->text(), QStringLiteral("99"));
  const QRegularExpression clockTime(QStringLiteral("^\\d{1,2}:\\d\\d:\\d\\d$"));
  EXPECT_TRUE(clockTime.match(c.Label2->text()).hasMatch()) << c.Label2->text().toStdString();
  EXPECT_TRUE(clockTime.match(c.Label25->text()).hasMatch()) << c.Label25->text().toStdString();
  EXPECT_EQ(c.Label1->text(), path);
  const QByteArray file = readFile(path);
  EXPECT_EQ(file.count("\r\n"), 5) << "two header lines and three digit lines";
  EXPECT_TRUE(file.contains("\"3.1415926535  8979323846"));
  EXPECT_TRUE(file.contains(c.Label2->text().toLatin1()));
  EXPECT_TRUE(unlocked());
  EXPECT_EQ(QApplication::focusWidget(), c.HScroll1) << "the focus comes back after the run";
}

TEST_F(Run, the_counter_shows_every_counter_step_of_each_series_then_the_total) {
  state.CounterStep = 100;
  QSignalSpy counter(c.Label11, &CaptionLabel::captionChanged);
  run("1000");
  QStringList shown;
  for (const QVariantList& change : counter) shown << change.at(0).toString();
  EXPECT_EQ(shown, (QStringList{" ", "100", "200", "313", "413", "513", "613", "713", "813", "913",
                                "931"}));
  EXPECT_EQ(c.Label3->text(), QStringLiteral("931"));
}

TEST_F(Run, of_zero_or_fewer_digits_does_nothing_and_of_45010_shows_no_lines) {
  QSignalSpy counter(c.Label11, &CaptionLabel::captionChanged);
  for (const char* count : {"0", "00", "-5", "-0.5"}) {
    c.Text17->setText(QString::fromUtf8(count));
    c.List1->addItem(QStringLiteral("kept"));
    menus.mrun->trigger();
    EXPECT_EQ(listLines(), QStringList{QStringLiteral("kept")}) << count;
  }
  EXPECT_EQ(counter.count(), 0);
  c.HScroll1->setValue(4501);
  ASSERT_EQ(listLines(), QStringList{overLimitNotice()});
  menus.mrun->trigger();
  EXPECT_TRUE(listLines().isEmpty()) << "the notice goes and no digit line comes";
  EXPECT_EQ(c.Label11->text(), c.Label3->text());
  EXPECT_FALSE(c.Label3->text().trimmed().isEmpty());
}

TEST_F(Run, locks_the_count_ignores_a_second_run_and_lets_windows_open_meanwhile) {
  QSignalSpy counter(c.Label11, &CaptionLabel::captionChanged);
  run("2000", [this] {
    EXPECT_TRUE(c.Text17->isReadOnly() && !c.HScroll1->isEnabled()) << "locked";
    c.Text17->setFocus();
    QTest::keyClicks(c.Text17, QStringLiteral("99"));
    menus.mrun->trigger();
    QTest::mouseClick(c.pictureButtons[1]->image(), Qt::LeftButton);
    menus.mopt->trigger();
    menus.mhelpv->trigger();
  });
  EXPECT_EQ(c.Text17->text(), QStringLiteral("2000"));
  EXPECT_EQ(counter.count({QStringLiteral(" ")}), 1) << "no second run started";
  EXPECT_EQ(listLines().size(), 41);
  EXPECT_EQ(dialogs.openings, (QStringList{"Form4", "Form3"}));
  EXPECT_TRUE(unlocked());
}

TEST_F(Run, exit_during_a_run_ends_it_and_keeps_the_earlier_result_file) {
  QFile earlier(path);
  ASSERT_TRUE(earlier.open(QIODevice::WriteOnly) && earlier.write("earlier\r\n") == 9);
  earlier.close();
  state.ResultFilePath = path.toStdString();
  run("20000", [this] { menus.mend->trigger(); });
  EXPECT_EQ(endRequests, 1);
  EXPECT_EQ(c.Label25->text(), QStringLiteral(" ")) << "the run did not reach its end";
  EXPECT_EQ(readFile(path), QByteArray("earlier\r\n"));
  EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{QStringLiteral("pi.txt")});
}

TEST_F(Run, a_result_file_that_cannot_be_created_is_reported_and_the_window_stays_usable) {
  const QString missing = folder.filePath(QStringLiteral("missing/pi.txt"));
  state.ResultFilePath = missing.toStdString();
  c.Text17->setText(QStringLiteral("100"));
  c.List1->addItem(QStringLiteral("old line"));
  QString message;
  expectModal = [&](QWidget* window) {
    auto* box = qobject_cast<QMessageBox*>(window);
    ASSERT_NE(box, nullptr);
    message = box->text();
    box->button(QMessageBox::Ok)->click();
  };
  menus.mrun->trigger();
  for (const QString& expected : {QStringLiteral("結果ファイルを作成できません。"), missing,
                                  QStringLiteral("No such file or directory")}) {
    EXPECT_TRUE(message.contains(expected)) << message.toStdString();
  }
  EXPECT_EQ(c.Label1->text(), missing) << "what the run had shown stays";
  EXPECT_TRUE(listLines().isEmpty());
  EXPECT_TRUE(unlocked());
  state.ResultFilePath = " ";
  menus.mrun->trigger();
  EXPECT_EQ(c.List1->count(), 3) << "the next run works";
}

}  // namespace
}  // namespace zembra::ui::test
