// Named pipes as result files: a reader gets every byte, a reader that quits
// is an error (not a SIGPIPE), and a full pipe lets the window's events run.
#include <fcntl.h>
#include <gtest/gtest.h>

#include <future>

#include "engine/computation_run.h"
#include "tests/engine/recorder_window.h"
#include "tests/engine/target_test_support.h"

namespace zembra::test {
namespace {

const std::string kDigits = "3.1415926535  8979323846  2643383279";
const std::string kLine = "\"" + kDigits + "\"\r\n";
const std::set<std::string> kOnlyThePipe = {"fifo|"};

std::string makeFifo(const TempFolder& folder) {
  ::mkfifo(folder.file("fifo").c_str(), 0600);
  return folder.file("fifo");
}

// A reader that has the pipe open from now on, as the window needs; once `go`
// is set, it reads to the end on a thread of its own, or quits.
std::future<std::string> readLater(const std::string& fifo, std::shared_future<void> go,
                                   bool quit = false) {
  const int fd = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  return std::async(std::launch::async, [fd, go, quit] {
    go.wait();
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (quit) ::close(fd);
    return quit ? std::string() : readToEnd(fd);
  });
}

TEST(ResultStream, the_command_line_waits_for_the_reader_of_a_named_pipe) {
  TempFolder folder;
  const std::string fifo = makeFifo(folder);
  std::future<std::string> reader = std::async(std::launch::async, [&] {
    return readToEnd(::open(fifo.c_str(), O_RDONLY | O_CLOEXEC));  // opens after the writer waits
  });
  ResultFileOptions options;
  options.waitForPipeReader = true;
  EXPECT_EQ(writeLines(fifo, options, 3, kDigits), "done");
  EXPECT_EQ(reader.get(), kLine + kLine + kLine);
  EXPECT_EQ(listing(folder.path()), kOnlyThePipe);
}

TEST(ResultStream, a_full_pipe_pumps_the_window_until_the_reader_reads_or_quits) {
  const int lines = 20000;  // far more than a pipe holds
  std::string everything;
  for (int i = 0; i < lines; ++i) everything += kLine;
  for (const bool quits : {false, true}) {  // quitting is a write error, not a SIGPIPE
    TempFolder folder;
    const std::string fifo = makeFifo(folder);
    std::promise<void> pumped;
    std::future<std::string> text = readLater(fifo, pumped.get_future().share(), quits);
    int pumps = 0;
    ResultFileOptions options;  // the window's: no waiting for a reader
    options.whileWaiting = [&] {
      if (++pumps == 3) pumped.set_value();  // the reader acts only after three pumps
    };
    EXPECT_EQ(writeLines(fifo, options, lines, kDigits),
              quits ? "cannot write: Broken pipe" : "done");
    if (pumps < 3) pumped.set_value();  // lets the reader end all the same
    EXPECT_EQ(text.get(), quits ? "" : everything);
    EXPECT_GE(pumps, 3);
    EXPECT_EQ(listing(folder.path()), kOnlyThePipe);
  }
}

// A pipe without a reader stops the window's run before computing; one with a
// reader gets the whole result file.
TEST(ResultStream, a_run_in_the_window_writes_to_a_pipe_only_when_someone_reads_it) {
  TempFolder folder;
  RunSettings settings;
  settings.resultFilePath = makeFifo(folder);
  RecorderWindow lonely;
  EXPECT_EQ(outcomeOf([&] { runComputation(lonely, settings); }), "refused: no pipe reader");
  EXPECT_EQ(lonely.clockReadings, 0) << "nothing computed";

  std::promise<void> writerOpened;  // reading before would find no writer: the end
  std::future<std::string> text =
      readLater(settings.resultFilePath, writerOpened.get_future().share());
  RecorderWindow window;
  bool told = false;
  window.onPump = [&] {  // pumps come only once the file is open
    if (!told) writerOpened.set_value();
    told = true;
  };
  EXPECT_NO_THROW(runComputation(window, settings));
  if (!told) writerOpened.set_value();  // lets the reader end all the same
  const std::string got = text.get();
  EXPECT_NE(got.find("\"" + window.list[0] + "\"\r\n"), std::string::npos);
  EXPECT_EQ(got.substr(got.size() - 2), "\r\n");
  EXPECT_EQ(listing(folder.path()), kOnlyThePipe);
}

}  // namespace
}  // namespace zembra::test
