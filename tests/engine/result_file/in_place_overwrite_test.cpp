// Overwriting a file in place: other runs writing it wait, and a stop at any system call leaves
// the earlier content in the file or in its copy.
#include "engine/result_file/in_place_overwrite.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <functional>
#include <future>
#include <thread>

#include "tests/engine/child_process.h"
#include "tests/engine/result_file/writes.h"
#include "tests/engine/temp_folder.h"

namespace zembra::test {
namespace {

namespace fs = std::filesystem;

const std::string kEarlier(3000, 'e');  // longer than what is written: the tail must be cut

// A file with two names, so that it is overwritten in place; returns the name written to. Its
// name starts as the temporary files' do, so that a sweep could mistake its copy for one.
std::string linkedFile(const TempFolder& folder) {
  writeBytes(folder.file("zembra32-a.txt"), kEarlier);
  fs::create_hard_link(folder.file("zembra32-a.txt"), folder.file("b.txt"));
  return folder.file("zembra32-a.txt");
}

// The names in the folder that are copies of the file's earlier content.
std::vector<std::string> backupsIn(const TempFolder& folder) {
  std::vector<std::string> found;
  for (const auto& entry : fs::directory_iterator(folder.path())) {
    if (entry.path().filename().string().starts_with(".zembra32-a.txt.zembra32-backup-")) {
      found.push_back(entry.path().string());
    }
  }
  return found;
}

// Whether `done` comes true within `limit`, so that a writer that never gets there fails the test
// instead of hanging it.
bool within(std::chrono::seconds limit, const std::function<bool()>& done) {
  const auto giveUp = std::chrono::steady_clock::now() + limit;
  while (!done() && std::chrono::steady_clock::now() < giveUp) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return done();
}

// Writer A stops between its write and its truncation until released.
std::atomic<bool> aHolds, aReleased;
int holdingTruncate(int fd, off_t length) {
  aHolds = true;
  aHolds.notify_all();
  aReleased.wait(false);
  return ::ftruncate(fd, length);
}

TEST(InPlaceOverwrite, a_second_writer_waits_for_the_first_and_never_mixes) {
  for (const bool outwaits : {true, false}) {
    SCOPED_TRACE(outwaits ? "B waits long enough" : "B gives up");
    TempFolder folder;
    const std::string path = linkedFile(folder);
    aHolds = aReleased = false;
    auto a = std::async(std::launch::async, [&] {
      return writeLines(path, {.calls = {.ftruncate = &holdingTruncate}}, 100, "A");
    });
    ASSERT_TRUE(within(std::chrono::seconds(10), [] { return aHolds.load(); }))
        << "A never came to its truncation";
    std::atomic<int> waits = 0;
    const ResultFileOptions options{.whileWaiting = [&] { ++waits; },
                                    .lockWait = std::chrono::milliseconds(outwaits ? 10000 : 100)};
    auto b = std::async(std::launch::async,
                        [&] { return writeLines(folder.file("b.txt"), options, 50, "B"); });
    EXPECT_TRUE(within(std::chrono::seconds(5), [&] { return waits >= 3; }))
        << "B waits while A holds the file";
    if (!outwaits) {
      EXPECT_EQ(b.get(), "busy") << "while A holds the file";
    }
    aReleased = true;
    aReleased.notify_all();
    EXPECT_EQ(a.get(), "done");
    if (outwaits) {
      EXPECT_EQ(b.get(), "done");
    }
    EXPECT_EQ(readBytes(path), outwaits ? written(50, "B") : written(100, "A"))
        << "one writer's whole content, never a mix";
    EXPECT_TRUE(backupsIn(folder).empty());
  }
}

// Ends the process at the n-th system call that fills the file (counted over all of them).
std::atomic<int> callsLeft = 0;
void countDown() {
  if (--callsLeft == 0) ::kill(::getpid(), SIGKILL);
}
ssize_t stoppingWrite(int fd, const void* data, size_t size) {
  countDown();
  return ::write(fd, data, size);
}
int stoppingFsync(int fd) { return countDown(), ::fsync(fd); }
int stoppingTruncate(int fd, off_t length) { return countDown(), ::ftruncate(fd, length); }
int stoppingAllocate(int fd, int mode, off_t offset, off_t length) {
  return countDown(), ::fallocate(fd, mode, offset, length);
}
const FileCalls kStopping{&stoppingWrite, &stoppingFsync, &stoppingTruncate, &stoppingAllocate};

// At every call in turn, and once past the last: the file holds the earlier content or the new,
// or the earlier content is whole in the copy; the next run names that copy and keeps it.
TEST(InPlaceOverwrite, a_stop_at_any_system_call_keeps_the_earlier_content_whole) {
  bool finished = false;
  for (int stopAt = 1; !finished; ++stopAt) {
    SCOPED_TRACE(stopAt);
    TempFolder folder;
    const std::string path = linkedFile(folder);
    const std::string end =
        inChild(false, [&] { return callsLeft = stopAt, writeLines(path, {.calls = kStopping}); });
    finished = end == "done";
    EXPECT_TRUE(finished || end == "signal 9") << end;
    const std::string now = readBytes(path);
    const std::vector<std::string> backups = backupsIn(folder);
    if (now != kEarlier && now != written()) {
      ASSERT_EQ(backups.size(), 1u)
          << "the file is neither: the copy must hold the earlier content";
      EXPECT_EQ(readBytes(backups[0]), kEarlier);
    }
    if (finished) {
      EXPECT_EQ(now, written());
    }
    fs::remove(folder.file("b.txt"));  // the next run replaces the file, sweeping the folder
    std::vector<std::string> named;
    EXPECT_EQ(
        writeLines(path, {.leftoverBackup = [&](const std::string& b) { named.push_back(b); }}),
        "done");
    EXPECT_EQ(named, backups) << "the next run names what was left";
    EXPECT_EQ(backupsIn(folder), backups) << "and never sweeps it";
    ASSERT_LT(stopAt, 20) << "the commit never finishes";
  }
}

}  // namespace
}  // namespace zembra::test
