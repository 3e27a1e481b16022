#include "engine/computation_run.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "engine/error.h"
#include "tests/engine/recorder_view.h"
#include "tests/engine/temp_folder.h"
#include "tests/reference/reference.h"

namespace zembra {
namespace {

// What a run tells the view, in order, and the file it writes: the header
// in Shift-JIS (円周率の計算  桁数＝100, 開始時刻＝…  終了時刻＝…), then the lines.
TEST(ComputationRun, a_run_of_100_digits_fills_the_window_in_a_fixed_order_and_the_file) {
  TempFolder folder;
  RecorderView window;
  window.list = {"old line"};
  // A step above both term counts shows only the total; no pumps while computing.
  const RunSettings settings{.counterStep = 1000, .yieldWhileComputing = false};
  const std::string path = folder.file("pi.txt");
  runComputation(window.request("100", &settings, path), window);
  EXPECT_EQ(window.log, (std::vector<std::string>{"started " + path, "total=99", "start=21:04:05",
                                                  "end=21:04:06", "counter=99", "pump", "line",
                                                  "line", "line"}));
  ASSERT_EQ(window.list.size(), 3u);
  const std::string pi = reference::piDecimals(50);
  std::string first = "3.";
  for (int g = 0; g < 5; ++g) first += pi.substr(10 * g, 10) + (g < 4 ? "  " : "   : 50");
  EXPECT_EQ(window.list[0], first);
  EXPECT_EQ(window.list[1].substr(window.list[1].size() - 8), "   : 100");
  EXPECT_EQ(window.list[2], "  8214811559  ");  // the guard limb as the series leave it
  std::string expected =
      "\"\x89\x7E\x8E\xFC\x97\xA6\x82\xCC\x8C\x76\x8E\x5A  \x8C\x85\x90\x94\x81\x81"
      "100\"\r\n"
      "\"\x8A\x4A\x8E\x6E\x8E\x9E\x8D\x8F\x81\x81"
      "21:04:05  "
      "\x8F\x49\x97\xB9\x8E\x9E\x8D\x8F\x81\x81"
      "21:04:06\"\r\n";
  for (const std::string& line : window.list) expected += "\"" + line + "\"\r\n";
  EXPECT_EQ(readBytes(path), expected);
}

// The counters shown in a run of 1,000 digits (213 terms of arctan(1/239),
// then 718 of arctan(1/5)).
std::vector<std::string> countersAt(int step, int threads = 0) {
  RecorderView window;
  const RunSettings settings{.counterStep = static_cast<std::int16_t>(step)};
  runComputation(window.request("1000", &settings), window, {nullptr, 2, threads, {}});
  EXPECT_EQ(window.termTotal, "931");
  return window.counters;
}

TEST(ComputationRun, the_counter_shows_every_step_and_each_series_end_then_the_total) {
  const std::pair<int, std::vector<std::string>> cases[] = {
      {100, {"100", "200", "313", "413", "513", "613", "713", "813", "913", "931"}},
      {213, {"213", "426", "639", "852", "931"}},
      {718, {"931", "931"}},
      {931, {"931"}},
  };
  for (const auto& [step, expected] : cases) EXPECT_EQ(countersAt(step), expected) << step;
  // Every term in order, on one thread and with arctan(1/5) on a second one;
  // a step below 1 counts as 1.
  std::vector<std::string> everyTerm;
  for (int counter = 1; counter <= 931; ++counter) everyTerm.push_back(std::to_string(counter));
  everyTerm.push_back("931");
  EXPECT_EQ(countersAt(0, 1), everyTerm);
  EXPECT_EQ(countersAt(1, 2), everyTerm);
}

TEST(ComputationRun, a_step_changed_during_the_run_counts_from_the_next_shown_term) {
  RecorderView window;
  RunSettings settings{.counterStep = 100, .yieldWhileComputing = false};
  int pumpsAfterSwitch = -1;
  window.onPump = [&] {
    if (window.counter != "200") return;
    settings.counterStep = 300;  // next shown: 213 + 300 in the second series
    settings.yieldWhileComputing = true;
    pumpsAfterSwitch = window.pumps;
  };
  runComputation(window.request("1000", &settings), window);
  EXPECT_EQ(window.counters, (std::vector<std::string>{"100", "200", "513", "813", "931"}));
  EXPECT_GT(window.pumps - pumpsAfterSwitch, 4);  // yield points pump from then on
}

// Every line goes to the view, also past the window's list limit; the
// counts of the first and last ones say which.
TEST(ComputationRun, every_digit_line_goes_to_the_view_whatever_the_count) {
  RecorderView window;
  const RunSettings settings{.counterStep = 30000};
  runComputation(window.request("45001", &settings), window);
  ASSERT_EQ(window.list.size(), 901u);
  EXPECT_TRUE(window.list.front().ends_with("   : 50"));
  EXPECT_TRUE(window.list[899].ends_with("   : 45000"));
  EXPECT_EQ(window.list.back().size(), 2u + 10u + 2u) << "the guard group and no count";
}

// A failure is told to the view, and a count out of range is one too.
TEST(ComputationRun, memory_running_out_after_the_computation_is_told_as_a_failure) {
  RecorderView window;
  window.onPump = [] { throw std::bad_alloc(); };  // the one pump, after the computation
  const RunSettings settings{.counterStep = 1000, .yieldWhileComputing = false};
  EXPECT_THAT([&] { runComputation(window.request("100", &settings), window); },
              testing::Throws<Error>(testing::Property(&Error::kind, Error::Kind::OutOfMemory)));
  EXPECT_EQ(window.endTime, "21:04:06");
  EXPECT_EQ(window.log.back(), "failed");
  RecorderView tooMany;
  EXPECT_THAT(
      [&] { runComputation(tooMany.request("327641"), tooMany); },
      testing::Throws<Error>(testing::Property(&Error::kind, Error::Kind::DigitCountTooLarge)));
  EXPECT_EQ(tooMany.log, (std::vector<std::string>{"started (none)", "failed"}));
}

}  // namespace
}  // namespace zembra
