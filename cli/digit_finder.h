#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "engine/digit_search.h"

namespace zembra::cli {

// --find: every sequence looked for in the digit lines of one run, as they
// come; then, for each sequence in the order given, every place where it
// begins, or that it does not occur.
class DigitFinder {
 public:
  DigitFinder(const std::vector<std::string>& sequences, long long decimals);

  void feedLine(const std::string& line);
  // "DIGITS PLACE" lines, or "DIGITS does not occur in the first N decimals".
  void print(std::FILE* out) const;

 private:
  struct Sought {
    std::string digits;
    std::vector<long long> places;
  };
  std::vector<Sought> sought_;
  std::vector<DigitScanner> scanners_;
  long long decimals_;
};

}  // namespace zembra::cli
