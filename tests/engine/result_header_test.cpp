#include "engine/result_header.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "tests/engine/child_process.h"
#include "tests/engine/temp_folder.h"

namespace zembra {
namespace {

// A result file's first line as stored: "円周率の計算  桁数＝10" quoted, in Shift-JIS.
const std::string kResultStart =
    "\"\x89\x7E\x8E\xFC\x97\xA6\x82\xCC\x8C\x76\x8E\x5A  \x8C\x85\x90\x94\x81\x81";

// Only an existing, non-empty regular file that does not start as a result file (or cannot be
// read) would be replaced unasked; pipes, devices and descriptors are never opened to look.
TEST(ReplacesOtherContent, only_for_a_regular_file_with_content_that_is_not_a_result) {
  TempFolder folder;
  const std::tuple<std::string, std::string, bool> files[] = {
      {"result.txt", kResultStart + "10\"\r\n\"3.1415926535  \"\r\n", false},
      {"notes.txt", "notes\n", true},
      {"program", std::string("\177ELF\2\1\1\0\0\0", 10), true},
      {"empty.txt", "", false},
      {"cut.txt", kResultStart.substr(0, 7), true},
      {"unquoted.txt", kResultStart.substr(1) + "10\r\n", true},
  };
  for (const auto& [name, bytes, asked] : files) {
    writeBytes(folder.file(name), bytes);
    EXPECT_EQ(replacesOtherContent(folder.file(name)), asked) << name;
  }
  ASSERT_EQ(::symlink("notes.txt", folder.file("to-notes").c_str()), 0);
  ASSERT_EQ(::symlink("result.txt", folder.file("to-result").c_str()), 0);
  ASSERT_EQ(::mkfifo(folder.file("fifo").c_str(), 0600), 0);
  std::filesystem::create_directory(folder.path() / "sub");
  const std::pair<std::string, bool> others[] = {
      {folder.file("to-notes"), true},
      {folder.file("to-result"), false},
      {folder.file("fifo"), false},
      {folder.file("sub"), false},
      {folder.file("missing.txt"), false},
      {folder.file("sub/../notes.txt"), true},
      {"/dev/null", false},
      {"/dev/fd/2", false},
  };
  for (const auto& [path, asked] : others) EXPECT_EQ(replacesOtherContent(path), asked) << path;
  // A file its owner may write but not read gets the question too.
  const std::string writeOnly = folder.file("write-only.txt");
  writeBytes(writeOnly, kResultStart);
  ::chmod(writeOnly.c_str(), 0200);
  ::chmod(folder.path().c_str(), 0755);
  if (test::runningAsRoot()) {
    ASSERT_EQ(::chown(writeOnly.c_str(), test::kNobody, -1), 0);
  }
  const auto asks = [&] { return std::string(replacesOtherContent(writeOnly) ? "asked" : "not"); };
  EXPECT_EQ(test::asOrdinaryUser(asks), "asked");
}

}  // namespace
}  // namespace zembra
