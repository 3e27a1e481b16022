#include "engine/quoted.h"

#include <cstdio>

namespace zembra {
namespace {

// The length of the printable character at the start of `text`, or 0 for an
// unprintable byte: a control character (C0, DEL, C1) or a byte that does not
// start a valid UTF-8 sequence.
std::size_t printableLength(std::string_view text) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(0);
  if (lead < 0x80) return lead >= 0x20 && lead != 0x7F ? 1 : 0;
  const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
  if (length == 0 || lead > 0xF4 || text.size() < length) return 0;
  char32_t code = lead & (0x7F >> length);
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return 0;
    code = code << 6 | (byte(i) & 0x3F);
  }
  const char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (code < smallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
  return code >= 0x80 && code < 0xA0 ? 0 : length;  // C1 controls
}

std::string escaped(unsigned char byte) {
  constexpr std::string_view controls = "\a\b\t\n\v\f\r", letters = "abtnvfr";
  if (const std::size_t at = controls.find(static_cast<char>(byte)); at != controls.npos) {
    return {'\\', letters[at]};
  }
  char octal[5];
  std::snprintf(octal, sizeof octal, "\\%03o", byte);
  return octal;
}

}  // namespace

std::string quotedForMessage(std::string_view text) {
  bool printable = true;
  for (std::size_t at = 0; at < text.size() && printable;) {
    const std::size_t length = printableLength(text.substr(at));
    printable = length > 0;
    at += length;
  }
  if (printable) return std::string(text);
  std::string quoted;
  bool inPlain = false, inEscapes = false;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t length = printableLength(text.substr(at));
    if (length > 0) {
      if (inEscapes) quoted += '\'', inEscapes = false;
      if (!inPlain) quoted += '\'', inPlain = true;
      const std::string_view piece = text.substr(at, length);
      quoted += piece == "'" ? std::string("'\\''") : std::string(piece);
      at += length;
    } else {
      if (inPlain) quoted += '\'', inPlain = false;
      if (!inEscapes) quoted += "$'", inEscapes = true;
      quoted += escaped(static_cast<unsigned char>(text[at]));
      ++at;
    }
  }
  if (inPlain || inEscapes) quoted += '\'';
  return quoted;
}

}  // namespace zembra
