#pragma once

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QTimer>
#include <functional>
#include <ostream>

// Test failures show QStrings as text.
inline void PrintTo(const QString& text, std::ostream* out) { *out << text.toStdString(); }

// Drives modal windows from inside their exec(): each step runs once the
// event loop of the window opened last is up. A watchdog closes every modal
// window after a few seconds, so a test that leaves one open fails instead of
// hanging.
namespace zembra::test {

inline QWidget* activeModal() { return QApplication::activeModalWidget(); }

// Runs `action` inside the next modal event loop.
inline void whenModal(std::function<void()> action) {
  QTimer::singleShot(0, qApp, std::move(action));
}

// Arms a watchdog for the current test; returns a flag that turns true if it fired.
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

// The text of the message box that is open now, closed with OK.
inline QString takeMessageBox() {
  auto* box = qobject_cast<QMessageBox*>(activeModal());
  if (!box) return {};
  const QString text = box->text();
  box->accept();
  return text;
}

}  // namespace zembra::test
