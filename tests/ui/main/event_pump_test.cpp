#include "ui/main/event_pump.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <QObject>

namespace zembra::ui {
namespace {

using namespace std::chrono_literals;

// Counts the events posted to it that have been delivered.
class Receiver final : public QObject {
 public:
  int delivered = 0;
  bool event(QEvent* event) override {
    if (event->type() != QEvent::User) return QObject::event(event);
    ++delivered;
    return true;
  }
  void post() { QCoreApplication::postEvent(this, new QEvent(QEvent::User)); }
};

class EventPumpTest : public ::testing::Test {
 protected:
  std::chrono::steady_clock::time_point now{};
  EventPump pump{[this] { return now; }};
  Receiver receiver;
};

TEST_F(EventPumpTest, the_first_pump_lets_pending_events_run) {
  receiver.post();
  EXPECT_TRUE(pump.due());
  pump.pump();
  EXPECT_EQ(receiver.delivered, 1);
}

TEST_F(EventPumpTest, a_pump_within_15_ms_of_the_last_does_nothing_until_the_interval_is_over) {
  pump.pump();
  receiver.post();
  now += 14ms;
  EXPECT_FALSE(pump.due());
  pump.pump();
  EXPECT_EQ(receiver.delivered, 0);
  now += 1ms;
  EXPECT_TRUE(pump.due());
  pump.pump();
  EXPECT_EQ(receiver.delivered, 1);
}

TEST_F(EventPumpTest, the_interval_counts_from_the_end_of_the_last_pump_that_ran) {
  pump.pump();
  now += 10ms;
  pump.pump();  // too soon: does not move the start of the interval
  now += 5ms;
  EXPECT_TRUE(pump.due());
}

TEST_F(EventPumpTest, pump_now_runs_whatever_the_interval) {
  pump.pump();
  receiver.post();
  pump.pumpNow();
  EXPECT_EQ(receiver.delivered, 1);
}

}  // namespace
}  // namespace zembra::ui
