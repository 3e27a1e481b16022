#pragma once

#include <QTime>
#include <functional>

#include "engine/window.h"
#include "ui/main/event_pump.h"
#include "ui/main/form1.h"
#include "ui/main/program_end.h"

namespace zembra::ui {

// The main window as a run sees it. Captions change at every step the run
// makes; painting follows the event pump: a refresh paints its label at once
// only when the next pump is due, the pump after the end time always runs.
class QtWindowAdapter final : public Window {
 public:
  // `clock` gives the time of day for the start and end times.
  QtWindowAdapter(Form1& form, EventPump& pump, const ProgramEnd& programEnd,
                  std::function<QTime()> clock);

  std::string digitText() override;
  std::optional<double> toNumber(const std::string& text) override;
  void setCaption(Label label, const std::string& caption) override;
  std::string caption(Label label) override;
  void refresh(Label label) override;
  void clearList() override;
  void appendList(const std::string& line) override;
  // Throws ProgramEnding once the program is to end.
  void pumpEvents() override;
  std::string longTimeNow() override;

 private:
  Form1& form_;
  EventPump& pump_;
  const ProgramEnd& programEnd_;
  std::function<QTime()> clock_;
  bool endOfRun_ = false;
};

}  // namespace zembra::ui
