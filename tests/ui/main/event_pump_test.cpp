// The window as a run sees it: its painting follows the event pump, which lets
// events in at most every 15 ms, and always at the end of a run.

#include "tests/ui/main/main_window_fixture.h"
#include "ui/main/main_run_window.h"

namespace zembra::ui::test {
namespace {

using namespace std::chrono_literals;

class RunWindow : public MainWindowTest {
 protected:
  RunWindow() {
    pump.pumpNow();  // settles the window's first paints
    c.counterLabel->installEventFilter(&paints);
  }
  // Counts the paint events of the label it watches.
  struct PaintCounter final : QObject {
    int count = 0;
    bool eventFilter(QObject*, QEvent* event) override {
      count += event->type() == QEvent::Paint;
      return false;
    }
  } paints;
  std::chrono::steady_clock::time_point now{};
  EventPump pump{[this] { return now; }};
  ProgramEnd end{[] {}};
  MainRunWindow window{form, pump, end, &QTime::currentTime};
};

TEST_F(RunWindow, paints_when_the_pump_is_due_and_always_at_the_end_of_the_run) {
  now += 20ms;
  window.showCounter(1);
  EXPECT_EQ(paints.count, 1) << "due: painted at once";
  window.pumpEvents();
  EXPECT_EQ(paints.count, 1) << "nothing left to paint";

  now += 5ms;
  window.showCounter(2);
  window.pumpEvents();
  EXPECT_EQ(paints.count, 1) << "too soon after the last pump";
  EXPECT_EQ(c.counterLabel->text(), QStringLiteral("2")) << "the caption changes all the same";

  now += 10ms;
  window.pumpEvents();
  EXPECT_EQ(paints.count, 2) << "the next pump paints what changed meanwhile";
  now += 1ms;
  window.showEndTime("21:04:06");
  window.showCounter(931);
  window.pumpEvents();
  EXPECT_EQ(paints.count, 3) << "the last pump runs however soon";

  end.request();
  EXPECT_THROW(window.pumpEvents(), ProgramEnding) << "the end of the program unwinds the run";
}

}  // namespace
}  // namespace zembra::ui::test
