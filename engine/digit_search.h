#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Finding a sequence of decimal digits in π's decimals as a result holds
// them: its digit lines, or a result file read piece by piece. Place 1 is the
// first decimal after "3."; a sequence runs across the blanks between groups
// and across line ends, but never into the running counts (": 50"), the
// header lines or the quotes, and only over places 1 … N, the decimals the
// run was asked for (the guard group printed after them is not π's). N is
// the count in a result file's first line; a file cut short is searched in
// the decimals it holds. A file whose first line is not a result file's, or
// whose count is not a plain number, is searched as plain text, line by line:
// a sequence of digits with blanks between them ignored, not across a line
// end; its place is then the line number.

namespace zembra {

// The digits of a sequence the user gave: ASCII digits only, at least one;
// nullopt otherwise.
std::optional<std::string> digitSequence(std::string_view text);

struct DigitMatch {
  long long place = 0;   // where the sequence begins: decimal place, or line in plain text
  long long offset = 0;  // byte offset of its first digit in the text read
  // Byte offsets of each of its digits, first to last.
  std::vector<long long> digitOffsets;
};

// Reads result text in pieces, in order, and tells every occurrence of the
// sequence (overlapping ones too: "99" twice in "999") as soon as its last
// digit has been read.
class DigitScanner {
 public:
  using OnMatch = std::function<void(const DigitMatch&)>;

  // The text of a whole file, from its first line on. `sequence` is
  // digitSequence()'s.
  DigitScanner(std::string sequence, OnMatch onMatch);
  // The digit lines of a run of `decimals` decimals, each followed by "\n":
  // no header lines.
  static DigitScanner forDigitLines(std::string sequence, long long decimals, OnMatch onMatch);

  // The next piece of the text; offsets count on from the pieces before.
  void feed(std::string_view piece);
  // The text has ended (a first line without a line end is read then).
  void end();
  // Whether nothing after this can match: every decimal of the result read.
  bool finished() const { return mode_ == Mode::Done; }
  // Whether the text was taken as plain text (known after its first line).
  bool plainText() const { return mode_ == Mode::PlainText; }

 private:
  enum class Mode { FirstLine, TimesLine, DigitLines, PlainText, Done };

  void feedByte(char byte);
  void decideFromFirstLine();
  void digitLineByte(char byte);
  void plainTextByte(char byte);
  void digit(char value, long long place);
  void restart();

  std::string sequence_;
  std::vector<std::size_t> fallback_;  // the prefix function of the sequence
  OnMatch onMatch_;
  Mode mode_;
  long long offset_ = 0;  // of the byte being read
  std::string firstLine_;
  long long decimals_ = 0;       // N
  long long place_ = 0;          // decimals read so far
  bool integerPart_ = true;      // before the "." of the first digit line
  bool inCount_ = false;         // after the ":" of a digit line
  long long line_ = 1;           // in plain text
  std::size_t matched_ = 0;      // digits of the sequence matched so far
  std::vector<long long> ring_;  // offsets of the last digits read, sequence-long
  long long digitsRead_ = 0;     // since the last restart
};

}  // namespace zembra
