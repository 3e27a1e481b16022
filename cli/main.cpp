// zembra32-cli: the digits of π on the command line.
#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/run_cli.h"

int main(int argc, char** argv) {
  // A reader that goes away is a write error with a message and status 1.
  std::signal(SIGPIPE, SIG_IGN);
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  return zembra::cli::runCli(arguments, stdout, stderr);
}
