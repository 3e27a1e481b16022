#include "ui/main/run_command.h"

#include <QCoreApplication>
#include <algorithm>
#include <optional>

#include "engine/computation_run.h"
#include "engine/error.h"
#include "engine/result_header.h"
#include "ui/common/design.h"
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

std::string timeForTimeBoxes(const MainWindowControls& controls, const QTime& time) {
  const int width = std::min(controls.startTimeLabel->contentsRect().width(),
                             controls.endTimeLabel->contentsRect().width());
  return timeForBox(time, QLocale(), controls.endTimeLabel->fontMetrics(), width).toStdString();
}

MainRunView::MainRunView(MainWindow& window, EventPump& pump, const ProgramEnd& programEnd,
                         double digitCount)
    : controls_(window.controls()),
      pump_(pump),
      programEnd_(programEnd),
      listed_(digitCount < kListDigitLimit + 1) {}

void MainRunView::show(CaptionLabel* label, const QString& text, bool paintNow) {
  label->setCaption(text);
  if (paintNow && (computationDone_ || pump_.due())) label->repaint();
}

void MainRunView::runStarted(const std::optional<std::string>& resultFile) {
  controls_.digitList->clear();
  for (CaptionLabel* value : {controls_.counterLabel, controls_.startTimeLabel,
                              controls_.termTotalLabel, controls_.endTimeLabel}) {
    value->setCaption(QStringLiteral(" "));
  }
  show(controls_.resultFileLabel, QString::fromStdString(resultFile.value_or(kNoResultFile)), true);
}

void MainRunView::showTermTotal(long total) {
  show(controls_.termTotalLabel, QString::number(total), false);
}

void MainRunView::showStartTime(const std::string& time) {
  show(controls_.startTimeLabel, QString::fromStdString(time), true);
}

void MainRunView::showCounter(long counter) {
  show(controls_.counterLabel, QString::number(counter), !computationDone_);
}

// The end time is the last value a run paints, right before its last pump,
// which therefore always runs.
void MainRunView::showEndTime(const std::string& time) {
  computationDone_ = true;
  show(controls_.endTimeLabel, QString::fromStdString(time), true);
}

void MainRunView::showLeftoverBackup(const std::string& backup) {
  showLeftoverBackupNotice(controls_.digitList->window(), backup);
}

void MainRunView::showDigitLine(const std::string& line) {
  if (listed_) controls_.digitList->addItem(QString::fromStdString(line));
}

void MainRunView::pumpEvents() {
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

RunCommand::RunCommand(const ProgramState& state, MainWindow& window, DigitEntry& entry,
                       const ProgramEnd& programEnd, ReplaceQuestion confirmReplace)
    : state_(state),
      window_(window),
      entry_(entry),
      programEnd_(programEnd),
      confirmReplace_(std::move(confirmReplace)) {}

// The digit box is read here, once: it stays locked while the run goes on.
void RunCommand::run() {
  if (running_) return;
  const QString text = window_.controls().digitCountEdit->text();
  const std::optional<double> count = parseLocaleNumber(text);
  if (!count || *count <= 0) return;
  const std::string& target = state_.resultFilePath;
  if (target != kNoResultFile && replacesOtherContent(target) && !confirmReplace_(target)) return;
  RunRequest request;
  request.digitCount = *count;
  request.digitCountText = text.toStdString();
  if (target != kNoResultFile) request.resultFile = target;
  request.timeOfDay = [this] { return timeForTimeBoxes(window_.controls(), clock_()); };
  request.settings = &state_.run;
  runEngine(request);
}

void RunCommand::runEngine(const RunRequest& request) {
  std::optional<Error> failure;
  {
    RunInProgress inProgress(running_, entry_);
    MainRunView runView(window_, pump_, programEnd_, request.digitCount);
    try {
      runComputation(request, runView);
    } catch (const ProgramEnding&) {
      return;  // the event loop is ending; nothing more to show
    }
    failure = runView.failure();
  }
  if (failure) showRunFailure(&window_, *failure);
}

}  // namespace zembra::ui
