#include "cli/plain_number.h"

#include <cctype>
#include <charconv>
#include <string>

namespace zembra::cli {
namespace {

bool isDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }
bool isBlank(char c) { return c == ' ' || c == '\t'; }

// Skips digits from `at`; returns how many there were.
std::size_t skipDigits(std::string_view text, std::size_t& at) {
  const std::size_t start = at;
  while (at < text.size() && isDigit(text[at])) ++at;
  return at - start;
}

// Whether the whole text is [sign] digits [. digits] [e [sign] digits].
bool isDecimalSyntax(std::string_view text) {
  std::size_t at = 0;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
  std::size_t mantissaDigits = skipDigits(text, at);
  if (at < text.size() && text[at] == '.') {
    ++at;
    mantissaDigits += skipDigits(text, at);
  }
  if (mantissaDigits == 0) return false;
  if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
    ++at;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
    if (skipDigits(text, at) == 0) return false;
  }
  return at == text.size();
}

}  // namespace

PlainNumber readPlainNumber(std::string_view text) {
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  if (!isDecimalSyntax(text)) return {};
  if (text.front() == '+') text.remove_prefix(1);  // from_chars takes no '+'
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error == std::errc::result_out_of_range) return {std::nullopt, true};
  if (error != std::errc() || end != text.data() + text.size()) return {};
  return {value, false};
}

}  // namespace zembra::cli
