#include "tests/ui/main/form1_fixture.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>

namespace zembra::ui::test {

Form1Test::Form1Test() {
  form.show();
  form.activateWindow();
  EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
}

Form1Test::~Form1Test() {
  EXPECT_TRUE(watchdog.expectationMet()) << "an expected modal window never opened";
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window != &form && window->isVisible()) {
      ADD_FAILURE() << "a window was left open: " << window->windowTitle().toStdString();
      window->close();
    }
  }
}

QStringList Form1Test::listLines() const {
  QStringList lines;
  for (int row = 0; row < c.List1->count(); ++row) lines << c.List1->item(row)->text();
  return lines;
}

bool Form1Test::waitUntil(const std::function<bool()>& condition, int milliseconds) {
  QElapsedTimer clock;
  clock.start();
  while (!condition()) {
    if (clock.elapsed() > milliseconds) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  }
  return true;
}

}  // namespace zembra::ui::test
