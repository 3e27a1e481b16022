#include <fcntl.h>
#include <gtest/gtest.h>
#include <pty.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <cstdio>
#include <filesystem>
#include <sstream>

#include "cli/plain_number.h"
#include "cli/run_cli.h"
#include "tests/engine/temp_folder.h"
#include "tests/reference/reference.h"

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

bool readable(std::FILE* file) {
  const int flags = ::fcntl(::fileno(file), F_GETFL);
  return (flags & O_ACCMODE) != O_WRONLY;
}

struct CliResult {
  int status;
  std::string out, err;
  std::vector<std::string> lines;  // of out
};

// Runs the tool with `out` as standard output (a fresh temporary file by
// default).
CliResult runTool(const std::vector<std::string>& arguments, std::FILE* out = std::tmpfile()) {
  std::FILE* err = std::tmpfile();
  const int status = runCli(arguments, out, err);
  CliResult result{status, readable(out) ? contents(out) : (std::fclose(out), ""), contents(err), {}};
  std::istringstream in(result.out);
  for (std::string line; std::getline(in, line);) result.lines.push_back(line);
  return result;
}

// Without -o the tool prints the digit lines (the window's limit does not
// apply); with it, the result file and nothing on standard output. Every form
// of the command line, and the count in the header as the window shows it.
TEST(Cli, prints_the_digit_lines_or_writes_the_result_file_in_every_accepted_form) {
  const std::string firstGroup = "3." + reference::piDecimals(10);
  for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
           {"--", "10"}, {"10", "--"}, {"-q", "--", "10"}, {"--quiet", "10"}, {" 1e1 "}}) {
    const CliResult result = runTool(arguments);
    EXPECT_EQ(result.status, 0) << result.err;
    ASSERT_EQ(result.lines.size(), 1u) << result.err;
    EXPECT_EQ(result.lines[0].substr(0, 14), firstGroup + "  ");
  }
  const CliResult lines = runTool({"120"});
  EXPECT_EQ(lines.err, "");  // not a terminal: no progress bar
  ASSERT_EQ(lines.lines.size(), 3u);
  EXPECT_EQ(lines.lines[2].size(), 2u + 3 * 12);  // a partial line of three groups
  EXPECT_EQ(runTool({"--quiet", "45010"}).lines.size(), 901u);
  TempFolder folder;
  const std::string file = folder.file("pi.txt");
  for (const auto& [arguments, shownCount] :
       std::vector<std::pair<std::vector<std::string>, std::string>>{
           {{"10", "-o", file}, "10"},
           {{"--output=" + file, "4e1"}, "40"},
           {{"--output", file, "--", "+40.0"}, "40"},
           {{"12.5", "-o", file}, "12.5"}}) {
    std::filesystem::remove(file);
    const CliResult result = runTool(arguments);
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "");
    EXPECT_NE(readBytes(file).find("\x81\x81" + shownCount + "\"\r\n"), std::string::npos);
    EXPECT_NE(readBytes(file).find("\"" + firstGroup + "  "), std::string::npos);
  }
}

// Standard error on a terminal (a pseudo-terminal here): the progress bar
// shows, and is cleared at the end, unless --quiet.
TEST(Cli, the_progress_bar_goes_to_a_terminal_unless_quiet) {
  for (bool quiet : {false, true}) {
    int terminal = -1, side = -1;
    ASSERT_EQ(::openpty(&terminal, &side, nullptr, nullptr, nullptr), 0);
    std::FILE* err = ::fdopen(side, "w");
    std::vector<std::string> arguments{"20000"};
    if (quiet) arguments.push_back("--quiet");
    EXPECT_EQ(runCli(arguments, std::tmpfile(), err), 0);
    std::fclose(err);
    ::fcntl(terminal, F_SETFL, O_NONBLOCK);
    std::string shown;
    char buffer[4096];
    for (ssize_t got; (got = ::read(terminal, buffer, sizeof buffer)) > 0;) shown.append(buffer, got);
    ::close(terminal);
    EXPECT_EQ(shown.empty(), quiet);
    if (quiet) continue;
    EXPECT_NE(shown.find(" terms  elapsed 0:00"), std::string::npos) << shown;
    EXPECT_EQ(shown.substr(shown.size() - 4), "\r\033[K") << "the line cleared";
  }
}

