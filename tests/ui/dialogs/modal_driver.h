#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QTimer>
#include <functional>
#include <memory>
#include <ostream>

// Test failures show QStrings as text.
inline void PrintTo(const QString& text, std::ostream* out) { *out << text.toStdString(); }

// Drives modal windows from inside their exec(): each step runs once the
// event loop of the window opened last is up.
namespace zembra::test {

inline QWidget* activeModal() { return QApplication::activeModalWidget(); }

// Runs `action` inside the next modal event loop.
inline void whenModal(std::function<void()> action) {
  QTimer::singleShot(0, qApp, std::move(action));
}

// Closes every modal window after a few seconds, so that a test that leaves
// one open fails instead of hanging; the flag turns true if it fired.
inline std::shared_ptr<bool> armWatchdog(int milliseconds = 5000) {
  auto fired = std::make_shared<bool>(false);
  auto* timer = new QTimer(qApp);
  timer->setSingleShot(true);
  QObject::connect(timer, &QTimer::timeout, [fired, timer] {
    *fired = true;
    while (QWidget* modal = activeModal()) modal->close();
    timer->deleteLater();
  });
  timer->start(milliseconds);
  return fired;
}

// Runs `act` inside `window`'s exec() and returns what exec() returned.
template <class Window>
int runModal(Window* window, const std::function<void(Window&)>& act) {
  whenModal([window, act] { act(*window); });
  const auto watchdog = armWatchdog();
  const int result = window->exec();
  EXPECT_FALSE(*watchdog) << "the window stayed open";
  return result;
}

// The text of the message box that is open now, closed with OK.
inline QString takeMessageBox() {
  auto* box = qobject_cast<QMessageBox*>(activeModal());
  if (!box) return {};
  const QString text = box->text();
  box->accept();
  return text;
}

}  // namespace zembra::test
