#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

#include "cli/plain_number.h"
#include "cli/progress_bar.h"
#include "cli/run_cli.h"
#include "tests/engine/temp_folder.h"
#include "tests/reference/pi_mpfr.h"

namespace zembra::cli {
namespace {

struct CliResult {
  int status;
  std::string out;
  std::string err;
};

std::string contents(std::FILE* file) {
  std::rewind(file);
  std::string text;
  char buffer[4096];
  while (std::size_t n = std::fread(buffer, 1, sizeof buffer, file)) text.append(buffer, n);
  std::fclose(file);
  return text;
}

CliResult runTool(const std::vector<std::string>& arguments) {
  std::FILE* out = std::tmpfile();
  std::FILE* err = std::tmpfile();
  const int status = runCli(arguments, out, err);
  return {status, contents(out), contents(err)};
}

std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

TEST(Cli, prints_the_digit_lines_without_quotes) {
  const CliResult result = runTool({"120"});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.err, "");  // not a terminal: no progress bar
  const auto lines = linesOf(result.out);
  ASSERT_EQ(lines.size(), 3u);
  const std::string pi = reference::piDecimals(120);
  std::string digits;
  for (const std::string& line : lines) {
    for (char c : line.substr(2, 60)) {
      if (c >= '0' && c <= '9') digits += c;
    }
  }
  EXPECT_EQ(digits.substr(0, 120), pi);
  EXPECT_EQ(lines[1].substr(lines[1].size() - 8), "   : 100");
  EXPECT_EQ(lines[2].size(), 2u + 3 * 12);  // a partial line of three groups
}

TEST(Cli, prints_every_line_above_the_list_limit) {
  const CliResult result = runTool({"--quiet", "45010"});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(linesOf(result.out).size(), 901u);  // 4,502 groups: 900 full lines and a partial
}

TEST(Cli, writes_the_result_file_and_prints_no_lines) {
  TempFolder folder;
  const std::string path = folder.file("pi.txt");
  const CliResult result = runTool({"40", "-o", path});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, "");
  const auto lines = linesOf(readBytes(path));
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].substr(lines[0].size() - 4), "40\"\r");
  EXPECT_EQ(lines[2], "\"3." + reference::piDecimals(10).substr(0, 10) + lines[2].substr(13));
  EXPECT_EQ(lines[2].substr(lines[2].size() - 9), "   : 50\"\r");
}

TEST(Cli, bad_usage_gets_one_english_line_and_status_2) {
  for (const std::vector<std::string>& arguments :
       std::vector<std::vector<std::string>>{{"abc"},
                                             {"-5"},
                                             {"327641"},
                                             {"inf"},
                                             {"0x10"},
                                             {"--bogus", "10"},
                                             {},
                                             {"10", "20"},
                                             {"10", "-o"}}) {
    const CliResult result = runTool(arguments);
    EXPECT_EQ(result.status, 2) << result.err;
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(linesOf(result.err).size(), 1u) << result.err;
    EXPECT_EQ(result.err.rfind("zembra32-cli: ", 0), 0u) << result.err;
  }
}

TEST(Cli, a_file_that_cannot_be_written_names_the_path_and_leaves_nothing) {
  TempFolder folder;
  const std::string path = folder.file("missing/pi.txt");
  const CliResult result = runTool({"100", "-o", path});
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.err.find(path), std::string::npos);
  EXPECT_NE(result.err.find("No such file or directory"), std::string::npos);
  EXPECT_EQ(folder.entryCount(), 0u);
}

TEST(Cli, help_and_version) {
  const CliResult help = runTool({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("Usage: zembra32-cli DIGITS"), std::string::npos);
  const CliResult version = runTool({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out.rfind("zembra32-cli ", 0), 0u);
}

TEST(ProgressBar, shows_terms_done_of_the_total_and_clears_its_line) {
  std::FILE* terminal = std::tmpfile();
  ProgressBar bar(terminal);
  bar.update(0, 931);
  bar.update(465, 931);  // within a tenth of a second: not redrawn
  bar.finish();
  const std::string shown = contents(terminal);
  EXPECT_NE(shown.find("0/931 terms"), std::string::npos) << shown;
  EXPECT_NE(shown.find("elapsed 0:00"), std::string::npos) << shown;
  EXPECT_EQ(shown.find("465/931"), std::string::npos) << shown;
  EXPECT_EQ(shown.substr(shown.size() - 4), "\r\033[K");
}

TEST(PlainNumber, accepts_decimal_numbers_and_nothing_else) {
  EXPECT_EQ(parsePlainNumber("1000"), 1000.0);
  EXPECT_EQ(parsePlainNumber(" +12.5 "), 12.5);
  EXPECT_EQ(parsePlainNumber("1e3"), 1000.0);
  EXPECT_EQ(parsePlainNumber(".5"), 0.5);
  for (const char* bad : {"", " ", "inf", "nan", "0x1p3", "1e", "e3", "1..2", "12a", "-", "."}) {
    EXPECT_FALSE(parsePlainNumber(bad).has_value()) << bad;
  }
}

}  // namespace
}  // namespace zembra::cli
