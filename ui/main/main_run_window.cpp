#include "ui/main/main_run_window.h"

#include <algorithm>

#include "ui/common/locale_number.h"
#include "ui/main/long_time.h"

namespace zembra::ui {

MainRunWindow::MainRunWindow(MainWindow& window, EventPump& pump, const ProgramEnd& programEnd,
                             std::function<QTime()> clock)
    : controls_(window.controls()),
      pump_(pump),
      programEnd_(programEnd),
      clock_(std::move(clock)) {}

std::string MainRunWindow::digitCountText() {
  return controls_.digitCountEdit->text().toStdString();
}

std::optional<double> MainRunWindow::toNumber(const std::string& text) {
  return parseLocaleNumber(QString::fromStdString(text));
}

// The start and end time boxes and the result file's header show the same
// text: the long time where it fits the narrower box and Shift-JIS.
std::string MainRunWindow::timeOfDay() {
  const int width = std::min(controls_.startTimeLabel->contentsRect().width(),
                             controls_.endTimeLabel->contentsRect().width());
  return timeForBox(clock_(), QLocale(), controls_.endTimeLabel->fontMetrics(), width)
      .toStdString();
}

void MainRunWindow::show(CaptionLabel* label, const QString& text, bool paintNow) {
  label->setCaption(text);
  if (paintNow && (computationDone_ || pump_.due())) label->repaint();
}

void MainRunWindow::runStarted(const std::string& resultFile) {
  controls_.digitList->clear();
  for (CaptionLabel* value : {controls_.counterLabel, controls_.startTimeLabel,
                              controls_.termTotalLabel, controls_.endTimeLabel}) {
    value->setCaption(QStringLiteral(" "));
  }
  show(controls_.resultFileLabel, QString::fromStdString(resultFile), true);
}

void MainRunWindow::showTermTotal(long total) {
  show(controls_.termTotalLabel, QString::number(total), false);
}

void MainRunWindow::showStartTime(const std::string& time) {
  show(controls_.startTimeLabel, QString::fromStdString(time), true);
}

void MainRunWindow::showCounter(long counter) {
  show(controls_.counterLabel, QString::number(counter), !computationDone_);
}

// The end time is the last value a run paints, right before its last pump,
// which therefore always runs.
void MainRunWindow::showEndTime(const std::string& time) {
  computationDone_ = true;
  show(controls_.endTimeLabel, QString::fromStdString(time), true);
}

void MainRunWindow::showDigitLine(const std::string& line) {
  controls_.digitList->addItem(QString::fromStdString(line));
}

void MainRunWindow::pumpEvents() {
  if (computationDone_) {
    computationDone_ = false;
    pump_.pumpNow();
  } else {
    pump_.pump();
  }
  if (programEnd_.requested()) throw ProgramEnding{};
}

}  // namespace zembra::ui
