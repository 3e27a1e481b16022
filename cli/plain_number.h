#pragma once

#include <optional>
#include <string_view>

namespace zembra::cli {

// A number as written on the command line: blanks, an optional sign, digits
// with an optional decimal point, an optional exponent, blanks. Rejects the
// empty text, "inf", "nan", hexadecimal and anything else.
std::optional<double> parsePlainNumber(std::string_view text);

}  // namespace zembra::cli
