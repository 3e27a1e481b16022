#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <functional>
#include <utility>

#include "ui/main/main_program.h"

namespace zembra::ui::test {

// Launchers that record each window opened ("FileSelection <title>", "VersionWindow" …) and
// hand its name to onOpen, which does what the user would do in it.
struct FakeLaunchers final : Launchers {
  using Launchers::Launchers;
  QStringList openings;
  std::function<void(const QString&)> onOpen = [](const QString&) {};

 protected:
  void open(const QString& name) {
    openings << name;
    onOpen(name);
  }
  void openFileSelection(const QString& title) override { open("FileSelection " + title); }
  void openVersion() override { open("VersionWindow"); }
  void openCounterOptions() override { open("CounterOptions"); }
  void openHelp() override { open("HelpWindow"); }
  void openResultViewer() override { open("ResultViewer"); }
};

// A fresh main window, shown and active, on fresh program state. A watchdog keeps the text of an
// expected message box and closes it with OK; it closes any other modal window, or a popup menu
// unless allowed, as a failure, so that none can hang the suite.
class MainWindowTest : public ::testing::Test {
 protected:
  MainWindowTest() {
    QObject::connect(&watchdog, &QTimer::timeout, [this] {
      QWidget* window = QApplication::activeModalWidget();
      if (!window && !popupsAllowed) window = QApplication::activePopupWidget();
      if (!window) return;
      auto* box = qobject_cast<QMessageBox*>(window);
      if (box && std::exchange(messageExpected, false)) {
        message = box->text();
        return box->button(QMessageBox::Ok)->click();
      }
      ADD_FAILURE() << "an unexpected window opened: " << window->metaObject()->className();
      window->close();
    });
    watchdog.start(20);
    form.show();
    form.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
  }

  void setCount(const char* text) { c.digitCountEdit->setText(QString::fromUtf8(text)); }
  QStringList listLines() const {
    QStringList lines;
    for (int row = 0; row < c.digitList->count(); ++row) lines << c.digitList->item(row)->text();
    return lines;
  }

  QTimer watchdog;
  bool messageExpected = false;
  QString message;
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
