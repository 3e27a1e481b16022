// The window as a run sees it: its painting follows the event pump, which lets
// events in at most every 15 ms, and always at the end of a run.

#include "tests/ui/main/form1_fixture.h"
#include "ui/main/qt_window_adapter.h"

namespace zembra::ui::test {
namespace {

using namespace std::chrono_literals;

class WindowAdapter : public Form1Test {
 protected:
  WindowAdapter() {
    pump.pumpNow();  // settles the window's first paints
    c.Label11->installEventFilter(&paints);
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
  QtWindowAdapter window{form, pump, end};
};

TEST_F(WindowAdapter, paints_when_the_pump_is_due_and_always_at_the_end_of_the_run) {
  now += 20ms;
  window.setCaption(Label::Label11, "1");
  window.refresh(Label::Label11);
  EXPECT_EQ(paints.count, 1) << "due: painted at once";
  window.pumpEvents();
  EXPECT_EQ(paints.count, 1) << "nothing left to paint";

  now += 5ms;
  window.setCaption(Label::Label11, "2");
  window.refresh(Label::Label11);
  window.pumpEvents();
  EXPECT_EQ(paints.count, 1) << "too soon after the last pump";
  EXPECT_EQ(c.Label11->text(), QStringLiteral("2")) << "the caption changes all the same";

  now += 10ms;
  window.pumpEvents();
  EXPECT_EQ(paints.count, 2) << "the next pump paints what changed meanwhile";
  now += 1ms;
  window.refresh(Label::Label25);  // the end time
  window.setCaption(Label::Label11, "931");
  window.pumpEvents();
  EXPECT_EQ(paints.count, 3) << "the last pump runs however soon";

  end.request();
  EXPECT_THROW(window.pumpEvents(), ProgramEnding) << "the end of the program unwinds the run";
}

}  // namespace
}  // namespace zembra::ui::test
