#include "engine/result_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "engine/run_error.h"
#include "tests/engine/temp_folder.h"

namespace zembra {
namespace {

// The kind of RunError `action` throws, with the system's reason given.
RunError::Kind failureKind(const std::function<void()>& action) {
  try {
    action();
  } catch (const RunError& error) {
    EXPECT_FALSE(error.reason().empty());
    return error.kind();
  }
  ADD_FAILURE() << "no RunError";
  return RunError::Kind::Internal;
}

ResultFileOptions namedOrNot(bool allowUnnamed) {
  ResultFileOptions options;
  options.allowUnnamed = allowUnnamed;
  return options;
}

TEST(ResultFile, the_earlier_file_stays_until_the_commit_and_nothing_else_is_left) {
  for (bool unnamed : {true, false}) {  // an unnamed file, or one named beside the target
    TempFolder folder;
    const std::string path = folder.file("pi.txt");
    writeBytes(path, "earlier");
    ::chmod(path.c_str(), 0640);
    {
      ResultFile abandoned(path, namedOrNot(unnamed));
      abandoned.writeLine("never committed");
    }
    EXPECT_EQ(readBytes(path), "earlier");
    EXPECT_EQ(folder.entryCount(), 1u);
    ResultFile file(path, namedOrNot(unnamed));
    file.writeLine("new");
    file.commit();
    EXPECT_EQ(readBytes(path), "\"new\"\r\n");
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);  // the replaced file keeps its permissions
    EXPECT_EQ(folder.entryCount(), 1u);
  }
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

// A write that fails after a few bytes, as a full disk would.
std::size_t bytesBeforeFailure = 10;
ssize_t failingWrite(int fd, const void* data, size_t size) {
  if (size > bytesBeforeFailure) return errno = ENOSPC, -1;
  bytesBeforeFailure -= size;
  return ::write(fd, data, size);
}

TEST(ResultFile, a_write_that_fails_midway_keeps_the_earlier_file) {
  TempFolder folder;
  const std::string path = folder.file("pi.txt");
  writeBytes(path, "earlier");
  EXPECT_EQ(failureKind([&] {
              ResultFileOptions options;
              options.write = &failingWrite;
              ResultFile file(path, options);
              for (int i = 0; i < 10000; ++i) file.writeLine("3.1415926535  8979323846");
              file.commit();
            }),
            RunError::Kind::FileWrite);
  EXPECT_EQ(readBytes(path), "earlier");
  EXPECT_EQ(folder.entryCount(), 1u);
}

}  // namespace
}  // namespace zembra
