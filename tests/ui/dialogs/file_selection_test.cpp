#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QDir>
#include <sys/wait.h>
#include <unistd.h>

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
    writeBytes(folder.file("sub/x.txt"), "x");  // the same name in another folder
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
    ASSERT_EQ(files->item(0)->text(), "x.txt");
    EXPECT_EQ(files->item(1)->text(), "y.txt");
    // The same name picked in this folder: the path follows the folder.
    QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, entry);
    EXPECT_EQ(label(dialog), base + "/sub/x.txt");
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
        EXPECT_EQ(dialog.findChild<DirectoryList*>("Dir1")->shownPath(), base);
        dialog.close();
      },
      Volumes({"/", "/zembra-missing-volume"}));
  EXPECT_EQ(message.remove(QChar(0x200B)),
            "ドライブ「/zembra-missing-volume」を開けません。\nNo such file or directory");
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
    EXPECT_EQ(folders->shownPath(), base);
    EXPECT_EQ(folders->currentItem()->text().trimmed(), "[" + QDir(base).dirName() + "]")
        << "the highlight is back on the folder shown";
    dialog.close();
  });
  EXPECT_TRUE(message.contains(QChar(0x200B))) << "the path may wrap";
  message.remove(QChar(0x200B));
  EXPECT_TRUE(message.contains(base + "/sub")) << message.toStdString();
  EXPECT_TRUE(message.contains("No such file or directory")) << message.toStdString();
}

TEST(Volumes, a_path_belongs_to_the_longest_mount_point_that_holds_it) {
  const Volumes volumes({"/", "/home", "/home/user/usb"});
  EXPECT_EQ(volumes.volumeOf("/etc"), "/");
  EXPECT_EQ(volumes.volumeOf("/home"), "/home");
  EXPECT_EQ(volumes.volumeOf("/home/user/usb/a"), "/home/user/usb");
  EXPECT_EQ(volumes.volumeOf("/homework"), "/");
  EXPECT_EQ(joinPath(QByteArray("/data"), QByteArray()), "/data/");  // an emptied name
}

TEST(Volumes, drives_are_chosen_by_file_system_so_removable_media_count_wherever_mounted) {
  const Volumes volumes = Volumes::fromMounts({
      {"/run/media/user/USB", "vfat", true},   {"/proc", "proc", true},
      {"/media/user/CARD", "exfat", true},     {"/run", "tmpfs", true},
      {"/etc/hosts", "ext4", false},           {"/", "overlay", true},
      {"/home", "ext4", true},                 {"/sys/fs/cgroup", "cgroup2", true},
  });
  EXPECT_EQ(volumes.mountPoints(),
            (QStringList{"/", "/home", "/media/user/CARD", "/run/media/user/USB"}));
}

TEST_F(FileSelection, the_drive_follows_the_folder_across_a_mount_point) {
  open(
      base,
      [&](FileSelectionDialog& dialog) {
        auto* drives = dialog.findChild<DriveList*>("Drive1");
        auto* folders = dialog.findChild<DirectoryList*>("Dir1");
        EXPECT_EQ(drives->drive(), "/");
        folders->setCurrentItem(folders->findItems("sub", Qt::MatchEndsWith).value(0));
        QTest::keyClick(folders, Qt::Key_Return);
        EXPECT_EQ(drives->drive(), base + "/sub");
        folders->setCurrentRow(0);  // the root
        QTest::keyClick(folders, Qt::Key_Return);
        EXPECT_EQ(drives->drive(), "/");
        EXPECT_EQ(folders->shownPath(), "/");
        dialog.close();
      },
      Volumes({"/", base + "/sub"}));
}

TEST_F(FileSelection, a_drive_whose_last_folder_is_gone_opens_at_its_mount_point) {
  const QString volume = base + "/sub";
  std::filesystem::create_directory(folder.path() / "sub" / "gone");
  // A message box would block here until the watchdog closes it, and fail.
  open(
      volume + "/gone",
      [&](FileSelectionDialog& dialog) {
        auto* drives = dialog.findChild<DriveList*>("Drive1");
        auto* folders = dialog.findChild<DirectoryList*>("Dir1");
        drives->setDrive("/");  // away from the volume; it remembers ".../gone"
        std::filesystem::remove(folder.path() / "sub" / "gone");
        drives->setDrive(volume);
        EXPECT_EQ(folders->shownPath(), volume);
        EXPECT_EQ(drives->drive(), volume);
        dialog.close();
      },
      Volumes({"/", volume}));
}

TEST_F(FileSelection, a_file_name_that_is_not_utf8_is_listed_and_stored_as_it_is) {
  const std::string latin1Name = "caf\xE9.txt";  // "café" in Latin-1
  writeBytes((folder.path() / latin1Name).string(), "old");
  open(base, [&](FileSelectionDialog& dialog) {
    auto* files = dialog.findChild<FileList*>("File1");
    const QList<QListWidgetItem*> shown = files->findItems("caf", Qt::MatchStartsWith);
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown.first()->text(), QStringLiteral("caf\uFFFD.txt"));
    QTest::mouseClick(files->viewport(), Qt::LeftButton, {},
                      files->visualItemRect(shown.first()).center());
    confirm(dialog);
  });
  EXPECT_EQ(settings.resultFilePath, folder.path().string() + "/" + latin1Name);
  EXPECT_EQ(readBytes(settings.resultFilePath), "old") << "the stored path opens the file";
}

TEST_F(FileSelection, the_drive_list_shortens_long_mount_points_in_the_middle_and_tips_them_whole) {
  const QStringList mounts{"/", "/media/someone/a-long-volume-label-number-one",
                           "/media/someone/a-long-volume-label-number-two"};
  open(
      base,
      [&](FileSelectionDialog& dialog) {
        auto* drives = dialog.findChild<DriveList*>("Drive1");
        ASSERT_EQ(drives->count(), 3);
        EXPECT_NE(drives->itemText(1), drives->itemText(2)) << "the two volumes can be told apart";
        for (int i = 1; i < 3; ++i) {
          EXPECT_TRUE(drives->itemText(i).contains(QChar(0x2026))) << "shortened";
          EXPECT_LT(drives->fontMetrics().horizontalAdvance(drives->itemText(i)), drives->width());
          EXPECT_EQ(drives->itemData(i, Qt::ToolTipRole).toString(), mounts[i]);
        }
        dialog.close();
      },
      Volumes(mounts));
}

TEST(FileSelectionStart, opens_in_the_program_folder_where_it_is_writable_else_at_home) {
  TempFolder program;
  const QString folder = QString::fromStdString(program.path().string());
  EXPECT_EQ(FileSelectionDialog::startDirectory(folder), folder);
  if (::geteuid() != 0) {
    GTEST_SKIP() << "needs root to test an ordinary user's view of a root-owned folder";
  }
  // As an ordinary user, in a child process: the root-owned folder is not
  // writable for it.
  int channel[2];
  ASSERT_EQ(::pipe(channel), 0);
  const pid_t child = ::fork();
  if (child == 0) {
    if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(90);
    const QByteArray start = FileSelectionDialog::startDirectory(folder).toUtf8();
    ::_exit(::write(channel[1], start.constData(), start.size()) == start.size() ? 0 : 91);
  }
  ::close(channel[1]);
  char buffer[4096];
  const ssize_t got = ::read(channel[0], buffer, sizeof buffer);
  ::close(channel[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(QString::fromUtf8(buffer, got > 0 ? got : 0), QDir::homePath());
}

}  // namespace
}  // namespace zembra::ui
