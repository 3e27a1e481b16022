#include "ui/common/screen_readers.h"

namespace zembra::ui {

ScreenReaders& screenReaders() {
  static ScreenReaders readers;
  return readers;
}

void tellScreenReaders(QAccessibleEvent& event) {
  if (screenReaders().listening()) screenReaders().tell(&event);
}

}  // namespace zembra::ui
