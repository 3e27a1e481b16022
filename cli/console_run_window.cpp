#include "cli/console_run_window.h"

#include <ctime>

#include "cli/plain_number.h"
#include "engine/quoted.h"

namespace zembra::cli {

ConsoleRunWindow::ConsoleRunWindow(std::string digitCountText, ProgressBar& progress,
                                   std::FILE* err)
    : digitCountText_(std::move(digitCountText)), progress_(progress), err_(err) {}

void ConsoleRunWindow::showLeftoverBackup(const std::string& backup) {
  std::fprintf(err_,
               "zembra32-cli: note: a run stopped while it overwrote this file; its earlier "
               "content is kept in %s\n",
               quotedForMessage(backup).c_str());
}

std::optional<double> ConsoleRunWindow::toNumber(const std::string& text) {
  return parsePlainNumber(text);
}

std::string ConsoleRunWindow::timeOfDay() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[16];
  std::snprintf(text, sizeof text, "%d:%02d:%02d", local.tm_hour, local.tm_min, local.tm_sec);
  return text;
}

}  // namespace zembra::cli
