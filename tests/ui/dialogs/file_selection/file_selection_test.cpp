#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include "tests/engine/child_process.h"
#include "tests/engine/temp_folder.h"
#include "tests/ui/dialogs/modal_driver.h"
#include "ui/dialogs/file_selection/directory_list.h"
#include "ui/dialogs/file_selection/drive_list.h"
#include "ui/dialogs/file_selection/file_list.h"
#include "ui/dialogs/file_selection/file_selection_dialog.h"

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

  // Opens the dialog in the folder `start` and runs `act` inside it.
  void open(const QString& start, const std::function<void()>& act) {
    dialog = new FileSelectionDialog(resultFilePath, volumes);
    drives = dialog->findChild<DriveList*>("Drive1");
    folders = dialog->findChild<DirectoryList*>("Dir1");
    files = dialog->findChild<FileList*>("File1");
    name = dialog->findChild<QLineEdit*>("Text1");
    folders->setPath(start);
    test::runModal<QDialog>(dialog, [act](QDialog&) { act(); });
  }
  QString label() const { return dialog->findChild<QLabel*>("Label1")->text(); }
  void confirm() { QTest::mouseClick(dialog->findChild<QPushButton*>("Command1"), Qt::LeftButton); }
  void pick(int row) {
    QTest::mouseClick(files->viewport(), Qt::LeftButton, {},
                      files->visualItemRect(files->item(row)).center());
  }
  void enterFolder(const QString& shown) {
    folders->setCurrentItem(folders->findItems(shown, Qt::MatchEndsWith).value(0));
    QTest::keyClick(folders, Qt::Key_Return);
  }

  TempFolder folder;
  std::string resultFilePath{kNoResultFile};
  Volumes volumes{{"/"}};
  QString base = QString::fromStdString(folder.path().string());
  QDialog* dialog = nullptr;
  DriveList* drives = nullptr;
  DirectoryList* folders = nullptr;
  FileList* files = nullptr;
  QLineEdit* name = nullptr;
};

TEST_F(FileSelection, the_path_follows_typing_picking_and_the_folder_and_only_confirm_stores_it) {
  QStringList seen;
  open(base, [&] {
    ASSERT_EQ(files->count(), 1);  // x.txt; the hidden file and the folder are not listed
    for (const auto& [control, spoken] : {std::pair<QWidget*, const char*>{folders, "フォルダ"},
                                          {name, "ファイル名"},
                                          {files, "ファイル"}}) {
      EXPECT_EQ(QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name),
                QString::fromUtf8(spoken));
    }
    seen << label();
    QTest::keyClicks(name, "a");
    seen << label();
    files->setFocus(Qt::TabFocusReason);  // the focus alone picks nothing
    seen << label();
    QTest::keyClick(files, Qt::Key_Down);  // choosing by key picks the entry
    seen << label();
    enterFolder("sub");  // a picked name keeps its folder…
    seen << label();
    pick(0);  // …until a name is picked here, even the same name
    seen << label();
    QTest::keyClick(name, Qt::Key_End);
    QTest::keyClicks(name, "2");
    seen << label();
    confirm();
  });
  EXPECT_EQ(seen, (QStringList{" ", base + "/a", base + "/a", base + "/x.txt", base + "/x.txt",
                               base + "/sub/x.txt", base + "/sub/x.txt2"}));
  EXPECT_EQ(resultFilePath, (base + "/sub/x.txt2").toStdString());
  open("/", [&] {
    QTest::keyClicks(name, "pi.txt");
    EXPECT_EQ(label(), "/pi.txt");            // no second separator after the root
    QTest::keyClick(dialog, Qt::Key_Escape);  // no cancel key: the dialog stays
    EXPECT_TRUE(dialog->isVisible());
    dialog->close();
  });
  EXPECT_EQ(resultFilePath, (base + "/sub/x.txt2").toStdString()) << "closed: kept";
  writeBytes(folder.file("sub/caf\xE9.txt"), "old");  // "café" in Latin-1
  open(base + "/sub", [&] {
    ASSERT_EQ(files->item(0)->text(), QStringLiteral("caf\uFFFD.txt"));
    pick(0);
    confirm();
  });
  EXPECT_EQ(readBytes(resultFilePath), "old") << "a name not in UTF-8 stored as it is";
  open(base, [&] { confirm(); });
  EXPECT_EQ(resultFilePath, " ");
  open(base + "/sub", [&] {  // up through the folder above, a whole path like every one there
    enterFolder("[" + QString::fromStdString(folder.path().filename().string()) + "]");
    EXPECT_EQ(QString::fromUtf8(folders->path()), base);
    dialog->close();
  });
}

