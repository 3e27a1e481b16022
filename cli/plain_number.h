#pragma once

#include <optional>
#include <string_view>

namespace zembra::cli {

// A number as written on the command line: blanks, an optional sign, digits
// with an optional decimal point, an optional exponent, blanks. Rejects the
// empty text, "inf", "nan", hexadecimal and anything else.
struct PlainNumber {
  std::optional<double> value;  // nullopt: not such a number, or out of range
  bool outOfRange = false;      // such a number, but beyond what a double holds
};
PlainNumber readPlainNumber(std::string_view text);

}  // namespace zembra::cli
