#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <new>
#include <cstdio>
#include <sstream>

#include "cli/plain_number.h"
#include "cli/progress_bar.h"
#include "cli/run_cli.h"
#include "tests/engine/temp_folder.h"
#include "tests/reference/pi_mpfr.h"

// Allocations of this size or more fail while it is set, as in a process
// that has run out of memory.
static std::atomic<std::size_t> failAllocationsFrom{0};

void* operator new(std::size_t size) {
  const std::size_t limit = failAllocationsFrom.load(std::memory_order_relaxed);
  if (limit != 0 && size >= limit) throw std::bad_alloc();
  if (void* block = std::malloc(size == 0 ? 1 : size)) return block;
  throw std::bad_alloc();
}
// The replaced operator new takes its blocks from malloc.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
#pragma GCC diagnostic pop

namespace zembra::cli {
namespace {

std::string contents(std::FILE* file) {
  std::rewind(file);
  std::string text;
  char buffer[4096];
  while (std::size_t n = std::fread(buffer, 1, sizeof buffer, file)) text.append(buffer, n);
  std::fclose(file);
  return text;
}

struct CliResult {
  int status;
  std::string out, err;
  std::vector<std::string> lines;  // of out
};

CliResult runTool(const std::vector<std::string>& arguments) {
  std::FILE* out = std::tmpfile();
  std::FILE* err = std::tmpfile();
  CliResult result{runCli(arguments, out, err), contents(out), contents(err), {}};
  std::istringstream in(result.out);
  for (std::string line; std::getline(in, line);) result.lines.push_back(line);
  return result;
}

TEST(Cli, prints_the_digit_lines_for_any_count) {
  const CliResult result = runTool({"120"});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.err, "");  // not a terminal: no progress bar
  ASSERT_EQ(result.lines.size(), 3u);
  EXPECT_EQ(result.lines[0].substr(0, 14), "3." + reference::piDecimals(10) + "  ");
  EXPECT_EQ(result.lines[2].size(), 2u + 3 * 12);               // a partial line of three groups
  EXPECT_EQ(runTool({"--quiet", "45010"}).lines.size(), 901u);  // past the window's limit
}

TEST(Cli, writes_the_result_file_and_prints_no_lines) {
  TempFolder folder;
  const CliResult result = runTool({"40", "-o", folder.file("pi.txt")});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, "");
  const std::string file = readBytes(folder.file("pi.txt"));
  EXPECT_NE(file.find("40\"\r\n"), std::string::npos);
  EXPECT_NE(file.find("\"3." + reference::piDecimals(10) + "  "), std::string::npos);
}

TEST(Cli, bad_usage_gets_one_english_line_and_status_2) {
  for (const std::vector<std::string>& arguments :
       std::vector<std::vector<std::string>>{{"abc"},
                                             {"-5"},
                                             {"327641"},
                                             {"inf"},
                                             {"--bogus", "10"},
                                             {},
                                             {"10", "20"},
                                             {"10", "-o"}}) {
    const CliResult result = runTool(arguments);
    EXPECT_EQ(result.status, 2) << result.err;
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err.rfind("zembra32-cli: ", 0), 0u) << result.err;
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
  }
}

TEST(Cli, a_file_that_cannot_be_written_names_the_path_and_leaves_nothing) {
  TempFolder folder;
  const std::string path = folder.file("missing/pi.txt");
  const CliResult result = runTool({"100", "-o", path});
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.err.find(path + ": No such file or directory"), std::string::npos);
  EXPECT_EQ(folder.entryCount(), 0u);
  EXPECT_EQ(runTool({"--help"}).lines[0], "Usage: zembra32-cli DIGITS [-o FILE] [--quiet]");
}

TEST(Cli, running_out_of_memory_gets_a_clear_message_status_1_and_keeps_the_old_file) {
  TempFolder folder;
  const std::string path = folder.file("pi.txt");
  writeBytes(path, "old result\n");
  failAllocationsFrom = 64 * 1024;  // the limb arrays of 327,640 digits are larger
  const CliResult result = runTool({"327640", "-o", path});
  failAllocationsFrom = 0;
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, "zembra32-cli: not enough memory for the computation\n");
  EXPECT_EQ(readBytes(path), "old result\n");
  EXPECT_EQ(folder.entryCount(), 1u);
}

TEST(ProgressBar, shows_terms_done_of_the_total_and_clears_its_line) {
  std::FILE* terminal = std::tmpfile();
  ProgressBar bar(terminal);
  bar.update(0, 931);
  bar.update(465, 931);  // within a tenth of a second: not redrawn
  bar.finish();
  const std::string shown = contents(terminal);
  EXPECT_NE(shown.find("0/931 terms  elapsed 0:00"), std::string::npos) << shown;
  EXPECT_EQ(shown.find("465/931"), std::string::npos) << shown;
  EXPECT_EQ(shown.substr(shown.size() - 4), "\r\033[K");
}

TEST(PlainNumber, accepts_decimal_numbers_and_nothing_else) {
  EXPECT_EQ(parsePlainNumber(" +12.5 "), 12.5);
  EXPECT_EQ(parsePlainNumber("1e3"), 1000.0);
  for (const char* bad : {"", " ", "inf", "nan", "0x1p3", "1e", "1..2", "12a", "-", "."}) {
    EXPECT_FALSE(parsePlainNumber(bad).has_value()) << bad;
  }
}

}  // namespace
}  // namespace zembra::cli