// The keyboard alone: Space picks the framed file (also a folder's only one), letters find a
// folder past its indentation, and a folder that cannot be opened leaves the list where it was.
TEST_F(FileSelection, the_keyboard_picks_files_finds_folders_and_keeps_the_list_in_place) {
  for (const char* name : {"alpha", "beta", "Bravo"}) {
    std::filesystem::create_directory(folder.path() / name);
  }
  std::filesystem::create_directory(folder.path() / "sub/two");
  for (const char* name : {"sub/two/a.txt", "sub/two/b.txt"}) writeBytes(folder.file(name), "");
  for (int i = 10; i < 40; ++i) {
    std::filesystem::create_directory(folder.path() /
                                      std::string(1, 'f').append(std::to_string(i)));
  }
  const auto current = [this] { return folders->currentItem()->text().trimmed(); };
  const auto tabInto = [this](QWidget* list) {  // the offscreen platform forgets the activation
    dialog->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
    folders->setFocus();
    list->setFocus(Qt::TabFocusReason);
  };
  const auto typeAhead = [this](const char* letters) {
    QTest::qWait(QApplication::keyboardInputInterval() + 50);  // a new search
    QTest::keyClicks(folders, letters);
  };
  open(base, [&] {
    tabInto(folders);
    typeAhead("b");
    EXPECT_EQ(current(), "beta");
    QTest::keyClicks(folders, "b");  // the same letter again: the next one
    EXPECT_EQ(current(), "Bravo");
    typeAhead("f3");
    EXPECT_EQ(current(), "f30");
    folders->scrollToBottom();
    const int scrolled = folders->verticalScrollBar()->value();
    ASSERT_GT(scrolled, 0);
    std::filesystem::remove(folder.path() / "f39");  // gone since it was listed
    test::whenModal([] { test::takeMessageBox(); });
    enterFolder("f39");
    EXPECT_EQ(folders->verticalScrollBar()->value(), scrolled);

    tabInto(files);
    EXPECT_EQ(label(), " ") << "framed, not picked";
    QTest::keyClick(files, Qt::Key_Space);
    EXPECT_EQ(label(), base + "/x.txt") << "the folder's only file";
    enterFolder("sub");
    tabInto(files);
    QTest::keyClick(files, Qt::Key_Space);
    EXPECT_EQ(label(), base + "/sub/x.txt") << "framed again in the next folder";
    QTest::keyClick(files, Qt::Key_Down);
    EXPECT_EQ(label(), base + "/sub/y.txt");
    enterFolder("two");
    tabInto(files);
    QTest::keyClick(files, Qt::Key_Down);
    EXPECT_EQ(label(), base + "/sub/two/a.txt") << "the first arrow picks the first";
    dialog->close();
  });
}

// A path too long for the label is shortened in its folders, the file name kept, and shown whole
// in the tip; "確認" stores it whole.
TEST_F(FileSelection, a_long_path_is_shown_shortened_with_its_name_and_stored_whole) {
  const std::string deep = folder.file(std::string(60, 'a') + "/" + std::string(60, 'b'));
  std::filesystem::create_directories(deep);
  const QString whole = QString::fromStdString(deep) + "/pi.txt";
  open(QString::fromStdString(deep), [&] {
    QTest::keyClicks(name, "pi.txt");
    const auto* shown = dialog->findChild<QLabel*>("Label1");
    EXPECT_TRUE(shown->text().contains(QChar(0x2026))) << shown->text().toStdString();
    EXPECT_TRUE(shown->text().endsWith("/pi.txt"));
    EXPECT_LE(shown->fontMetrics().horizontalAdvance(shown->text()), shown->width());
    EXPECT_EQ(shown->toolTip(), whole);
    confirm();
  });
  EXPECT_EQ(resultFilePath, whole.toStdString());
}

