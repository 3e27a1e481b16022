#pragma once

#include <chrono>
#include <cstdio>

namespace zembra::cli {

// A one-line progress bar on a terminal: terms done of the total, elapsed
// time and an estimate of the time left. Redraws at most ten times a second.
class ProgressBar {
 public:
  explicit ProgressBar(std::FILE* terminal);  // nullptr: draws nothing
  void update(long done, long total);
  void finish();  // clears the line

 private:
  void draw(long done, long total, double elapsed);

  std::FILE* terminal_;
  std::chrono::steady_clock::time_point start_;
  std::chrono::steady_clock::time_point lastDraw_;
  bool drawn_ = false;
};

}  // namespace zembra::cli
