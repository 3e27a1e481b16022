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
}

std::string ConsoleWindow::caption(Label label) { return captions_[label]; }

void ConsoleWindow::pumpEvents() {
  const auto done = parsePlainNumber(captions_[Label::Label11]);
  const auto total = parsePlainNumber(captions_[Label::Label3]);
  if (done && total) progress_.update(static_cast<long>(*done), static_cast<long>(*total));
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
