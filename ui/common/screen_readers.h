#pragma once

#include <QAccessible>

namespace zembra::ui {

// How the windows tell screen readers of a change: only while one listens,
// so that a change nobody hears costs nothing. Tests replace both calls.
struct ScreenReaders {
  bool (*listening)() = &QAccessible::isActive;
  void (*tell)(QAccessibleEvent* event) = &QAccessible::updateAccessibility;
};

ScreenReaders& screenReaders();

// Tells the listening screen readers of `event`; nothing when none listens.
void tellScreenReaders(QAccessibleEvent& event);

}  // namespace zembra::ui
