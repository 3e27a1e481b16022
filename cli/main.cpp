// zembra32-cli: the digits of π on the command line.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/run_cli.h"

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  return zembra::cli::runCli(arguments, stdout, stderr);
}
