#include <fcntl.h>
#include <gtest/gtest.h>
#include <pty.h>
#include <sched.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <tuple>

#include "cli/options.h"
#include "cli/plain_number.h"
#include "cli/run_cli.h"
#include "engine/error.h"
#include "engine/quoted.h"
#include "tests/engine/child_process.h"
#include "tests/engine/temp_folder.h"
#include "tests/reference/reference.h"

namespace zembra::cli {
namespace {

using Arguments = std::vector<std::string>;

struct CliResult {
  int status;
  std::string out, err;
};

// The tool run in this process, its standard output a temporary file or, when `full`, a full disk.
CliResult runTool(const Arguments& arguments, bool full = false) {
  std::FILE *out = full ? std::fopen("/dev/full", "w") : std::tmpfile(), *err = std::tmpfile();
  const int status = runCli(arguments, out, err);
  if (full) std::fclose(out);
  return {status, full ? "" : test::contentsOf(out), test::contentsOf(err)};
}

// The digit lines (beyond the window's limit too), or only the result file with the count.
TEST(Cli, prints_the_digit_lines_or_writes_the_result_file_in_every_accepted_form) {
  TempFolder folder;
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(folder.path());  // where a file named - would go
  const std::string file = folder.file("pi.txt");
  const std::string firstGroup = "3." + reference::piDecimals(10) + "  ";
  struct Case {
    Arguments arguments;
    std::ptrdiff_t lines;    // on standard output
    std::string shownCount;  // in the result file's header; "" for no file
  };
  for (const Case& c : std::vector<Case>{{{"--", "10"}, 1, ""},
                                         {{"10", "--"}, 1, ""},
                                         {{"-q", "--", "10"}, 1, ""},
                                         {{" 1e1 "}, 1, ""},
                                         {{"--quiet", "45010"}, 901, ""},
                                         {{"10", "-o", "-"}, 3, "10"},
                                         {{"10", "-o", file}, 0, "10"},
                                         {{"--output=" + file, "4e1"}, 0, "40"},
                                         {{"--output", file, "--", "+40.0"}, 0, "40"},
                                         {{"12.5", "-o", file}, 0, "12.5"},
                                         {{"0", "-o", file}, 0, "0"}}) {
    SCOPED_TRACE(c.arguments.back());
    std::filesystem::remove(file);
    const CliResult result = runTool(c.arguments);
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.err, "");  // not a terminal: no progress bar
    EXPECT_EQ(std::count(result.out.begin(), result.out.end(), '\n'), c.lines);
    if (c.shownCount.empty()) {
      EXPECT_EQ(result.out.rfind(firstGroup, 0), 0u);
      continue;
    }
    const std::string text = c.arguments.back() == "-" ? result.out : readBytes(file);
    EXPECT_EQ(text.rfind("\"\x89\x7E\x8E\xFC", 0), 0u) << "the Shift-JIS header first";
    EXPECT_NE(text.find("\x81\x81" + c.shownCount + "\"\r\n"), std::string::npos);
    EXPECT_EQ(text.find("\"" + firstGroup) != std::string::npos, c.shownCount != "0");
  }
  EXPECT_FALSE(std::filesystem::exists("-"));
  std::filesystem::current_path(before);
}

// The header's times as a Japanese system writes them, H:MM:SS: at five in the morning "5:…".
TEST(Cli, writes_the_times_without_a_leading_zero_in_the_hour) {
  TempFolder folder;
  const std::time_t now = std::time(nullptr);
  std::tm utc{};
  gmtime_r(&now, &utc);
  const std::string zone = "UTC+" + std::to_string((utc.tm_hour - 5 + 24) % 24);  // local 5:xx
  const char* const before = std::getenv("TZ");
  const std::string saved = before ? before : "";
  setenv("TZ", zone.c_str(), 1);
  tzset();
  const CliResult result = runTool({"10", "-o", folder.file("pi.txt")});
  before ? setenv("TZ", saved.c_str(), 1) : unsetenv("TZ");
  tzset();
  ASSERT_EQ(result.status, 0) << result.err;
  const std::string text = readBytes(folder.file("pi.txt"));
  // "開始時刻＝H:MM:SS  終了時刻＝H:MM:SS" in Shift-JIS, the hour 5 or 6 (it may turn meanwhile).
  const std::string start = "\"\x8A\x4A\x8E\x6E\x8E\x9E\x8D\x8F\x81\x81";
  const std::string end = "  \x8F\x49\x97\xB9\x8E\x9E\x8D\x8F\x81\x81";
  const auto isTime = [](const std::string& t) {
    const auto digit = [&t](std::size_t i, char most) { return t[i] >= '0' && t[i] <= most; };
    return t.size() == 7 && (t[0] == '5' || t[0] == '6') && t[1] == ':' && t[4] == ':' &&
           digit(2, '5') && digit(3, '9') && digit(5, '5') && digit(6, '9');
  };
  const std::string second = text.substr(text.find('\n') + 1);
  const std::string line = second.substr(0, second.find('\n') + 1);
  const std::string first = line.substr(start.size(), 7);
  const std::string last = line.substr(start.size() + 7 + end.size(), 7);
  EXPECT_TRUE(isTime(first) && isTime(last)) << text;
  EXPECT_EQ(line, start + first + end + last + "\"\r\n");
}

// Standard error on a pseudo-terminal: the progress bar shows and is cleared at the end.
TEST(Cli, the_progress_bar_goes_to_a_terminal_unless_quiet) {
  for (bool quiet : {false, true}) {
    int terminal = -1, side = -1;
    ASSERT_EQ(::openpty(&terminal, &side, nullptr, nullptr, nullptr), 0);
    std::FILE* err = ::fdopen(side, "w");
    EXPECT_EQ(
        runCli(quiet ? Arguments{"20000", "--quiet"} : Arguments{"20000"}, std::tmpfile(), err), 0);
    std::fclose(err);
    ::fcntl(terminal, F_SETFL, O_NONBLOCK);
    const std::string shown = test::readToEnd(terminal);
    EXPECT_EQ(shown.empty(), quiet);
    if (quiet) continue;
    EXPECT_NE(shown.find(" terms  elapsed 0:00"), std::string::npos) << shown;
    EXPECT_EQ(shown.substr(shown.size() - 4), "\r\033[K") << "the line cleared";
  }
}

// What parseOptions says is wrong with `arguments`; "" when nothing is.
std::string usageErrorOf(const Arguments& arguments) {
  try {
    parseOptions(arguments);
  } catch (const Error& error) {
    EXPECT_EQ(error.kind(), Error::Kind::Usage);
    return error.what();
  }
  return "";
}

// Counts at and around each limit, in every form the tool reads: a sign, a fraction, an exponent,
// blanks. An accepted count is shown in the header as a plain number.
TEST(Cli, counts_at_and_around_each_limit_are_taken_or_refused_in_every_form) {
  const auto forms = [](const std::string& n) {
    const std::string signed_ = std::string("+").append(n), blank = std::string(" ").append(n);
    return Arguments{n, signed_, n + ".0", n + "e0", n + "000E-3", blank + "\t"};
  };
  const std::string tooLarge = "the digit count must not exceed 327640: ";
  const std::string negative = "the digit count must not be negative: ";
  const std::pair<std::string, std::string> cases[] = {
      {"0", ""}, {"1", ""}, {"45000", ""}, {"45001", ""}, {"327640", ""}, {"327641", tooLarge},
  };
  for (const auto& [count, refusal] : cases) {
    for (const std::string& form : forms(count)) {
      EXPECT_EQ(usageErrorOf({form}), refusal.empty() ? "" : refusal + quotedForMessage(form));
      if (!refusal.empty()) continue;
      const Options options = parseOptions({form});
      EXPECT_EQ(options.digitCount, std::stod(count)) << form;
      EXPECT_EQ(options.digitText, count) << form;
    }
  }
  for (const char* form : {"-1", "-1.0", "-1e0", "-0.5", " -1 "}) {
    EXPECT_EQ(usageErrorOf({"--", form}), negative + form);
  }
  EXPECT_EQ(usageErrorOf({"327640.5"}), tooLarge + "327640.5");
  EXPECT_EQ(parseOptions({"--", "-0"}).digitText, "0");
  EXPECT_EQ(parseOptions({"44999.5"}).digitText, "44999.5") << "a fraction stays as typed";
}

// The largest count: 6,553 full lines; π's decimals up to the count, the guard group after.
TEST(Cli, the_largest_count_prints_every_line_with_pis_decimals) {
  const CliResult result = runTool({"327640"});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(std::count(result.out.begin(), result.out.end(), '\n'), 6553);
  const std::string pi = reference::piDecimals(327640);
  std::string last = "  ";  // the last line's first four groups: decimals 327,601 to 327,640
  for (int group = 32760; group < 32764; ++group) last.append(pi, 10 * group, 10).append("  ");
  const std::size_t lastLine = result.out.rfind('\n', result.out.size() - 2) + 1;
  EXPECT_EQ(result.out.substr(lastLine, last.size()), last);
  EXPECT_EQ(result.out.substr(result.out.size() - 12), "   : 327650\n");
}

// The real program writing to a pipe whose reader has gone: a message and status 1, not a
// death by SIGPIPE; on standard output, and on a pipe named with -o.
TEST(Cli, a_reader_that_goes_away_is_reported_with_status_1) {
  TempFolder folder;
  const std::string fifo = folder.file("fifo");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const std::pair<std::string, std::string> cases[] = {
      {"\"$0\" 100000 | head -c 1 >/dev/null; exit ${PIPESTATUS[0]}",
       "cannot write the digits to standard output: Broken pipe"},
      {"\"$0\" 100000 -o - | head -c 1 >/dev/null; exit ${PIPESTATUS[0]}",
       "cannot write the result file to standard output: Broken pipe"},
      {"head -c 1 \"$1\" >/dev/null & \"$0\" 100000 -o \"$1\"",
       "cannot write " + fifo + ": Broken pipe"},
  };
  for (const auto& [command, message] : cases) {
    const test::ProgramResult run =
        test::runProgram({"/bin/bash", "-c", command, ZEMBRA_CLI_PROGRAM, fifo}, {});
    EXPECT_EQ(run.status, 1) << command;
    EXPECT_EQ(run.err, "zembra32-cli: " + message + "\n") << command;
  }
}

// --find prints each sequence's places in order (overlapping ones too), or that it does not
// occur, with status 0, instead of the lines; -o FILE still writes the file.
TEST(Cli, find_prints_where_each_sequence_begins_instead_of_the_lines) {
  TempFolder folder;
  const std::string pi = reference::piDecimals(1000);
  std::string nines;
  for (std::size_t at = pi.find("99"); at != std::string::npos; at = pi.find("99", at + 1)) {
    nines += "99 " + std::to_string(at + 1) + "\n";
  }
  const CliResult found =
      runTool({"--find", "999999", "--find=99", "--find", "0123456789", "1000"});
  EXPECT_EQ(found.status, 0);
  EXPECT_EQ(found.out,
            "999999 762\n" + nines + "0123456789 does not occur in the first 1000 decimals\n");
  // Places 97 … 100 as the file prints them, past the count: not searched.
  const CliResult guard = runTool({"--find", "4", "-o", folder.file("pi.txt"), "98"});
  const std::string file = readBytes(folder.file("pi.txt"));
  ASSERT_NE(file.find(pi.substr(80, 10)), std::string::npos) << "the file is written as well";
  const std::string past = file.substr(file.rfind("   : 100") - 4, 4);
  EXPECT_EQ(runTool({"--find", past, "98"}).out,
            past + " does not occur in the first 98 decimals\n");
  EXPECT_EQ(guard.status, 0);
}

// Bad usage exits 2, prints nothing on standard output and points to --help; a failed run
// (standard output full, a file that cannot be made) exits 1. One English line says why.
TEST(Cli, bad_usage_exits_2_and_a_failed_run_1_each_with_one_line_saying_what_is_wrong) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
  TempFolder folder;
  const std::string missing = folder.file("missing/pi.txt");
  const std::string full = "No space left on device", noSuch = ": No such file or directory";
  const int kBadUsage = 2, kFailed = 1;  // a failed run writes to a full standard output
  const std::vector<std::tuple<Arguments, int, std::string>> cases = {
      {{"abc"}, kBadUsage, "the digit count is not a number: abc"},
      {{"-5"}, kBadUsage, "the digit count must not be negative: -5"},
      {{"327641"}, kBadUsage, "the digit count must not exceed 327640: 327641"},
      {{"1e400"}, kBadUsage, "the digit count is out of range: 1e400"},
      {{"--bogus", "10"}, kBadUsage, "unknown option: --bogus"},
      {{}, kBadUsage, "missing digit count"},
      {{"10", "20"}, kBadUsage, "more than one digit count: 20"},
      {{"10", "--output"}, kBadUsage, "missing file name after --output"},
      {{"10", "--output="}, kBadUsage, "missing file name after --output"},
      {{"10", "-o", "a", "--output", "b"}, kBadUsage, "more than one output file: --output b"},
      {{"--", "--help"}, kBadUsage, "the digit count is not a number: --help"},
      {{"1\x1b[31m"}, kBadUsage, "the digit count is not a number: '1'$'\\033''[31m'"},  // quoted
      {{"--\nbogus"}, kBadUsage, "unknown option: '--'$'\\n''bogus'"},
      {{"10", "--find"}, kBadUsage, "missing digits after --find"},
      {{"10", "--find="}, kBadUsage, "missing digits after --find"},
      {{"10", "--find", "12a"}, kBadUsage, "--find takes decimal digits only: 12a"},
      {{"--find", "1", "-o", "-", "10"},
       kBadUsage,
       "--find and -o - would both write to standard output"},
      {{"--help"}, kFailed, "cannot write the help to standard output: " + full},
      {{"--version"}, kFailed, "cannot write the version to standard output: " + full},
      {{"10"}, kFailed, "cannot write the digits to standard output: " + full},
      {{"10", "-o", "-"}, kFailed, "cannot write the result file to standard output: " + full},
      {{"100", "-o", missing}, kFailed, "cannot create " + missing + noSuch},
      {{"100", "-o", missing + "\n"}, kFailed, "cannot create '" + missing + "'$'\\n'" + noSuch},
  };
  for (const auto& [arguments, status, message] : cases) {
    const CliResult result = runTool(arguments, status == kFailed);
    EXPECT_EQ(result.status, status) << message;
    EXPECT_EQ(result.out, "") << message;
    EXPECT_EQ(result.err,
              "zembra32-cli: " + message + (status == kBadUsage ? " (try --help)\n" : "\n"));
  }
  EXPECT_EQ(folder.entryCount(), 0u) << "nothing left behind";
}

