#include "ui/main/event_pump.h"

#include <QCoreApplication>

namespace zembra::ui {

EventPump::EventPump(Clock clock) : clock_(std::move(clock)) {}

bool EventPump::due() const { return !last_ || clock_() - *last_ >= kInterval; }

void EventPump::pump() {
  if (due()) pumpNow();
}

void EventPump::pumpNow() {
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  // Measured after the events have run: a modal window opened meanwhile
  // must not make the next pump look overdue.
  last_ = clock_();
}

}  // namespace zembra::ui
