#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "tests/engine/temp_folder.h"
#include "tests/ui/dialogs/modal_driver.h"
#include "ui/dialogs/directory_list.h"
#include "ui/dialogs/drive_list.h"
#include "ui/dialogs/file_list.h"
#include "ui/dialogs/file_selection_dialog.h"

namespace zembra::ui {
namespace {

class FileSelection : public ::testing::Test {
 protected:
  void SetUp() override {
    writeBytes(folder.file("x.txt"), "x");
    writeBytes(folder.file(".hidden"), "h");
    std::filesystem::create_directory(folder.path() / "sub");
    writeBytes(folder.file("sub/y.txt"), "y");
  }

  // Opens the dialog, moves it to `start`, and runs `act` inside it.
  void open(const QString& start, const std::function<void(FileSelectionDialog&)>& act,
            Volumes volumes = Volumes({"/"})) {
    auto* dialog = new FileSelectionDialog(settings, std::move(volumes));
    dialog->findChild<DirectoryList*>("Dir1")->setPath(start);
    test::whenModal([dialog, act] { act(*dialog); });
    const auto watchdog = test::armWatchdog();
    dialog->exec();
    EXPECT_FALSE(*watchdog) << "the dialog stayed open";
  }

  static QString label(FileSelectionDialog& dialog) { return dialog.findChild<QLabel*>("Label1")->text(); }
  static QLineEdit* name(FileSelectionDialog& dialog) { return dialog.findChild<QLineEdit*>("Text1"); }
  static void confirm(FileSelectionDialog& dialog) {
    QTest::mouseClick(dialog.findChild<QPushButton*>("Command1"), Qt::LeftButton);
  }

  TempFolder folder;
  RunSettings settings;
  QString base = QString::fromStdString(folder.path().string());
};

TEST_F(FileSelection, the_path_follows_every_keystroke_and_only_confirm_stores_it) {
  QStringList seen;
  open(base, [&](FileSelectionDialog& dialog) {
    seen << label(dialog);
    QTest::keyClicks(name(dialog), "a");
    seen << label(dialog);
    QTest::keyClicks(name(dialog), "b");
    seen << label(dialog);
    confirm(dialog);
  });
  EXPECT_EQ(seen, (QStringList{" ", base + "/a", base + "/ab"}));
  EXPECT_EQ(settings.resultFilePath, (base + "/ab").toStdString());
  open("/", [&](FileSelectionDialog& dialog) {
    QTest::keyClicks(name(dialog), "pi.txt");
    EXPECT_EQ(label(dialog), "/pi.txt");  // no second separator after the root
    QTest::keyClick(&dialog, Qt::Key_Escape);  // no cancel key: the dialog stays
    EXPECT_TRUE(dialog.isVisible());
    dialog.close();
  });
  EXPECT_EQ(settings.resultFilePath, (base + "/ab").toStdString());
  open(base, [&](FileSelectionDialog& dialog) { confirm(dialog); });
  EXPECT_EQ(settings.resultFilePath, " ");
}

TEST_F(FileSelection, a_picked_name_keeps_its_folder_until_the_name_changes) {
  open(base, [&](FileSelectionDialog& dialog) {
    auto* files = dialog.findChild<FileList*>("File1");
    ASSERT_EQ(files->count(), 1);  // x.txt; the hidden file and the folder are not listed
    const QPoint entry = files->visualItemRect(files->item(0)).center();
    QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, entry);
    QTest::keyClicks(name(dialog), "2");
    QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, entry);  // again
    EXPECT_EQ(label(dialog), base + "/x.txt");
    auto* folders = dialog.findChild<DirectoryList*>("Dir1");
    folders->setCurrentItem(folders->findItems("sub", Qt::MatchEndsWith).value(0));
    QTest::keyClick(folders, Qt::Key_Return);  // opens the folder
    EXPECT_EQ(label(dialog), base + "/x.txt");
    EXPECT_EQ(files->item(0)->text(), "y.txt");
    QTest::keyClick(name(dialog), Qt::Key_End);
    QTest::keyClicks(name(dialog), "2");
    EXPECT_EQ(label(dialog), base + "/sub/x.txt2");
    confirm(dialog);
  });
  EXPECT_EQ(settings.resultFilePath, (base + "/sub/x.txt2").toStdString());
}

TEST_F(FileSelection, an_unreadable_volume_shows_the_reason_and_puts_the_drive_back) {
  settings.resultFilePath = "/earlier.txt";
  QString message;
  open(
      base,
      [&](FileSelectionDialog& dialog) {
        auto* drives = dialog.findChild<DriveList*>("Drive1");
        test::whenModal([&] { message = test::takeMessageBox(); });
        drives->setCurrentIndex(1);  // a volume that cannot be read
        EXPECT_EQ(drives->drive(), "/");
        EXPECT_EQ(dialog.findChild<DirectoryList*>("Dir1")->path(), base);
        dialog.close();
      },
      Volumes({"/", "/zembra-missing-volume"}));
  EXPECT_EQ(message, "No such file or directory");
  EXPECT_EQ(settings.resultFilePath, "/earlier.txt");
}

TEST_F(FileSelection, taking_the_focus_into_the_file_list_keeps_the_typed_name) {
  open(base, [&](FileSelectionDialog& dialog) {
    QTest::keyClicks(name(dialog), "new.txt");
    auto* files = dialog.findChild<FileList*>("File1");
    files->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(label(dialog), base + "/new.txt");
    QTest::keyClick(files, Qt::Key_Down);  // choosing by key picks the entry
    EXPECT_EQ(label(dialog), base + "/x.txt");
    dialog.close();
  });
}

TEST_F(FileSelection, a_folder_that_cannot_be_opened_is_reported_and_the_list_stays) {
  QString message;
  open(base, [&](FileSelectionDialog& dialog) {
    auto* folders = dialog.findChild<DirectoryList*>("Dir1");
    const QList<QListWidgetItem*> sub = folders->findItems("sub", Qt::MatchEndsWith);
    ASSERT_EQ(sub.size(), 1);
    std::filesystem::remove_all(folder.path() / "sub");  // gone since it was listed
    folders->setCurrentItem(sub.first());
    test::whenModal([&] { message = test::takeMessageBox(); });
    QTest::keyClick(folders, Qt::Key_Return);
    EXPECT_EQ(folders->path(), base);
    dialog.close();
  });
  EXPECT_TRUE(message.contains(base + "/sub")) << message.toStdString();
  EXPECT_TRUE(message.contains("No such file or directory")) << message.toStdString();
}

TEST(Volumes, a_path_belongs_to_the_longest_mount_point_that_holds_it) {
  const Volumes volumes({"/", "/home", "/home/user/usb"});
  EXPECT_EQ(volumes.volumeOf("/etc"), "/");
  EXPECT_EQ(volumes.volumeOf("/home"), "/home");
  EXPECT_EQ(volumes.volumeOf("/home/user/usb/a"), "/home/user/usb");
  EXPECT_EQ(volumes.volumeOf("/homework"), "/");
  EXPECT_EQ(Volumes::system().mountPoints().first(), "/");
  EXPECT_EQ(joinPath("/data", ""), "/data/");  // an emptied name
}

}  // namespace
}  // namespace zembra::ui
