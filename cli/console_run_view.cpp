#include "cli/console_run_view.h"

#include "engine/quoted.h"

namespace zembra::cli {

ConsoleRunView::ConsoleRunView(ProgressBar& progress, std::FILE* out, std::FILE* err,
                               DigitFinder* finder)
    : progress_(progress), out_(out), err_(err), finder_(finder) {}

void ConsoleRunView::showEndTime(const std::string&) {
  computationDone_ = true;
  progress_.finish();
}

void ConsoleRunView::pumpEvents() {
  if (!computationDone_) progress_.update(counter_, termTotal_);
}

void ConsoleRunView::showDigitLine(const std::string& line) {
  if (finder_) return finder_->feedLine(line);
  if (!printsLines_) return;
  std::fputs(line.c_str(), out_);
  std::fputc('\n', out_);
}

void ConsoleRunView::showLeftoverBackup(const std::string& backup) {
  std::fprintf(err_,
               "zembra32-cli: note: a run stopped while it overwrote this file; its earlier "
               "content is kept in %s\n",
               quotedForMessage(backup).c_str());
}

void ConsoleRunView::runFailed(const Error& error) {
  progress_.finish();
  failure_ = error;
}

}  // namespace zembra::cli
