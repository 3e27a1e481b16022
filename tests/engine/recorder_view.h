#pragma once

#include <charconv>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "engine/computation_run.h"
#include "engine/run_view.h"

namespace zembra {

// A run view that records what a run tells it. A failure is recorded and
// thrown again, so that a test sees it as the exception of its run.
class RecorderView : public RunView {
 public:
  std::string termTotal, counter, endTime;  // as shown last
  std::vector<std::string> list;
  std::vector<std::string> counters;  // every counter shown, in order
  std::vector<std::string> log;       // what the run told the view, in order
  int pumps = 0;
  int clockReadings = 0;
  std::function<void()> onPump;  // runs inside every pump

  // A request for `count` digits, its number and its text, whose clock gives
  // 21:04:05, 21:04:06, … at successive readings.
  RunRequest request(const std::string& count = "100", const RunSettings* settings = nullptr,
                     std::optional<std::string> resultFile = {}) {
    double number = 0;
    std::from_chars(count.data(), count.data() + count.size(), number);
    RunRequest request{
        .digitCount = number,
        .digitCountText = count,
        .resultFile = std::move(resultFile),
        .timeOfDay = [this] { return "21:04:0" + std::to_string(5 + clockReadings++); },
        .settings = settings};
    return request;
  }

  void runStarted(const std::optional<std::string>& file) override {
    record("started " + file.value_or("(none)"));
    list.clear();
  }
  void showTermTotal(long total) override { record("total", termTotal = std::to_string(total)); }
  void showStartTime(const std::string& time) override { record("start", time); }
  void showCounter(long value) override {
    record("counter", counter = std::to_string(value));
    counters.push_back(counter);
  }
  void showEndTime(const std::string& time) override { record("end", endTime = time); }
  void showDigitLine(const std::string& line) override {
    record("line");
    list.push_back(line);
  }
  void showLeftoverBackup(const std::string& backup) override { record("backup", backup); }
  void runFailed(const Error& error) override {
    record("failed");
    throw error;
  }
  void pumpEvents() override {
    record("pump");
    ++pumps;
    if (onPump) onPump();
  }

 private:
  void record(const std::string& what, const std::string& value = "") {
    log.push_back(value.empty() ? what : what + "=" + value);
  }
};

}  // namespace zembra
