#include "engine/compute_pi.h"

#include <gtest/gtest.h>

#include "engine/run_error.h"
#include "tests/engine/recorder_window.h"
#include "tests/engine/temp_folder.h"
#include "tests/reference/limbs.h"
#include "tests/reference/pi_mpfr.h"

namespace zembra {
namespace {

// π's decimals from..from+9 as the ten-digit group the lines show.
std::string piGroup(std::size_t group) {
  return reference::piDecimals(10 * group).substr(10 * (group - 1));
}

TEST(ComputePi, a_run_of_100_digits_fills_the_labels_the_list_and_the_file) {
  TempFolder folder;
  RecorderWindow window;
  GlobalState state;
  state.ResultFilePath = folder.file("pi.txt");
  ComputePi(window, state);

  EXPECT_EQ(window.captions[Label::Label1], state.ResultFilePath);
  EXPECT_EQ(window.captions[Label::Label3], "99");
  EXPECT_EQ(window.captions[Label::Label11], "99");
  EXPECT_EQ(window.captions[Label::Label2], "21:04:05");
  EXPECT_EQ(window.captions[Label::Label25], "21:04:06");
  ASSERT_EQ(window.list.size(), 3u);
  std::string first = "3.";
  for (std::size_t g = 1; g <= 5; ++g) first += piGroup(g) + (g < 5 ? "  " : "   : 50");
  EXPECT_EQ(window.list[0], first);
  EXPECT_EQ(window.list[1].substr(window.list[1].size() - 8), "   : 100");
  EXPECT_EQ(window.list[2], "  8214811559  ");  // the guard limb as the series leave it

  const std::string file = readBytes(state.ResultFilePath);
  const std::string header =
      "\"\x89\x7E\x8E\xFC\x97\xA6\x82\xCC\x8C\x76\x8E\x5A  \x8C\x85\x90\x94\x81\x81"
      "100\"\r\n"
      "\"\x8A\x4A\x8E\x6E\x8E\x9E\x8D\x8F\x81\x81"
      "21:04:05  "
      "\x8F\x49\x97\xB9\x8E\x9E\x8D\x8F\x81\x81"
      "21:04:06\"\r\n";
  std::string lines;
  for (const std::string& line : window.list) lines += "\"" + line + "\"\r\n";
  EXPECT_EQ(file, header + lines);
}

TEST(ComputePi, a_run_works_on_the_window_in_a_fixed_order) {
  RecorderWindow window;
  GlobalState state;
  state.CounterStep = 1000;  // no counter updates in between
  state.RunMode = 1;         // no pumps while computing
  ComputePi(window, state);
  const std::vector<std::string> expected = {
      "clear",           "Label11= ",      "Label2= ",         "Label3= ",
      "Label25= ",       "Label1= ",       "refresh Label1",   "Label3=99",
      "Label2=21:04:05", "refresh Label2", "Label25=21:04:06", "refresh Label25",
      "Label11=99",      "pump",           "append",           "append",
      "append"};
  EXPECT_EQ(window.log, expected);
}

TEST(ComputePi, the_labels_are_reset_at_the_start_of_a_run) {
  RecorderWindow window;
  window.captions[Label::Label2] = "old";
  window.list = {"old line"};
  GlobalState state;
  std::vector<std::string> seenAtFirstPump;
  window.onPump = [&] {
    if (seenAtFirstPump.empty()) {
      seenAtFirstPump = {window.captions[Label::Label25], window.captions[Label::Label1]};
      EXPECT_TRUE(window.list.empty());
    }
  };
  ComputePi(window, state);
  EXPECT_EQ(seenAtFirstPump, (std::vector<std::string>{" ", " "}));
}

TEST(ComputePi, the_counter_shows_every_counter_step_and_the_total_at_the_end) {
  RecorderWindow window;
  window.text = "1000";
  GlobalState state;
  state.CounterStep = 100;
  ComputePi(window, state);
  EXPECT_EQ(window.captions[Label::Label3], "931");
  const std::vector<std::string> expected = {" ",   "100", "200", "313", "413", "513",
                                             "613", "713", "813", "913", "931"};
  EXPECT_EQ(window.counterCaptions, expected);
}

TEST(ComputePi, a_counter_step_above_both_term_counts_shows_only_the_total) {
  RecorderWindow window;
  window.text = "1000";
  GlobalState state;
  state.CounterStep = 1000;
  state.RunMode = 1;
  ComputePi(window, state);
  EXPECT_EQ(window.counterCaptions, (std::vector<std::string>{" ", "931"}));
  EXPECT_EQ(window.pumps, 1);  // the pump at the end, nothing at the yield points
}

TEST(ComputePi, changes_made_while_events_are_pumped_count_at_the_next_test) {
  RecorderWindow window;
  window.text = "1000";
  GlobalState state;
  state.CounterStep = 100;
  state.RunMode = 1;
  int pumpsAfterSwitch = -1;
  window.onPump = [&] {
    if (window.captions[Label::Label11] == "200") {
      state.CounterStep = 300;  // next shown: 300 in the first series, then 213 + 300 …
      state.RunMode = 0;
      pumpsAfterSwitch = window.pumps;
    }
  };
  ComputePi(window, state);
  const std::vector<std::string> expected = {" ", "100", "200", "513", "813", "931"};
  EXPECT_EQ(window.counterCaptions, expected);
  EXPECT_GT(window.pumps - pumpsAfterSwitch, 4);  // yield points pump from then on
}

TEST(ComputePi, only_counts_up_to_45000_fill_the_list) {
  for (const char* count : {"45000", "45010"}) {
    RecorderWindow window;
    window.text = count;
    GlobalState state;
    state.CounterStep = 30000;
    ComputePi(window, state);
    EXPECT_EQ(window.list.size(), std::string(count) == "45000" ? 901u : 0u) << count;
  }
}

TEST(ComputePi, a_result_file_that_cannot_be_created_ends_the_run_before_computing) {
  TempFolder folder;
  RecorderWindow window;
  window.list = {"old line"};
  GlobalState state;
  state.ResultFilePath = folder.path().string();  // a folder
  try {
    ComputePi(window, state);
    FAIL() << "no error";
  } catch (const RunError& error) {
    EXPECT_EQ(error.kind(), RunError::Kind::FileOpen);
    EXPECT_EQ(error.path(), state.ResultFilePath);
  }
  EXPECT_TRUE(window.list.empty());
  EXPECT_EQ(window.captions[Label::Label3], " ");
  EXPECT_EQ(window.clockReadings, 0);
}

TEST(ComputePi, digit_text_that_is_not_a_number_or_out_of_range_fails_cleanly) {
  for (const char* text : {"abc", "", "-5", "400000"}) {
    RecorderWindow window;
    window.text = text;
    GlobalState state;
    EXPECT_THROW(ComputePi(window, state), RunError) << text;
    EXPECT_EQ(window.clockReadings, 0) << text;
  }
}

TEST(ComputePi, no_result_file_means_only_the_list) {
  TempFolder folder;
  RecorderWindow window;
  window.text = "40";
  GlobalState state;
  ComputePi(window, state);
  EXPECT_EQ(window.captions[Label::Label1], " ");
  ASSERT_EQ(window.list.size(), 1u);
  EXPECT_EQ(window.list[0].substr(window.list[0].size() - 7), "   : 50");
  EXPECT_EQ(folder.entryCount(), 0u);
}

}  // namespace
}  // namespace zembra
