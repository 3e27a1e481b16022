#pragma once

#include <QObject>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace zembra::ui::test {

// Watches for modal windows and popup menus while a test runs. A window the test
// announced with expectModal() goes to the test's handler; any other is
// closed and fails the test, so a stray modal window cannot hang the suite.
class WindowWatchdog final : public QObject {
 public:
  using Handler = std::function<void(QWidget* window)>;

  WindowWatchdog();

  // The next modal window goes to handler, which must close it.
  void expectModal(Handler handler);
  // Menus the test opens itself are left alone.
  void allowPopups() { popupsAllowed_ = true; }
  bool expectationMet() const { return !handler_; }

 private:
  void check();

  QTimer timer_;
  Handler handler_;
  bool popupsAllowed_ = false;
};

}  // namespace zembra::ui::test
