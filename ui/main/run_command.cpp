#include "ui/main/run_command.h"

#include <QCoreApplication>
#include <algorithm>
#include <optional>

#include "engine/computation_run.h"
#include "engine/result_header.h"
#include "engine/run_error.h"
#include "ui/common/locale_number.h"
#include "ui/main/long_time.h"
#include "ui/main/run_failure_message.h"

namespace zembra::ui {

EventPump::EventPump(Clock clock) : clock_(std::move(clock)) {}

bool EventPump::due() const { return !last_ || clock_() - *last_ >= kInterval; }

void EventPump::pump() {
  if (due()) pumpNow();
}

void EventPump::pumpNow() {
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  // Measured after the events have run: a modal window opened meanwhile
  // must not make the next pump look overdue.
  last_ = clock_();
}

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

void MainRunWindow::showLeftoverBackup(const std::string& backup) {
  showLeftoverBackupNotice(controls_.digitList->window(), backup);
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

namespace {

// Locks the digit entry and marks the run for as long as it exists.
class RunInProgress {
 public:
  RunInProgress(bool& running, DigitEntry& entry) : running_(running), entry_(entry) {
    running_ = true;
    entry_.setLocked(true);
  }
  ~RunInProgress() {
    entry_.setLocked(false);
    running_ = false;
  }
  RunInProgress(const RunInProgress&) = delete;
  RunInProgress& operator=(const RunInProgress&) = delete;

 private:
  bool& running_;
  DigitEntry& entry_;
};

}  // namespace

RunCommand::RunCommand(const RunSettings& settings, MainWindow& window, DigitEntry& entry,
                       const ProgramEnd& programEnd, ReplaceQuestion confirmReplace)
    : settings_(settings),
      window_(window),
      entry_(entry),
      programEnd_(programEnd),
      confirmReplace_(std::move(confirmReplace)) {}

void RunCommand::run() {
  if (running_) return;
  const std::optional<double> count = parseLocaleNumber(window_.controls().digitCountEdit->text());
  if (!count || *count <= 0) return;
  const std::string& target = settings_.resultFilePath;
  if (target != kNoResultFile && replacesOtherContent(target) && !confirmReplace_(target)) return;
  runEngine();
}

void RunCommand::runEngine() {
  std::optional<RunError> failure;
  {
    RunInProgress inProgress(running_, entry_);
    MainRunWindow runWindow(window_, pump_, programEnd_, clock_);
    try {
      runComputation(runWindow, settings_);
    } catch (const RunError& error) {
      failure = error;
    } catch (const ProgramEnding&) {
      return;  // the event loop is ending; nothing more to show
    } catch (const std::exception& error) {
      failure = RunError(RunError::Kind::Internal, {}, error.what());
    }
  }
  if (failure) showRunFailure(&window_, *failure);
}

}  // namespace zembra::ui