// The real program: a variable not taken as given is said once, on standard error, and
// --version shows it with the kernel and the threads, which never outnumber the processors.
TEST(Cli, an_environment_variable_not_taken_is_said_once_and_shown_by_version) {
  const std::string kernelNote = "ZEMBRA_KERNEL=bogus is not a kernel (portable, avx2 or avx512)";
  const std::string threadsNote = "ZEMBRA_THREADS=abc is not a positive whole number";
  const test::ProgramResult run =
      test::runProgram({ZEMBRA_CLI_PROGRAM, "10"}, {"ZEMBRA_KERNEL=bogus", "ZEMBRA_THREADS=abc"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out.rfind("3.1415926535", 0), 0u);
  EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 2) << run.err;
  EXPECT_EQ(run.err.find("zembra32-cli: " + threadsNote), 0u) << run.err;
  EXPECT_NE(run.err.find("\nzembra32-cli: " + kernelNote + "; using "), std::string::npos);

  const test::ProgramResult version =
      test::runProgram({ZEMBRA_CLI_PROGRAM, "--version"}, {"ZEMBRA_KERNEL=bogus"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.err, "");
  EXPECT_NE(version.out.find("\n" + kernelNote + "; using "), std::string::npos) << version.out;
  // On one processor, 99999 threads are cut to one.
  cpu_set_t one;
  CPU_ZERO(&one);
  CPU_SET(0, &one);
  const test::ProgramResult cut = test::runProgram(
      {ZEMBRA_CLI_PROGRAM, "--version"}, {"ZEMBRA_THREADS=99999"}, std::chrono::seconds(60),
      [&one] { ::sched_setaffinity(0, sizeof one, &one); });
  EXPECT_NE(cut.out.find(", 1 thread)\nZEMBRA_THREADS=99999 is more than the 1 processor this "
                         "program may run on; using 1 thread\n"),
            std::string::npos)
      << cut.out;
}

TEST(PlainNumber, accepts_decimal_numbers_and_nothing_else) {
  EXPECT_EQ(readPlainNumber(" +12.5 ").value, 12.5);
  EXPECT_EQ(readPlainNumber("1e3").value, 1000.0);
  for (const char* bad : {"", " ", "inf", "nan", "0x1p3", "1e", "1..2", "12a", "-", "."}) {
    EXPECT_FALSE(readPlainNumber(bad).value.has_value()) << bad;
  }
}

}  // namespace
}  // namespace zembra::cli
