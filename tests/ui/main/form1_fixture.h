#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QStringList>
#include <functional>

#include "engine/window.h"
#include "tests/ui/main/fake_dialogs.h"
#include "tests/ui/main/window_watchdog.h"
#include "ui/main/main_program.h"

namespace zembra::ui::test {

// A fresh main window for each test, shown and active, with fresh global
// state, recording secondary windows and a recorded end of the program.
class Form1Test : public ::testing::Test {
 protected:
  Form1Test();
  ~Form1Test() override;

  // What the list shows, line by line.
  QStringList listLines() const;
  // Processes events until the condition holds or the time is up.
  static bool waitUntil(const std::function<bool()>& condition, int milliseconds = 5000);

  WindowWatchdog watchdog;
  GlobalState state;
  FakeDialogs dialogs;
  int endRequests = 0;
  MainProgram program{state, dialogs, [this] { ++endRequests; }};
  Form1& form = program.form();
  const Form1Controls& c = form.controls();
  const Form1Menus& menus = form.menus();
};

}  // namespace zembra::ui::test
