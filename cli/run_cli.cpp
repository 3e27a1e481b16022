#include "cli/run_cli.h"

#include <unistd.h>

#include <cerrno>
#include <ctime>

#include "cli/console_run_view.h"
#include "cli/options.h"
#include "engine/computation_run.h"
#include "engine/digits/kernel/kernel.h"
#include "engine/environment_notes.h"
#include "engine/error.h"
#include "engine/version.h"

namespace zembra::cli {
namespace {

constexpr const char* kProgram = "zembra32-cli";

// The time of day as H:MM:SS, the long time format of a Japanese system.
std::string timeOfDay() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char minutesAndSeconds[8];  // ":MM:SS"; the hour has no leading zero
  return std::to_string(local.tm_hour) +
         std::string(minutesAndSeconds,
                     std::strftime(minutesAndSeconds, sizeof minutesAndSeconds, ":%M:%S", &local));
}

// "-" is standard output, written through its descriptor.
std::string resultPath(const std::string& outputPath, std::FILE* out) {
  if (outputPath != "-") return outputPath;
  return "/dev/fd/" + std::to_string(::fileno(out));
}

// The digits go to `out` as lines, or into the result file that -o names.
std::optional<Error> runOnce(const Options& options, ProgressBar& bar, std::FILE* out,
                             std::FILE* err) {
  RunRequest request;
  request.digitCount = options.digitCount;
  request.digitCountText = options.digitText;
  if (options.outputPath) request.resultFile = resultPath(*options.outputPath, out);
  request.timeOfDay = timeOfDay;
  request.waitForPipeReader = true;  // as Unix tools wait for a named pipe's reader
  std::optional<DigitFinder> finder;
  if (!options.findSequences.empty()) {
    finder.emplace(options.findSequences, static_cast<long long>(options.digitCount));
  }
  ConsoleRunView view(bar, out, err, finder ? &*finder : nullptr);
  std::fflush(out);
  runComputation(request, view);
  bar.finish();
  if (finder && !view.failure()) finder->print(out);
  return view.failure();
}

// Flushes `out`; on a write error, says so on `err` and returns false.
bool flushed(std::FILE* out, std::FILE* err, const char* what) {
  errno = 0;
  if (std::fflush(out) == 0 && !std::ferror(out)) return true;
  const int error = errno != 0 ? errno : EIO;
  std::fprintf(err, "%s: cannot write %s to standard output: %s\n", kProgram, what,
               englishErrorText(error).c_str());
  return false;
}

// The error as the user wrote the command: "-" is standard output.
std::string describe(const Error& error, const Options& options) {
  const bool toStandardOutput = options.outputPath == "-" && !error.path().empty();
  if (!toStandardOutput) return error.what();
  const std::string why = error.reason().empty() ? "not writable" : error.reason();
  return "cannot write the result file to standard output: " + why;
}

int compute(const Options& options, std::FILE* out, std::FILE* err) {
  const bool showProgress = !options.quiet && ::isatty(::fileno(err));
  ProgressBar bar(showProgress ? err : nullptr);
  // A bad count never gets here: it is refused as usage.
  if (const std::optional<Error> failure = runOnce(options, bar, out, err)) {
    std::fprintf(err, "%s: %s\n", kProgram, describe(*failure, options).c_str());
    return 1;
  }
  return flushed(out, err, "the digits") ? 0 : 1;
}

// The version, the kernel and the thread count a run uses, and why an
// environment variable was not taken as given.
void printVersion(std::FILE* out) {
  const int threads = WorkerPool::defaultSize();
  std::fprintf(out, "%s %s (kernel %s, %d thread%s)\n", kProgram, kVersion,
               std::string(kernel::selectedKernel().name).c_str(), threads,
               threads == 1 ? "" : "s");
  for (const std::string& note : environmentNotes()) std::fprintf(out, "%s\n", note.c_str());
}

}  // namespace

int runCli(const std::vector<std::string>& arguments, std::FILE* out, std::FILE* err) {
  Options options;
  try {
    options = parseOptions(arguments);
  } catch (const Error& error) {
    std::fprintf(err, "%s: %s (try --help)\n", kProgram, error.what());
    return 2;
  }
  switch (options.action) {
    case Options::Action::Help:
      std::fputs(helpText().c_str(), out);
      return flushed(out, err, "the help") ? 0 : 1;
    case Options::Action::Version:
      printVersion(out);
      return flushed(out, err, "the version") ? 0 : 1;
    case Options::Action::Compute:
      break;
  }
  for (const std::string& note : environmentNotes()) {
    std::fprintf(err, "%s: %s\n", kProgram, note.c_str());
  }
  return compute(options, out, err);
}

}  // namespace zembra::cli
