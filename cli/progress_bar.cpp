#include "cli/progress_bar.h"

#include <string>

namespace zembra::cli {
namespace {

constexpr auto kRedrawInterval = std::chrono::milliseconds(100);
constexpr int kBarWidth = 30;

std::string minutesAndSeconds(double seconds) {
  const long whole = static_cast<long>(seconds + 0.5);
  char text[32];
  std::snprintf(text, sizeof text, "%ld:%02ld", whole / 60, whole % 60);
  return text;
}

}  // namespace

ProgressBar::ProgressBar(std::FILE* terminal)
    : terminal_(terminal), start_(std::chrono::steady_clock::now()), lastDraw_(start_) {}

void ProgressBar::update(long done, long total) {
  if (!terminal_ || total <= 0) return;
  const auto now = std::chrono::steady_clock::now();
  if (drawn_ && now - lastDraw_ < kRedrawInterval) return;
  lastDraw_ = now;
  draw(done, total, std::chrono::duration<double>(now - start_).count());
}

void ProgressBar::draw(long done, long total, double elapsed) {
  const double fraction = static_cast<double>(done) / static_cast<double>(total);
  const int filled = static_cast<int>(fraction * kBarWidth);
  // Later terms are shorter, but the counter is the progress the user sees.
  const std::string left =
      done > 0 ? minutesAndSeconds(elapsed * (1 - fraction) / fraction) : std::string("?");
  std::fprintf(terminal_, "\r[%s%s] %ld/%ld terms  elapsed %s  left %s\033[K",
               std::string(static_cast<std::size_t>(filled), '#').c_str(),
               std::string(static_cast<std::size_t>(kBarWidth - filled), '.').c_str(), done, total,
               minutesAndSeconds(elapsed).c_str(), left.c_str());
  std::fflush(terminal_);
  drawn_ = true;
}

void ProgressBar::finish() {
  if (!terminal_ || !drawn_) return;
  std::fprintf(terminal_, "\r\033[K");
  std::fflush(terminal_);
  drawn_ = false;
}

}  // namespace zembra::cli
