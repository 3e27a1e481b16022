// Times runs of the main window at the largest digit count, with the counter
// shown at every term (counter step 1) and at every 200th, and prints the
// ratio: showing every term should cost at most 30 % more.
//
// Usage: zembra32-ui-bench [DIGITS [REPETITIONS]]   (default 327640 3)
// Uses the offscreen platform unless QT_QPA_PLATFORM says otherwise.

#include <QApplication>
#include <QElapsedTimer>
#include <QTextStream>
#include <algorithm>
#include <vector>

#include "ui/common/fonts.h"
#include "ui/main/main_program.h"
#include "ui/main/no_window_launchers.h"

namespace {

// The fastest of `repetitions` runs, in seconds.
double fastestRun(zembra::ui::MainProgram& program, int repetitions) {
  std::vector<double> seconds;
  for (int i = 0; i < repetitions; ++i) {
    QElapsedTimer clock;
    clock.start();
    program.runCommand().run();
    seconds.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e9);
  }
  return *std::min_element(seconds.begin(), seconds.end());
}

}  // namespace

int main(int argc, char* argv[]) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const QStringList arguments = QCoreApplication::arguments();
  const QString digits = arguments.value(1, QStringLiteral("327640"));
  const int repetitions = std::max(1, arguments.value(2, QStringLiteral("3")).toInt());

  zembra::ui::setUpFonts();
  zembra::ui::ProgramState state;
  zembra::ui::NoWindowLaunchers launchers;
  zembra::ui::MainProgram program(state, launchers, [] {});
  program.window().show();
  program.window().controls().digitCountEdit->setText(digits);
  QCoreApplication::processEvents();

  QTextStream out(stdout);
  out << "digits " << program.window().controls().digitCountEdit->text() << ", " << repetitions
      << " runs each, fastest shown, platform " << QGuiApplication::platformName() << "\n";
  double seconds[2] = {};
  const std::int16_t steps[2] = {200, 1};
  for (int i = 0; i < 2; ++i) {
    state.run.counterStep = steps[i];
    seconds[i] = fastestRun(program, repetitions);
    out << "counter step " << qSetFieldWidth(3) << steps[i] << qSetFieldWidth(0) << ": "
        << QString::number(seconds[i], 'f', 3) << " s  ("
        << program.window().controls().termTotalLabel->text() << " terms)\n";
    out.flush();
  }
  const double ratio = seconds[1] / seconds[0];
  out << "ratio step 1 / step 200: " << QString::number(ratio, 'f', 3)
      << (ratio <= 1.3 ? "  (within 1.3)" : "  (ABOVE 1.3)") << "\n";
  return 0;
}
