#pragma once

#include <string>
#include <string_view>

namespace zembra {

// UTF-8 text in Shift-JIS (code page 932), the encoding of result files.
// A character that code page 932 cannot hold becomes "?", and so does a byte
// that is not valid UTF-8.
std::string toShiftJis(std::string_view utf8);

// Whether every character of the UTF-8 text has a Shift-JIS code.
bool fitsShiftJis(std::string_view utf8);

}  // namespace zembra