// Long mount points are shortened in the middle and shown whole in their tips.
TEST_F(FileSelection, the_drive_follows_the_folder_and_what_cannot_be_opened_is_reported_in_place) {
  resultFilePath = "/earlier.txt";
  const QStringList mounts{"/", base + "/a-long-volume-label-number-one",
                           base + "/a-long-volume-label-number-two", "/zembra-missing-volume"};
  std::filesystem::create_directories(mounts[1].toStdString() + "/gone");
  std::filesystem::create_directory(mounts[2].toStdString());
  volumes = Volumes(mounts);
  QStringList messages;
  const auto takeMessage = [&] { messages << test::takeMessageBox(); };
  open(base, [&] {
    ASSERT_EQ(drives->count(), 4);
    EXPECT_NE(drives->itemText(1), drives->itemText(2)) << "the two volumes can be told apart";
    for (int i = 1; i < 3; ++i) {
      EXPECT_TRUE(drives->itemText(i).contains(QChar(0x2026))) << "shortened";
      EXPECT_LT(drives->fontMetrics().horizontalAdvance(drives->itemText(i)), drives->width());
      EXPECT_EQ(drives->itemData(i, Qt::ToolTipRole).toString(), mounts[i]);
    }
    test::whenModal(takeMessage);
    drives->setCurrentIndex(3);
    EXPECT_EQ(drives->drive(), "/");
    EXPECT_EQ(folders->shownPath(), base);
    std::filesystem::remove_all(folder.path() / "sub");  // gone since it was listed
    test::whenModal(takeMessage);
    enterFolder("sub");
    EXPECT_EQ(folders->shownPath(), base);
    EXPECT_EQ(folders->currentItem()->text().trimmed(), "[" + QDir(base).dirName() + "]")
        << "the highlight is back on the folder shown";

    enterFolder("number-one");
    EXPECT_EQ(drives->drive(), mounts[1]);
    enterFolder("gone");
    folders->setCurrentRow(0);  // the root
    QTest::keyClick(folders, Qt::Key_Return);
    EXPECT_EQ(drives->drive(), "/");
    EXPECT_EQ(folders->shownPath(), "/");
    // Back to the volume, whose last folder is gone: no message box.
    std::filesystem::remove(mounts[1].toStdString() + "/gone");
    drives->setDrive(mounts[1]);
    EXPECT_EQ(folders->shownPath(), mounts[1]);
    EXPECT_EQ(drives->drive(), mounts[1]);
    dialog->close();
  });
  ASSERT_EQ(messages.size(), 2);
  EXPECT_TRUE(messages[1].contains(QChar(0x200B))) << "the path may wrap";
  EXPECT_EQ(
      messages.replaceInStrings(QChar(0x200B), ""),
      (QStringList{"ドライブ「/zembra-missing-volume」を開けません。\nNo such file or directory",
                   "フォルダ「" + base + "/sub」を開けません。\nNo such file or directory"}));
  EXPECT_EQ(resultFilePath, "/earlier.txt");
}

// Under /media and /run/media whatever is mounted (a memory or image file system too), but the
// kernel's interfaces and automount points, which are never looked at; elsewhere file systems
// that hold user files.
TEST(Volumes, drives_are_chosen_by_place_and_file_system_and_a_path_belongs_to_the_longest) {
  QStringList lookedAt;
  const Volumes volumes =
      Volumes::fromMounts({{"/run/media/user/USB", "vfat"},
                           {"/proc", "proc"},
                           {"/media/user/CARD", "exfat"},
                           {"/run", "tmpfs"},
                           {"/etc/hosts", "ext4"},
                           {"/", "overlay"},
                           {"/home", "ext4"},
                           {"/sys/fs/cgroup", "cgroup2"},
                           {"/media/user/RAM", "tmpfs"},
                           {"/run/media/user/ISO", "squashfs"},
                           {"/media/user/net", "autofs"},
                           {"/media/proc", "proc"},
                           {"/mnt/auto", "autofs"}},
                          [&](const QString& path) {
                            lookedAt << path;
                            return path != "/etc/hosts";  // a single file mounted in place
                          });
  EXPECT_EQ(volumes.mountPoints(), (QStringList{"/", "/home", "/media/user/CARD", "/media/user/RAM",
                                                "/run/media/user/ISO", "/run/media/user/USB"}));
  EXPECT_FALSE(lookedAt.contains("/media/user/net") || lookedAt.contains("/mnt/auto"))
      << "an automount point is never looked at: that would mount it";
  EXPECT_EQ(volumes.volumeOf("/etc"), "/");
  EXPECT_EQ(volumes.volumeOf("/home"), "/home");
  EXPECT_EQ(volumes.volumeOf("/run/media/user/USB/a"), "/run/media/user/USB");
  EXPECT_EQ(volumes.volumeOf("/homework"), "/");
  EXPECT_EQ(joinPath(QByteArray("/data"), QByteArray()), "/data/");  // an emptied name
}

// An installed program lives in a folder its users cannot write (/usr/bin): the dialog then
// opens in the home folder.
TEST(FileSelectionStart, opens_in_the_program_folder_where_it_is_writable_else_at_home) {
  TempFolder program;
  const QString folder = QString::fromStdString(program.path().string());
  EXPECT_EQ(FileSelectionDialog::startDirectory(folder), folder);
  ::chmod(program.path().c_str(), 0555);
  const auto start = [&] { return FileSelectionDialog::startDirectory(folder).toStdString(); };
  EXPECT_EQ(test::asOrdinaryUser(start), QDir::homePath().toStdString());
}

}  // namespace
}  // namespace zembra::ui
