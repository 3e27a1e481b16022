#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <functional>
#include <utility>

#include "ui/main/main_program.h"

namespace zembra::ui::test {

// Launchers that record each window opened ("FileSelection <title>", "VersionWindow" …) and do
// what the test says in place of the user.
struct FakeLaunchers final : Launchers {
  using Launchers::Launchers;

  QStringList openings;
  std::function<void()> onFileSelection, onCounterOptions, onResultViewer;

 protected:
  void open(const QString& name, const std::function<void()>& action = {}) {
    openings << name;
    if (action) action();
  }
  void openFileSelection(const QString& title) override {
    open("FileSelection " + title, onFileSelection);
  }
  void openVersion() override { open("VersionWindow"); }
  void openCounterOptions() override { open("CounterOptions", onCounterOptions); }
  void openHelp() override { open("HelpWindow"); }
  void openResultViewer() override { open("ResultViewer", onResultViewer); }
};

// A fresh main window, shown and active, on fresh program state. A watchdog hands an expected
// modal window to expectModal and closes any other, or a popup menu unless allowed, as a
// failure, so that none can hang the suite.
class MainWindowTest : public ::testing::Test {
 protected:
  MainWindowTest() {
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
  ~MainWindowTest() override { EXPECT_FALSE(expectModal) << "an expected modal window never opened"; }

  void setCount(const char* text) { c.digitCountEdit->setText(QString::fromUtf8(text)); }
  QStringList listLines() const {
    QStringList lines;
    for (int row = 0; row < c.digitList->count(); ++row) lines << c.digitList->item(row)->text();
    return lines;
  }

  QTimer watchdog;
  std::function<void(QWidget*)> expectModal;  // must close the window
  bool popupsAllowed = false;
  ProgramState state;
  FakeLaunchers dialogs{state};
  int endRequests = 0;
  MainProgram program{state, dialogs, [this] { ++endRequests; }};
  MainWindow& form = program.window();
  const MainWindowControls& c = form.controls();
  const MainMenus& menus = form.menus();
};

}  // namespace zembra::ui::test
