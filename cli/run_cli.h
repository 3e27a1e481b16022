#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace zembra::cli {

// The whole command-line tool: parses the arguments, runs, and returns the
// exit status (0 done, 1 the result file, standard output or the computation
// failed, 2 bad usage). Lines go to `out` (also the result file for "-o -"),
// messages and the progress bar to `err`.
int runCli(const std::vector<std::string>& arguments, std::FILE* out, std::FILE* err);

}  // namespace zembra::cli
