#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <functional>
#include <utility>

#include "ui/main/main_program.h"

namespace zembra::ui::test {

// Secondary windows that record each opening ("Form2 <title>", "Form3" …)
// and do what the test says in place of the user.
struct FakeDialogs final : DialogHost {
  QStringList openings;
  std::function<void()> onFileSelection, onCounterOptions, onResultViewer;

  void open(const QString& name, const std::function<void()>& action) {
    openings << name;
    if (action) action();
  }
  void showFileSelection(const QString& title) override { open("Form2 " + title, onFileSelection); }
  void showVersion() override { open("Form3", {}); }
  void showCounterOptions() override { open("Form4", onCounterOptions); }
  void showHelp() override { open("Form5", {}); }
  void showResultViewer() override { open("Form6", onResultViewer); }
};

// A fresh main window for each test, shown and active, with fresh global
// state and a recorded end of the program. A watchdog hands an expected modal
// window to expectModal and closes any other, or a popup menu unless allowed,
// as a failure, so that none can hang the suite.
class Form1Test : public ::testing::Test {
 protected:
  Form1Test() {
    QObject::connect(&watchdog, &QTimer::timeout, [this] {
      QWidget* window = QApplication::activeModalWidget();
      if (!window && !popupsAllowed) window = QApplication::activePopupWidget();
      if (!window) return;
      if (expectModal && window->isModal()) return std::exchange(expectModal, nullptr)(window);
      ADD_FAILURE() << "an unexpected window opened: " << window->metaObject()->className();
      window->close();
    });
    watchdog.start(20);
    form.show();
    form.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
  }
  ~Form1Test() override { EXPECT_FALSE(expectModal) << "an expected modal window never opened"; }

  QStringList listLines() const {
    QStringList lines;
    for (int row = 0; row < c.List1->count(); ++row) lines << c.List1->item(row)->text();
    return lines;
  }

  QTimer watchdog;
  std::function<void(QWidget*)> expectModal;  // must close the window
  bool popupsAllowed = false;
  GlobalState state;
  FakeDialogs dialogs;
  int endRequests = 0;
  MainProgram program{state, dialogs, [this] { ++endRequests; }};
  Form1& form = program.form();
  const Form1Controls& c = form.controls();
  const Form1Menus& menus = form.menus();
};

}  // namespace zembra::ui::test
