// What a result path names: resolved one component at a time, its folder held to the end.
#include "engine/result_file/result_target.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <filesystem>

#include "tests/engine/result_file/writes.h"
#include "tests/engine/temp_folder.h"

namespace zembra::test {
namespace {

namespace fs = std::filesystem;

// The sticky-folder rule for one link, as lstat gives the folder and the link.
TEST(ResultTarget, a_link_in_a_shared_sticky_folder_is_followed_only_for_its_owner_or_the_folders) {
  const uid_t self = 1000, folderOwner = 0, other = 1001;
  const std::tuple<mode_t, uid_t, bool> cases[] = {
      {01777, self, true},   {01777, folderOwner, true},
      {01777, other, false}, {01775, other, true},  // sticky, but not writable by all
      {00777, other, true},                         // writable by all, but not sticky
  };
  for (const auto& [mode, linkOwner, followed] : cases) {
    struct stat folder {
    }, link{};
    folder.st_mode = S_IFDIR | mode;
    folder.st_uid = folderOwner;
    link.st_mode = S_IFLNK | 0777;
    link.st_uid = linkOwner;
    EXPECT_EQ(mayFollowLink(self, folder, link), followed) << std::oct << mode << " " << linkOwner;
  }
}

// A folder on the path swapped for a link to another folder after the file was opened: the
// result still goes into the folder the path named at the start.
TEST(ResultTarget, a_folder_swapped_while_the_run_computes_changes_nothing) {
  for (const bool existing : {false, true}) {
    SCOPED_TRACE(existing ? "a file with two names, overwritten in place" : "a new file");
    TempFolder folder;
    fs::create_directory(folder.file("d"));
    fs::create_directory(folder.file("elsewhere"));
    writeBytes(folder.file("elsewhere/pi.txt"), "elsewhere\n");
    if (existing) {
      writeBytes(folder.file("d/pi.txt"), "earlier\n");
      fs::create_hard_link(folder.file("d/pi.txt"), folder.file("d/other.txt"));
    }
    EXPECT_EQ(outcomeOf([&] {
                ResultFile file(folder.file("d/pi.txt"));
                file.writeLine("new");
                fs::rename(folder.file("d"), folder.file("d.moved"));
                fs::create_directory_symlink("elsewhere", folder.file("d"));
                file.commit();
              }),
              "done");
    EXPECT_EQ(readBytes(folder.file("d.moved/pi.txt")), written());
    EXPECT_EQ(readBytes(folder.file("elsewhere/pi.txt")), "elsewhere\n");
  }
}

// A path of 4,095 bytes is written (its temporary file's name is short and relative); one of
// 4,096, which no system call takes, is refused before computing.
TEST(ResultTarget, the_longest_path_is_written_and_a_longer_one_refused_before_computing) {
  TempFolder folder;
  std::string path = folder.path().string();
  const std::string component(200, 'f');
  while (path.size() + 1 + component.size() + 1 + 20 < PATH_MAX - 1) {
    path.append(1, '/').append(component);
    ASSERT_EQ(::mkdir(path.c_str(), 0755), 0);
  }
  path.append(1, '/');
  path.append(PATH_MAX - 1 - path.size(), 'n');
  ASSERT_EQ(path.size(), std::size_t(PATH_MAX - 1));
  EXPECT_EQ(writeLines(path), "done");
  EXPECT_EQ(readBytes(path), written());
  EXPECT_EQ(runOutcome(path.append(1, 'x')), "cannot create: File name too long");
}

}  // namespace
}  // namespace zembra::test
