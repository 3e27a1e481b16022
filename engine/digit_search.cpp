#include "engine/digit_search.h"

#include <algorithm>
#include <charconv>

#include "engine/result_header.h"

namespace zembra {
namespace {

// A first line longer than this is no result file's.
constexpr std::size_t kLongestFirstLine = 1024;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The decimals of a count as a result file quotes it: digits, perhaps with a
// fraction ("12.5" asked for 12 decimals); nullopt for anything else.
std::optional<long long> decimalsOf(std::string_view count) {
  const std::string_view whole = count.substr(0, count.find('.'));
  if (whole.empty() || !std::all_of(whole.begin(), whole.end(), isDigit)) return std::nullopt;
  if (whole.size() < count.size()) {
    const std::string_view fraction = count.substr(whole.size() + 1);
    if (!std::all_of(fraction.begin(), fraction.end(), isDigit)) return std::nullopt;
  }
  long long decimals = 0;
  const auto [end, error] = std::from_chars(whole.data(), whole.data() + whole.size(), decimals);
  if (error != std::errc()) return std::nullopt;
  return decimals;
}

// fallback[i]: the longest proper prefix of sequence[0 … i] that is also its suffix.
std::vector<std::size_t> prefixFunction(const std::string& sequence) {
  std::vector<std::size_t> fallback(sequence.size(), 0);
  for (std::size_t i = 1, k = 0; i < sequence.size(); ++i) {
    while (k > 0 && sequence[i] != sequence[k]) k = fallback[k - 1];
    if (sequence[i] == sequence[k]) ++k;
    fallback[i] = k;
  }
  return fallback;
}

}  // namespace

std::optional<std::string> digitSequence(std::string_view text) {
  if (text.empty() || !std::all_of(text.begin(), text.end(), isDigit)) return std::nullopt;
  return std::string(text);
}

DigitScanner::DigitScanner(std::string sequence, OnMatch onMatch)
    : sequence_(std::move(sequence)),
      fallback_(prefixFunction(sequence_)),
      onMatch_(std::move(onMatch)),
      mode_(Mode::FirstLine),
      ring_(sequence_.size()) {}

DigitScanner DigitScanner::forDigitLines(std::string sequence, long long decimals,
                                         OnMatch onMatch) {
  DigitScanner scanner(std::move(sequence), std::move(onMatch));
  scanner.decimals_ = decimals;
  scanner.mode_ = decimals > 0 ? Mode::DigitLines : Mode::Done;
  return scanner;
}

void DigitScanner::feed(std::string_view piece) {
  for (const char byte : piece) {
    if (mode_ == Mode::Done) return;
    feedByte(byte);
    ++offset_;
  }
}

void DigitScanner::end() {
  if (mode_ == Mode::FirstLine) decideFromFirstLine();
}

void DigitScanner::feedByte(char byte) {
  switch (mode_) {
    case Mode::FirstLine:
      if (byte == '\n' || firstLine_.size() == kLongestFirstLine) {
        decideFromFirstLine();
        feedByte(byte);
        return;
      }
      firstLine_ += byte;
      return;
    case Mode::TimesLine:
      if (byte == '\n') mode_ = Mode::DigitLines;
      return;
    case Mode::DigitLines:
      return digitLineByte(byte);
    case Mode::PlainText:
      return plainTextByte(byte);
    case Mode::Done:
      return;
  }
}

// A result file's first line gives N; anything else is plain text, the
// first line included, read again at its own offsets.
void DigitScanner::decideFromFirstLine() {
  const std::optional<std::string> count = digitCountTextOf(firstLine_);
  const std::optional<long long> decimals = count ? decimalsOf(*count) : std::nullopt;
  if (decimals) {
    decimals_ = *decimals;
    mode_ = decimals_ > 0 ? Mode::TimesLine : Mode::Done;
  } else {
    mode_ = Mode::PlainText;
    const long long after = offset_;
    offset_ -= static_cast<long long>(firstLine_.size());
    for (const char byte : firstLine_) {
      plainTextByte(byte);
      ++offset_;
    }
    offset_ = after;
  }
  firstLine_.clear();
  firstLine_.shrink_to_fit();
}

// "3." starts the first line; each line may end in "   : 50"; quotes,
// blanks and line ends come between the digits.
void DigitScanner::digitLineByte(char byte) {
  if (byte == '\n') {
    inCount_ = false;
  } else if (inCount_) {
  } else if (byte == ':') {
    inCount_ = true;
  } else if (integerPart_) {
    integerPart_ = byte != '.';
  } else if (isDigit(byte)) {
    digit(byte, ++place_);
    if (place_ == decimals_) mode_ = Mode::Done;
  }
}

void DigitScanner::plainTextByte(char byte) {
  if (byte == '\n') {
    ++line_;
    restart();
  } else if (isDigit(byte)) {
    digit(byte, line_);
  } else if (byte != ' ' && byte != '\r') {
    restart();
  }
}

// One more digit through the prefix function; a whole match is told with
// the place of its first digit (`place` is this digit's, or its line's).
void DigitScanner::digit(char value, long long place) {
  const std::size_t length = sequence_.size();
  while (matched_ > 0 && sequence_[matched_] != value) matched_ = fallback_[matched_ - 1];
  if (sequence_[matched_] == value) ++matched_;
  ring_[static_cast<std::size_t>(digitsRead_ % static_cast<long long>(length))] = offset_;
  ++digitsRead_;
  if (matched_ < length) return;
  matched_ = fallback_[length - 1];
  DigitMatch match;
  match.place = mode_ == Mode::PlainText ? place : place - static_cast<long long>(length) + 1;
  match.digitOffsets.reserve(length);
  for (long long i = digitsRead_ - static_cast<long long>(length); i < digitsRead_; ++i) {
    match.digitOffsets.push_back(
        ring_[static_cast<std::size_t>(i % static_cast<long long>(length))]);
  }
  match.offset = match.digitOffsets.front();
  onMatch_(match);
}

void DigitScanner::restart() {
  matched_ = 0;
  digitsRead_ = 0;
}

}  // namespace zembra
