#include "tests/ui/main/window_watchdog.h"

#include <gtest/gtest.h>

#include <QApplication>

namespace zembra::ui::test {

WindowWatchdog::WindowWatchdog() {
  timer_.setInterval(20);
  connect(&timer_, &QTimer::timeout, this, &WindowWatchdog::check);
  timer_.start();
}

void WindowWatchdog::expectModal(Handler handler) { handler_ = std::move(handler); }

void WindowWatchdog::check() {
  QWidget* window = QApplication::activeModalWidget();
  if (!window && !popupsAllowed_) window = QApplication::activePopupWidget();
  if (!window) return;
  if (handler_ && window->isModal()) {
    Handler handler = std::move(handler_);
    handler_ = nullptr;
    handler(window);
    return;
  }
  ADD_FAILURE() << "an unexpected window opened: " << window->metaObject()->className() << " "
                << window->windowTitle().toStdString();
  window->close();
}

}  // namespace zembra::ui::test
