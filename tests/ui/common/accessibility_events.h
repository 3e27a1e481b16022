#pragma once

// What screen readers are told, as a listening one would hear it.

#include <QAccessible>
#include <QObject>
#include <vector>

#include "ui/common/screen_readers.h"

namespace zembra::test {

// While it lives, a screen reader listens and every event it is told is kept.
class AccessibilityEvents {
 public:
  struct Event {
    QObject* object;
    QAccessible::Event type;
    int child;
  };

  AccessibilityEvents() : before_(ui::screenReaders()) {
    kept().clear();
    ui::screenReaders() = {[] { return true; },
                           [](QAccessibleEvent* event) {
                             kept().push_back({event->object(), event->type(), event->child()});
                           }};
  }
  ~AccessibilityEvents() { ui::screenReaders() = before_; }
  AccessibilityEvents(const AccessibilityEvents&) = delete;
  AccessibilityEvents& operator=(const AccessibilityEvents&) = delete;

  // How many events of `type` `object` sent.
  static int count(const QObject* object, QAccessible::Event type) {
    int n = 0;
    for (const Event& event : kept()) n += event.object == object && event.type == type;
    return n;
  }
  static std::vector<Event>& kept() {
    static std::vector<Event> events;
    return events;
  }

 private:
  ui::ScreenReaders before_;
};

}  // namespace zembra::test
