#pragma once

#include <optional>
#include <string>
#include <vector>

namespace zembra::cli {

struct Options {
  enum class Action { Compute, Help, Version } action = Action::Compute;
  double digitCount = 0;
  std::string digitText;                   // the count as the result file's header shows it
  std::optional<std::string> outputPath;   // -o FILE: write the result file
  std::vector<std::string> findSequences;  // --find DIGITS: where each begins, instead of the lines
  bool quiet = false;                      // no progress bar
};

// Throws Error (Error::Kind::Usage) for a command line that cannot be used.
Options parseOptions(const std::vector<std::string>& arguments);

std::string helpText();

}  // namespace zembra::cli
