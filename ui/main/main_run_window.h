#pragma once

#include <QTime>
#include <functional>

#include "engine/run_window.h"
#include "ui/main/event_pump.h"
#include "ui/main/main_window.h"
#include "ui/main/program_end.h"

namespace zembra::ui {

// The main window as a run sees it. The labels change at every step the run
// makes; painting follows the event pump: a value that is to be painted at
// once is painted only when the next pump is due, except at the end of the
// computation, whose pump always runs.
class MainRunWindow final : public RunWindow {
 public:
  // `clock` gives the time of day for the start and end times.
  MainRunWindow(MainWindow& window, EventPump& pump, const ProgramEnd& programEnd,
                std::function<QTime()> clock);

  std::string digitCountText() override;
  std::optional<double> toNumber(const std::string& text) override;
  std::string timeOfDay() override;
  void runStarted(const std::string& resultFile) override;
  void showTermTotal(long total) override;
  void showStartTime(const std::string& time) override;
  void showCounter(long counter) override;
  void showEndTime(const std::string& time) override;
  void showDigitLine(const std::string& line) override;
  // Throws ProgramEnding once the program is to end.
  void pumpEvents() override;

 private:
  void show(CaptionLabel* label, const QString& text, bool paintNow);

  const MainWindowControls& controls_;
  EventPump& pump_;
  const ProgramEnd& programEnd_;
  std::function<QTime()> clock_;
  bool computationDone_ = false;
};

}  // namespace zembra::ui
