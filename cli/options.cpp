#include "cli/options.h"

#include <cmath>

#include "cli/plain_number.h"
#include "engine/digit_search.h"
#include "engine/digits/sizing.h"
#include "engine/error.h"
#include "engine/quoted.h"

namespace zembra::cli {
namespace {

const std::string kMaxDigitsText = std::to_string(static_cast<long>(kMaxDigits));

// The count as the window would show it: plain integer text when whole.
std::string canonicalText(double count, const std::string& typed) {
  if (count == std::floor(count)) return std::to_string(static_cast<long>(count));
  return typed;
}

void setDigitCount(Options& options, const std::string& typed) {
  const std::string argument = quotedForMessage(typed);
  if (!options.digitText.empty()) throw Error::usage("more than one digit count: " + argument);
  const PlainNumber number = readPlainNumber(typed);
  if (number.outOfRange) throw Error::usage("the digit count is out of range: " + argument);
  if (!number.value) throw Error::usage("the digit count is not a number: " + argument);
  const double count = *number.value;
  if (count < 0) throw Error::usage("the digit count must not be negative: " + argument);
  if (count > kMaxDigits) {
    throw Error::usage("the digit count must not exceed " + kMaxDigitsText + ": " + argument);
  }
  options.digitCount = count;
  options.digitText = canonicalText(count, typed);
}

void setOutput(Options& options, const std::string& option, const std::string& path) {
  if (options.outputPath) {
    throw Error::usage("more than one output file: " + option + " " + quotedForMessage(path));
  }
  if (path.empty()) throw Error::usage("missing file name after " + option);
  options.outputPath = path;
}

void addSequence(Options& options, const std::string& typed) {
  if (typed.empty()) throw Error::usage("missing digits after --find");
  const std::optional<std::string> digits = digitSequence(typed);
  if (!digits) throw Error::usage("--find takes decimal digits only: " + quotedForMessage(typed));
  options.findSequences.push_back(*digits);
}

// An argument that starts with '-' and is not a negative number.
bool looksLikeOption(const std::string& argument) {
  return argument.size() > 1 && argument[0] == '-' && !readPlainNumber(argument).value &&
         !readPlainNumber(argument).outOfRange;
}

}  // namespace

Options parseOptions(const std::vector<std::string>& arguments) {
  Options options;
  bool optionsEnded = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (optionsEnded) {
      setDigitCount(options, argument);
    } else if (argument == "--") {
      optionsEnded = true;
    } else if (argument == "-h" || argument == "--help") {
      options.action = Options::Action::Help;
      return options;
    } else if (argument == "-V" || argument == "--version") {
      options.action = Options::Action::Version;
      return options;
    } else if (argument == "-q" || argument == "--quiet") {
      options.quiet = true;
    } else if (argument == "-o" || argument == "--output") {
      if (i + 1 == arguments.size()) throw Error::usage("missing file name after " + argument);
      setOutput(options, argument, arguments[++i]);
    } else if (argument.rfind("--output=", 0) == 0) {
      setOutput(options, "--output", argument.substr(9));
    } else if (argument == "--find") {
      if (i + 1 == arguments.size()) throw Error::usage("missing digits after --find");
      addSequence(options, arguments[++i]);
    } else if (argument.rfind("--find=", 0) == 0) {
      addSequence(options, argument.substr(7));
    } else if (looksLikeOption(argument)) {
      throw Error::usage("unknown option: " + quotedForMessage(argument));
    } else {
      setDigitCount(options, argument);
    }
  }
  if (options.digitText.empty()) throw Error::usage("missing digit count");
  if (!options.findSequences.empty() && options.outputPath == "-") {
    throw Error::usage("--find and -o - would both write to standard output");
  }
  return options;
}

std::string helpText() {
  return "Usage: zembra32-cli [OPTIONS] [--] DIGITS\n"
         "Computes DIGITS decimal places of pi (0 to " +
         kMaxDigitsText +
         ") with Machin's formula\n"
         "and prints them in lines of five ten-digit groups with a running count.\n"
         "The groups are whole: one more than the count fills, a guard group whose\n"
         "decimals past the count may differ from pi's.\n"
         "\n"
         "  -o, --output FILE  write the result file instead (Shift-JIS, every line\n"
         "                     quoted and ended by CR LF, two header lines first);\n"
         "                     FILE - is standard output. A regular file is replaced\n"
         "                     only when the run succeeds; a named pipe, a character\n"
         "                     device or /dev/fd/N is written as a stream; links are\n"
         "                     followed; folders, sockets and block devices are refused\n"
         "  --find DIGITS      print the decimal places where DIGITS begins in the\n"
         "                     decimals asked for, one line each (\"DIGITS PLACE\"),\n"
         "                     instead of the digit lines; may be given more than once\n"
         "  -q, --quiet        no progress bar on standard error\n"
         "  -h, --help         show this help\n"
         "  -V, --version      show the version, the long-division kernel and the threads\n"
         "                     a run uses\n"
         "  --                 end of options (a negative count then reads as a count)\n"
         "\n"
         "Exit status: 0 success, 1 the file or standard output could not be written\n"
         "(or the computation failed), 2 bad usage.\n";
}

}  // namespace zembra::cli
