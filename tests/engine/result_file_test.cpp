#include "engine/result_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

#include "engine/run_error.h"
#include "tests/engine/temp_folder.h"

namespace zembra {
namespace {

RunError::Kind failureKind(const std::function<void()>& action) {
  try {
    action();
  } catch (const RunError& error) {
    EXPECT_FALSE(error.reason().empty());
    return error.kind();
  }
  ADD_FAILURE() << "no RunError";
  return RunError::Kind::NotANumber;
}

TEST(ResultFile, lines_are_quoted_shift_jis_with_cr_lf_and_no_byte_order_mark) {
  TempFolder folder;
  const std::string path = folder.file("pi.txt");
  ResultFile file(path);
  file.writeLine("円周率の計算  桁数＝100");
  file.writeLine("3.14  ");
  file.commit();
  // Shift-JIS (code page 932) codes of 円周率の計算, 桁数 and the full-width "＝".
  const std::string expected =
      "\"\x89\x7E\x8E\xFC\x97\xA6\x82\xCC\x8C\x76\x8E\x5A  \x8C\x85\x90\x94\x81\x81"
      "100\"\r\n"
      "\"3.14  \"\r\n";
  EXPECT_EQ(readBytes(path), expected);
}

TEST(ResultFile, the_earlier_file_stays_until_the_commit_and_nothing_else_is_left) {
  TempFolder folder;
  const std::string path = folder.file("pi.txt");
  writeBytes(path, "earlier");
  ::chmod(path.c_str(), 0640);
  {
    ResultFile file(path);
    file.writeLine("new");
    EXPECT_EQ(readBytes(path), "earlier");
    file.commit();
  }
  EXPECT_EQ(readBytes(path), "\"new\"\r\n");
  struct stat info {};
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);  // the replaced file keeps its permissions
  EXPECT_EQ(folder.entryCount(), 1u);
}

TEST(ResultFile, an_abandoned_file_leaves_the_earlier_one_and_no_stray_file) {
  TempFolder folder;
  const std::string path = folder.file("pi.txt");
  writeBytes(path, "earlier");
  {
    ResultFile file(path);
    file.writeLine("never committed");
  }
  EXPECT_EQ(readBytes(path), "earlier");
  EXPECT_EQ(folder.entryCount(), 1u);
  { ResultFile file(folder.file("new.txt")); }
  EXPECT_EQ(folder.entryCount(), 1u);
}

TEST(ResultFile, a_named_file_beside_the_target_is_renamed_or_removed) {
  TempFolder folder;
  const std::string path = folder.file("pi.txt");
  writeBytes(path, "earlier");
  {
    ResultFile file(path, nullptr, /*allowUnnamed=*/false);
    file.writeLine("abandoned");
    EXPECT_EQ(folder.entryCount(), 2u);  // the target and the new content beside it
  }
  EXPECT_EQ(readBytes(path), "earlier");
  EXPECT_EQ(folder.entryCount(), 1u);
  ResultFile file(path, nullptr, /*allowUnnamed=*/false);
  file.writeLine("new");
  file.commit();
  EXPECT_EQ(readBytes(path), "\"new\"\r\n");
  EXPECT_EQ(folder.entryCount(), 1u);
}

TEST(ResultFile, a_link_keeps_pointing_at_the_replaced_file) {
  TempFolder folder;
  writeBytes(folder.file("real.txt"), "earlier");
  std::filesystem::create_symlink(folder.file("real.txt"), folder.file("link.txt"));
  ResultFile file(folder.file("link.txt"));
  file.writeLine("new");
  file.commit();
  EXPECT_TRUE(std::filesystem::is_symlink(folder.file("link.txt")));
  EXPECT_EQ(readBytes(folder.file("real.txt")), "\"new\"\r\n");
}

TEST(ResultFile, targets_that_cannot_be_created_fail_at_once) {
  TempFolder folder;
  EXPECT_EQ(failureKind([&] { ResultFile file(folder.path().string()); }),
            RunError::Kind::FileOpen);  // a folder
  EXPECT_EQ(failureKind([&] { ResultFile file(folder.file("missing/pi.txt")); }),
            RunError::Kind::FileOpen);  // no such folder
  writeBytes(folder.file("plain"), "x");
  EXPECT_EQ(failureKind([&] { ResultFile file(folder.file("plain/pi.txt")); }),
            RunError::Kind::FileOpen);  // a file where a folder should be
  EXPECT_EQ(failureKind([&] { ResultFile file(""); }), RunError::Kind::FileOpen);
  EXPECT_EQ(readBytes(folder.file("plain")), "x");
}

// Runs `action` as an unprivileged user in a child process (as root, file
// permissions would not apply); returns its exit status.
int runUnprivileged(const std::function<int()>& action) {
  const pid_t child = ::fork();
  if (child == 0) {
    if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(90);
    ::_exit(action());
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 91;
}

TEST(ResultFile, a_folder_without_write_permission_fails_at_once) {
  TempFolder folder;
  const std::string path = folder.file("pi.txt");
  writeBytes(path, "earlier");
  ::chmod(path.c_str(), 0666);
  ::chmod(folder.path().c_str(), 0555);
  const int status = runUnprivileged([&] {
    try {
      ResultFile file(path);
    } catch (const RunError& error) {
      return error.kind() == RunError::Kind::FileOpen ? 0 : 2;
    }
    return 1;
  });
  EXPECT_EQ(status, 0);
  EXPECT_EQ(readBytes(path), "earlier");
}

// A write that fails after a few bytes, as a full disk would.
std::size_t bytesBeforeFailure = 0;
ssize_t failingWrite(int fd, const void* data, size_t size) {
  if (size > bytesBeforeFailure) {
    errno = ENOSPC;
    return -1;
  }
  bytesBeforeFailure -= size;
  return ::write(fd, data, size);
}

TEST(ResultFile, a_write_that_fails_midway_keeps_the_earlier_file) {
  TempFolder folder;
  const std::string path = folder.file("pi.txt");
  writeBytes(path, "earlier");
  bytesBeforeFailure = 10;
  EXPECT_EQ(failureKind([&] {
              ResultFile file(path, &failingWrite);
              for (int i = 0; i < 10000; ++i) file.writeLine("3.1415926535  8979323846");
              file.commit();
            }),
            RunError::Kind::FileWrite);
  EXPECT_EQ(readBytes(path), "earlier");
  EXPECT_EQ(folder.entryCount(), 1u);
}

}  // namespace
}  // namespace zembra
