#pragma once

#include <memory>
#include <string>
#include <string_view>

// Shift-JIS (code page 932), the encoding of result files, both ways.

namespace zembra {

class IconvConverter;

// UTF-8 text in Shift-JIS. A character that code page 932 cannot hold
// becomes "?", and so does a byte that is not valid UTF-8.
std::string toShiftJis(std::string_view utf8);

// Whether every character of the UTF-8 text has a Shift-JIS code.
bool fitsShiftJis(std::string_view utf8);

// Shift-JIS bytes as UTF-8 text, a line at a time. A byte that can neither
// stand alone nor begin a character with the byte after it becomes one
// U+FFFD, and so does a character that code page 932 leaves unassigned;
// control codes stay as they are.
class ShiftJisDecoder {
 public:
  ShiftJisDecoder();  // throws std::runtime_error if the system has no CP932
  ~ShiftJisDecoder();
  ShiftJisDecoder(const ShiftJisDecoder&) = delete;
  ShiftJisDecoder& operator=(const ShiftJisDecoder&) = delete;

  std::string decode(std::string_view bytes);

 private:
  std::unique_ptr<IconvConverter> converter_;
};

// The length of `bytes` less a last byte that begins a double-byte character
// whose second byte is missing (a line cut in the middle of a character).
std::size_t wholeShiftJisLength(std::string_view bytes);

}  // namespace zembra
