#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <functional>

// Test failures show QStrings as text.
inline void PrintTo(const QString& text, std::ostream* out) { *out << text.toStdString(); }

// Drives modal windows from inside their exec().
namespace zembra::test {

inline QWidget* activeModal() { return QApplication::activeModalWidget(); }

// Runs `action` once the event loop of the window opened last is up.
inline void whenModal(std::function<void()> action) {
  QTimer::singleShot(0, qApp, std::move(action));
}

// Closes every modal window after a few seconds, so that one left open fails the test instead of
// hanging it; stops with its scope, so it cannot reach the next test.
class Watchdog {
 public:
  Watchdog() {
    timer_.setSingleShot(true);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      fired_ = true;
      while (QWidget* modal = activeModal()) modal->close();
    });
    timer_.start(5000);
  }
  bool fired() const { return fired_; }

 private:
  QTimer timer_;
  bool fired_ = false;
};

// Runs `act` inside `window`'s exec() and returns what exec() returned.
template <class Window>
int runModal(Window* window, const std::function<void(Window&)>& act) {
  whenModal([window, act] { act(*window); });
  const Watchdog watchdog;
  const int result = window->exec();
  EXPECT_FALSE(watchdog.fired()) << "the window stayed open";
  return result;
}

// The text of the message box open now, closed with OK.
inline QString takeMessageBox() {
  auto* box = qobject_cast<QMessageBox*>(activeModal());
  if (!box) return {};
  const QString text = box->text();
  box->accept();
  return text;
}

}  // namespace zembra::test
