#include "cli/console_window.h"

#include <ctime>

#include "cli/plain_number.h"

namespace zembra::cli {

ConsoleWindow::ConsoleWindow(std::string digitText, ProgressBar& progress)
    : digitText_(std::move(digitText)), progress_(progress) {}

std::string ConsoleWindow::digitText() { return digitText_; }

std::optional<double> ConsoleWindow::toNumber(const std::string& text) {
  return parsePlainNumber(text);
}

void ConsoleWindow::setCaption(Label label, const std::string& caption) {
  captions_[label] = caption;
  // The counter and the total, as numbers for the progress bar (" " reads as 0).
  if (label == Label::Label11) termsDone_ = parsePlainNumber(caption).value_or(0);
  if (label == Label::Label3) termsTotal_ = parsePlainNumber(caption).value_or(0);
}

std::string ConsoleWindow::caption(Label label) { return captions_[label]; }

void ConsoleWindow::pumpEvents() {
  progress_.update(static_cast<long>(termsDone_), static_cast<long>(termsTotal_));
}

std::string ConsoleWindow::longTimeNow() { return clockTime(); }

std::string clockTime() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[16];
  std::snprintf(text, sizeof text, "%d:%02d:%02d", local.tm_hour, local.tm_min, local.tm_sec);
  return text;
}

}  // namespace zembra::cli
