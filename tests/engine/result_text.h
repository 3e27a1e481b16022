#pragma once

// Result text made from the reference's decimals, for tests of what reads
// results: the digit lines a run prints and a result file holding them.

#include <string>
#include <vector>

#include "engine/digit_lines.h"
#include "engine/result_file/shift_jis.h"
#include "engine/result_header.h"
#include "tests/reference/reference.h"

namespace zembra::test {

// π's first 1,010 decimals from MPFR: 1,000 and the guard group after them.
inline const std::string& referencePi() {
  static const std::string decimals = reference::piDecimals(1010);
  return decimals;
}

// Where `digits` begins in places 1 … decimals, overlaps too: a plain find loop.
inline std::vector<long long> referencePlaces(const std::string& digits, long long decimals) {
  const std::string searched = referencePi().substr(0, static_cast<std::size_t>(decimals));
  std::vector<long long> places;
  for (std::size_t at = searched.find(digits); at != std::string::npos;
       at = searched.find(digits, at + 1)) {
    places.push_back(static_cast<long long>(at) + 1);
  }
  return places;
}

// The lines a run of `decimals` (at most 1,000) decimals prints.
inline std::vector<std::string> digitLines(long long decimals) {
  const std::size_t limbs = static_cast<std::size_t>(decimals / 10 + 1);
  std::vector<std::string> lines;
  forEachDigitLine(reference::limbsFromDecimals(3, referencePi().substr(0, 10 * limbs)),
                   [&lines](const std::string& line) { lines.push_back(line); });
  return lines;
}

// A result file of those lines: two header lines, each line quoted and ended by CR LF.
inline std::string resultFile(const std::string& count, const std::vector<std::string>& lines) {
  std::string file;
  const auto add = [&file](const std::string& line) {
    file.append("\"").append(line).append("\"\r\n");
  };
  add(toShiftJis(digitCountHeader(count)));
  add(toShiftJis(timesHeader("9:00:00", "9:00:01")));
  for (const std::string& line : lines) add(line);
  return file;
}

}  // namespace zembra::test
