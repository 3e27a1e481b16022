#pragma once

#include <chrono>
#include <functional>
#include <optional>

namespace zembra::ui {

// Lets pending window events run from inside a run, at most about every
// 15 ms: a pump that comes sooner after the previous one does nothing. A run
// may ask for tens of thousands of pumps a second, and each costs a repaint.
class EventPump {
 public:
  using Clock = std::function<std::chrono::steady_clock::time_point()>;
  static constexpr std::chrono::milliseconds kInterval{15};

  explicit EventPump(Clock clock = &std::chrono::steady_clock::now);

  // Whether a pump now would let events run.
  bool due() const;
  // Lets pending events run if due.
  void pump();
  // Lets pending events run in any case.
  void pumpNow();

 private:
  Clock clock_;
  std::optional<std::chrono::steady_clock::time_point> last_;
};

}  // namespace zembra::ui