TEST(Cli, every_bad_usage_gets_one_english_line_that_says_what_is_wrong_and_status_2) {
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{"abc"}, "the digit count is not a number: abc"},
      {{"-5"}, "the digit count must not be negative: -5"},
      {{"327641"}, "the digit count must not exceed 327640: 327641"},
      {{"1e400"}, "the digit count is out of range: 1e400"},
      {{"--bogus", "10"}, "unknown option: --bogus"},
      {{}, "missing digit count"},
      {{"10", "20"}, "more than one digit count: 20"},
      {{"10", "-o"}, "missing file name after -o"},
      {{"10", "--output"}, "missing file name after --output"},
      {{"10", "--output="}, "missing file name after --output"},
      {{"10", "-o", ""}, "missing file name after -o"},
      {{"10", "-o", "a", "-o", "b"}, "more than one output file: -o b"},
      {{"10", "--output=a", "--output", "b"}, "more than one output file: --output b"},
      {{"--", "--help"}, "the digit count is not a number: --help"},
      {{"--", "10", "--"}, "more than one digit count: --"},
  };
  for (const auto& [arguments, message] : cases) {
    const CliResult result = runTool(arguments);
    EXPECT_EQ(result.status, 2) << message;
    EXPECT_EQ(result.out, "") << message;
    EXPECT_EQ(result.err, "zembra32-cli: " + message + " (try --help)\n");
  }
}

TEST(Cli, dash_as_the_file_writes_the_result_file_to_standard_output) {
  TempFolder folder;
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(folder.path());
  const CliResult result = runTool({"10", "-o", "-"});
  std::filesystem::current_path(before);
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out.rfind("\"\x89\x7E\x8E\xFC", 0), 0u) << "the Shift-JIS header first";
  EXPECT_NE(result.out.find("\"3." + reference::piDecimals(10) + "  "), std::string::npos);
  EXPECT_EQ(folder.entryCount(), 0u) << "no file named -";
}

// Standard output on a full disk: every form says so and exits 1.
TEST(Cli, a_standard_output_that_cannot_be_written_gives_status_1_and_a_message) {
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{"--help"}, "cannot write the help to standard output: No space left on device"},
      {{"--version"}, "cannot write the version to standard output: No space left on device"},
      {{"10"}, "cannot write the digits to standard output: No space left on device"},
      {{"10", "-o", "-"}, "cannot write the result file to standard output: No space left on device"},
  };
  for (const auto& [arguments, message] : cases) {
    std::FILE* full = std::fopen("/dev/full", "w");
    if (!full) GTEST_SKIP() << "no /dev/full here";
    const CliResult result = runTool(arguments, full);
    EXPECT_EQ(result.status, 1) << message;
    EXPECT_EQ(result.err, "zembra32-cli: " + message + "\n");
  }
}

TEST(Cli, a_file_that_cannot_be_written_names_the_path_and_leaves_nothing) {
  TempFolder folder;
  const std::string path = folder.file("missing/pi.txt");
  const CliResult result = runTool({"100", "-o", path});
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.err.find(path + ": No such file or directory"), std::string::npos);
  EXPECT_EQ(folder.entryCount(), 0u);
  EXPECT_EQ(runTool({"--help"}).lines[0], "Usage: zembra32-cli [OPTIONS] [--] DIGITS");
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

TEST(PlainNumber, accepts_decimal_numbers_and_nothing_else) {
  EXPECT_EQ(parsePlainNumber(" +12.5 "), 12.5);
  EXPECT_EQ(parsePlainNumber("1e3"), 1000.0);
  for (const char* bad : {"", " ", "inf", "nan", "0x1p3", "1e", "1..2", "12a", "-", "."}) {
    EXPECT_FALSE(parsePlainNumber(bad).has_value()) << bad;
  }
}

}  // namespace
}  // namespace zembra::cli
