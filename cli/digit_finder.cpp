#include "cli/digit_finder.h"

namespace zembra::cli {

DigitFinder::DigitFinder(const std::vector<std::string>& sequences, long long decimals)
    : decimals_(decimals) {
  sought_.reserve(sequences.size());  // the scanners keep pointers into it
  for (const std::string& digits : sequences) sought_.push_back({digits, {}});
  for (Sought& sought : sought_) {
    scanners_.push_back(DigitScanner::forDigitLines(
        sought.digits, decimals,
        [&places = sought.places](const DigitMatch& match) { places.push_back(match.place); }));
  }
}

void DigitFinder::feedLine(const std::string& line) {
  for (DigitScanner& scanner : scanners_) {
    scanner.feed(line);
    scanner.feed("\n");
  }
}

void DigitFinder::print(std::FILE* out) const {
  for (const Sought& sought : sought_) {
    for (const long long place : sought.places) {
      std::fprintf(out, "%s %lld\n", sought.digits.c_str(), place);
    }
    if (sought.places.empty()) {
      std::fprintf(out, "%s does not occur in the first %lld decimals\n", sought.digits.c_str(),
                   decimals_);
    }
  }
}

}  // namespace zembra::cli
