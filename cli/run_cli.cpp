#include "cli/run_cli.h"

#include <unistd.h>

#include <cerrno>

#include "cli/console_run_window.h"
#include "cli/options.h"
#include "engine/computation_run.h"
#include "engine/digit_lines.h"
#include "engine/digits/kernel/kernel.h"
#include "engine/digits/pi_digits.h"
#include "engine/environment_notes.h"
#include "engine/run_error.h"
#include "engine/version.h"

namespace zembra::cli {
namespace {

constexpr const char* kProgram = "zembra32-cli";

// Progress of a run that prints its lines: the counter of every term.
class ProgressListener final : public TermListener {
 public:
  ProgressListener(ProgressBar& bar, long total) : bar_(bar), total_(total) {}
  void termStarted(long counterOffset, long k) override { done_ = counterOffset + k; }
  void yieldPoint() override { bar_.update(done_, total_); }

 private:
  ProgressBar& bar_;
  long total_;
  long done_ = 0;
};

void printLines(const Options& options, ProgressBar& bar, std::FILE* out) {
  const SeriesSizes sizes = sizeSeries(options.digitCount);
  ProgressListener listener(bar, sizes.terms239 + sizes.terms5);
  const PiDigits digits = computePiDigits(sizes, listener);
  bar.finish();
  forEachDigitLine(digits.limbs, [out](const std::string& line) {
    std::fputs(line.c_str(), out);
    std::fputc('\n', out);
  });
}

// "-" is standard output, written through its descriptor.
std::string resultPath(const std::string& outputPath, std::FILE* out) {
  if (outputPath != "-") return outputPath;
  return "/dev/fd/" + std::to_string(::fileno(out));
}

void writeResultFile(const Options& options, ProgressBar& bar, std::FILE* out, std::FILE* err) {
  ConsoleRunWindow window(options.digitText, bar, err);
  RunSettings settings;
  settings.resultFilePath = resultPath(*options.outputPath, out);
  settings.waitForPipeReader = true;  // as Unix tools wait for a named pipe's reader
  std::fflush(out);
  runComputation(window, settings);
  bar.finish();
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
std::string describe(const RunError& error, const Options& options) {
  const bool toStandardOutput = options.outputPath == "-" && !error.path().empty();
  if (!toStandardOutput) return error.what();
  const std::string why = error.reason().empty() ? "not writable" : error.reason();
  return "cannot write the result file to standard output: " + why;
}

int compute(const Options& options, std::FILE* out, std::FILE* err) {
  const bool showProgress = !options.quiet && ::isatty(::fileno(err));
  ProgressBar bar(showProgress ? err : nullptr);
  int status = 0;
  try {
    if (options.outputPath) {
      writeResultFile(options, bar, out, err);
    } else {
      printLines(options, bar, out);
    }
  } catch (const RunError& error) {
    bar.finish();
    std::fprintf(err, "%s: %s\n", kProgram, describe(error, options).c_str());
    status = 1;  // a bad count never gets here: it is refused as usage
  } catch (const std::exception& error) {
    bar.finish();
    std::fprintf(err, "%s: %s\n", kProgram, error.what());
    status = 1;
  }
  if (status == 0 && !flushed(out, err, "the digits")) status = 1;
  return status;
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
  } catch (const UsageError& error) {
    std::fprintf(err, "%s: %s (try --help)\n", kProgram, error.message.c_str());
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
