#include "ui/main/qt_window_adapter.h"

#include <QTime>

#include "ui/main/locale_number.h"
#include "ui/main/long_time.h"

namespace zembra::ui {

QtWindowAdapter::QtWindowAdapter(Form1& form, EventPump& pump, const ProgramEnd& programEnd,
                                 std::function<QTime()> clock)
    : form_(form), pump_(pump), programEnd_(programEnd), clock_(std::move(clock)) {}

std::string QtWindowAdapter::digitText() { return form_.controls().Text17->text().toStdString(); }

std::optional<double> QtWindowAdapter::toNumber(const std::string& text) {
  return parseLocaleNumber(QString::fromStdString(text));
}

void QtWindowAdapter::setCaption(Label label, const std::string& caption) {
  form_.label(label)->setCaption(QString::fromStdString(caption));
}

std::string QtWindowAdapter::caption(Label label) {
  return form_.label(label)->caption().toStdString();
}

// The end time is the last refresh of a run, right before its last pump,
// which therefore always runs.
void QtWindowAdapter::refresh(Label label) {
  if (label == Label::Label25) endOfRun_ = true;
  if (endOfRun_ || pump_.due()) form_.label(label)->repaint();
}

void QtWindowAdapter::clearList() { form_.controls().List1->clear(); }

void QtWindowAdapter::appendList(const std::string& line) {
  form_.controls().List1->addItem(QString::fromStdString(line));
}

void QtWindowAdapter::pumpEvents() {
  if (endOfRun_) {
    endOfRun_ = false;
    pump_.pumpNow();
  } else {
    pump_.pump();
  }
  if (programEnd_.requested()) throw ProgramEnding{};
}

std::string QtWindowAdapter::longTimeNow() {
  return formatLongTime(clock_(), QLocale()).toStdString();
}

}  // namespace zembra::ui
