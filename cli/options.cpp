#include "cli/options.h"

#include <cmath>

#include "cli/plain_number.h"
#include "engine/sizing.h"

namespace zembra::cli {
namespace {

const std::string kMaxDigitsText = std::to_string(static_cast<long>(kMaxDigits));

// The count as the window would show it: plain integer text when whole.
std::string canonicalText(double count, const std::string& typed) {
  if (count == std::floor(count)) return std::to_string(static_cast<long>(count));
  return typed;
}

void setDigitCount(Options& options, const std::string& argument) {
  if (!options.digitText.empty()) throw UsageError{"more than one digit count: " + argument};
  const std::optional<double> count = parsePlainNumber(argument);
  if (!count) throw UsageError{"the digit count is not a number: " + argument};
  if (*count < 0) throw UsageError{"the digit count must not be negative: " + argument};
  if (*count > kMaxDigits) {
    throw UsageError{"the digit count must not exceed " + kMaxDigitsText + ": " + argument};
  }
  options.digitCount = *count;
  options.digitText = canonicalText(*count, argument);
}

}  // namespace

Options parseOptions(const std::vector<std::string>& arguments) {
  Options options;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument == "-h" || argument == "--help") {
      options.action = Options::Action::Help;
      return options;
    }
    if (argument == "-V" || argument == "--version") {
      options.action = Options::Action::Version;
      return options;
    }
    if (argument == "-q" || argument == "--quiet") {
      options.quiet = true;
    } else if (argument == "-o" || argument == "--output") {
      if (i + 1 == arguments.size()) throw UsageError{"option " + argument + " needs a file name"};
      options.outputPath = arguments[++i];
    } else if (argument.rfind("--output=", 0) == 0) {
      options.outputPath = argument.substr(9);
    } else if (argument.size() > 1 && argument[0] == '-' && !parsePlainNumber(argument)) {
      throw UsageError{"unknown option: " + argument};
    } else {
      setDigitCount(options, argument);
    }
  }
  if (options.digitText.empty()) throw UsageError{"missing digit count"};
  return options;
}

std::string helpText() {
  return "Usage: zembra32-cli DIGITS [-o FILE] [--quiet]\n"
         "Computes DIGITS decimal places of pi (0 to " + kMaxDigitsText +
         ") with Machin's formula\n"
         "and prints them in lines of five ten-digit groups with a running count.\n"
         "\n"
         "  -o, --output FILE  write the result file instead (Shift-JIS, every line\n"
         "                     quoted and ended by CR LF, two header lines first);\n"
         "                     an earlier file is replaced only when the run succeeds\n"
         "  -q, --quiet        no progress bar on standard error\n"
         "  -h, --help         show this help\n"
         "  -V, --version      show the version and the long-division kernel in use\n"
         "\n"
         "Exit status: 0 success, 1 the file could not be written, 2 bad usage.\n";
}

}  // namespace zembra::cli
