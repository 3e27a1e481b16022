#pragma once

#include <charconv>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "engine/window.h"

namespace zembra {

// A main window that records what a run does to it. The clock gives
// 21:04:05, 21:04:06, … at successive readings.
class RecorderWindow : public Window {
 public:
  std::string text = "100";
  std::map<Label, std::string> captions;
  std::vector<std::string> list;
  std::vector<std::string> counterCaptions;  // Label11, in order
  std::vector<std::string> log;              // what the run did to the window, in order
  int pumps = 0;
  std::function<void()> onPump;  // runs inside every pump

  std::string digitText() override { return text; }
  std::optional<double> toNumber(const std::string& value) override {
    double number = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
    if (value.empty() || error != std::errc() || end != value.data() + value.size()) return {};
    return number;
  }
  void setCaption(Label label, const std::string& caption) override {
    log.push_back(name(label) + "=" + caption);
    captions[label] = caption;
    if (label == Label::Label11) counterCaptions.push_back(caption);
  }
  std::string caption(Label label) override { return captions[label]; }
  void refresh(Label label) override { log.push_back("refresh " + name(label)); }
  void clearList() override { log.push_back("clear"), list.clear(); }
  void appendList(const std::string& line) override {
    log.push_back("append"), list.push_back(line);
  }
  void pumpEvents() override {
    log.push_back("pump");
    ++pumps;
    if (onPump) onPump();
  }
  std::string longTimeNow() override { return "21:04:0" + std::to_string(5 + clockReadings++); }

  int clockReadings = 0;

 private:
  static std::string name(Label label) {
    const char* names[] = {"Label1", "Label2", "Label3", "Label11", "Label25"};
    return names[static_cast<int>(label)];
  }
};

}  // namespace zembra
