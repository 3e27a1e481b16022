#pragma once

#include <charconv>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "engine/run_window.h"

namespace zembra {

// A run window that records what a run does to it. The clock gives
// 21:04:05, 21:04:06, … at successive readings.
class RecorderWindow : public RunWindow {
 public:
  std::string text = "100";                 // the digit count
  std::string termTotal, counter, endTime;  // as shown last
  std::vector<std::string> list;
  std::vector<std::string> counters;  // every counter shown, in order
  std::vector<std::string> log;       // what the run did to the window, in order
  int pumps = 0;
  int clockReadings = 0;
  std::function<void()> onPump;  // runs inside every pump

  std::string digitCountText() override { return text; }
  std::optional<double> toNumber(const std::string& value) override {
    double number = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
    if (value.empty() || error != std::errc() || end != value.data() + value.size()) return {};
    return number;
  }
  std::string timeOfDay() override { return "21:04:0" + std::to_string(5 + clockReadings++); }

  void runStarted(const std::string& file) override {
    record("started " + file);
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
