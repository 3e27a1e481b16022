// Named pipes as result files: a reader gets every byte, a reader that quits
// is an error (not a SIGPIPE), and a full pipe lets the window's events run.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <future>
#include <thread>

#include "engine/computation_run.h"
#include "tests/engine/recorder_window.h"
#include "tests/engine/target_test_support.h"

namespace zembra::test {
namespace {

// Everything readable from `fd` until every writer has closed.
std::string readToEnd(int fd) {
  std::string text;
  char buffer[4096];
  for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;) text.append(buffer, std::size_t(n));
  ::close(fd);
  return text;
}

// A reader that has the pipe open before the writer comes (as the window
// needs), and reads only once the writer has opened it.
int openReaderFirst(const std::string& fifo) {
  const int fd = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  return fd;
}
void startReading(int fd) { ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK); }

std::string writeLines(const std::string& path, ResultFileOptions options, int lines) {
  std::optional<ResultFile> file;
  try {
    file.emplace(path, std::move(options));
    for (int i = 0; i < lines; ++i) file->writeLine("3.1415926535  8979323846  2643383279");
    file->commit();
  } catch (const RunError& error) {
    return describeFailure(error);
  }
  return "written";
}

const std::string kLine = "\"3.1415926535  8979323846  2643383279\"\r\n";

TEST(ResultStream, the_command_line_waits_for_the_reader_of_a_named_pipe) {
  TempFolder folder;
  const std::string fifo = folder.file("fifo");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  std::future<std::string> reader = std::async(std::launch::async, [&] {
    return readToEnd(::open(fifo.c_str(), O_RDONLY | O_CLOEXEC));  // opens after the writer waits
  });
  ResultFileOptions options;
  options.waitForPipeReader = true;
  EXPECT_EQ(writeLines(fifo, options, 3), "written");
  EXPECT_EQ(reader.get(), kLine + kLine + kLine);
  EXPECT_EQ(statOf(fifo).st_mode & S_IFMT, S_IFIFO);
  EXPECT_EQ(folder.entryCount(), 1u);
}

TEST(ResultStream, a_full_pipe_pumps_the_window_until_the_reader_catches_up) {
  TempFolder folder;
  const std::string fifo = folder.file("fifo");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const int reader = openReaderFirst(fifo);
  std::promise<void> pumped;
  int pumps = 0;
  ResultFileOptions options;  // the window's: no waiting for a reader
  options.whileWaiting = [&] {
    if (++pumps == 3) pumped.set_value();  // the reader starts only after three pumps
  };
  std::future<std::string> text = std::async(std::launch::async, [&] {
    pumped.get_future().wait();
    startReading(reader);
    return readToEnd(reader);
  });
  const int lines = 20000;  // far more than a pipe holds
  EXPECT_EQ(writeLines(fifo, options, lines), "written");
  if (pumps < 3) pumped.set_value();  // lets the reader end all the same
  const std::string got = text.get();
  EXPECT_GE(pumps, 3);
  EXPECT_EQ(got.size(), kLine.size() * lines);
  EXPECT_EQ(got.substr(got.size() - kLine.size()), kLine);
}

TEST(ResultStream, a_reader_that_quits_is_a_write_error_not_a_signal) {
  TempFolder folder;
  const std::string fifo = folder.file("fifo");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  int reader = openReaderFirst(fifo);
  ResultFileOptions options;
  options.whileWaiting = [&] {  // quits once the pipe is full
    if (reader >= 0) ::close(reader);
    reader = -1;
  };
  EXPECT_EQ(writeLines(fifo, options, 20000), "Broken pipe");
  EXPECT_EQ(statOf(fifo).st_mode & S_IFMT, S_IFIFO);
}

// The window's run: a pipe without a reader stops it before computing; one
// with a reader gets the whole result file.
TEST(ResultStream, a_run_in_the_window_writes_to_a_pipe_only_when_someone_reads_it) {
  TempFolder folder;
  const std::string fifo = folder.file("fifo");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  RunSettings settings;
  settings.resultFilePath = fifo;
  RecorderWindow lonely;
  try {
    runComputation(lonely, settings);
    ADD_FAILURE() << "no reader, yet the run went on";
  } catch (const RunError& error) {
    EXPECT_EQ(error.refusal(), RunError::Refusal::NoPipeReader);
    EXPECT_EQ(error.errorNumber(), ENXIO);
  }
  EXPECT_EQ(lonely.clockReadings, 0) << "nothing computed";

  const int reader = openReaderFirst(fifo);
  std::promise<void> writerOpened;  // reading before would find no writer: the end
  std::future<std::string> text = std::async(std::launch::async, [&] {
    writerOpened.get_future().wait();
    startReading(reader);
    return readToEnd(reader);
  });
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
  EXPECT_EQ(folder.entryCount(), 1u);
}

}  // namespace
}  // namespace zembra::test
