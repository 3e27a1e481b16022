#include "ui/dialogs/viewer/line_index.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <new>
#include <system_error>
#include <thread>
#include <utility>

namespace zembra::ui {
namespace {

using Checkpoint = LineIndex::Checkpoint;

// Where the first `byte` is in data[from, size), or size. The first few
// bytes are looked at one by one: short lines are common, and cheaper so.
std::size_t nextByte(const char* data, std::size_t size, std::size_t from, char byte) {
  for (const std::size_t near = std::min(size, from + 16); from < near; ++from) {
    if (data[from] == byte) return from;
  }
  const void* hit = std::memchr(data + from, byte, size - from);
  return hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - data) : size;
}

// Follows the line ends through `size` bytes at file offset `at`, which
// continue the bytes `scan` has seen. After each line end, with `scan` now at
// the next line's start, calls onEnd(bytes in the line that ended); stops
// there when it returns false. The next CR and the next LF are each looked
// for with memchr, much faster than a byte at a time along a long line.
template <class OnEnd>
void scanBlock(const char* data, std::size_t size, long long at, Checkpoint& scan, OnEnd onEnd) {
  std::size_t lf = nextByte(data, size, 0, '\n');
  std::size_t cr = nextByte(data, size, 0, '\r');
  for (std::size_t i = std::min(lf, cr); i < size; i = std::min(lf, cr)) {
    const char c = data[i];
    (c == '\n' ? lf : cr) = nextByte(data, size, i + 1, c);
    const long long offset = at + static_cast<long long>(i);
    if (c == '\n' && scan.afterCR && offset == scan.offset) {  // the LF of a CR LF
      scan.offset = offset + 1;
      scan.afterCR = false;
      continue;
    }
    const long long length = offset - scan.offset;
    scan = {offset + 1, scan.line + 1, c == '\r'};
    if (!onEnd(length)) return;
  }
}

Error unreadable(const std::string& path, int error) {
  return Error::fileError(Error::Kind::FileUnreadable, path, error);
}

// Opens a plain file for reading: its descriptor, or -1 with `error` set.
// Non-blocking, so that opening a pipe does not wait for a writer.
int openPlainFile(const std::string& path, std::optional<Error>& error, long long& size) {
  if (path.find('\0') != std::string::npos) {
    error = unreadable(path, ENOENT);
    return -1;
  }
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) {
    error = unreadable(path, errno);
    return -1;
  }
  struct stat info {};
  if (::fstat(fd, &info) != 0) {
    error = unreadable(path, errno);
  } else if (S_ISDIR(info.st_mode)) {
    error = unreadable(path, EISDIR);
  } else if (!S_ISREG(info.st_mode)) {
    error = Error(Error::Kind::NotAPlainFile, path);
  } else {
    size = info.st_size;
    return fd;
  }
  ::close(fd);
  return -1;
}

LineIndexOptions checked(LineIndexOptions options) {
  options.blockBytes = std::clamp<std::size_t>(options.blockBytes, 1, 16 << 20);
  options.checkpointLines = std::max(options.checkpointLines, 1LL);
  options.checkpointBytes = std::max(options.checkpointBytes, 1LL);
  if (options.maxLines <= 0 || options.maxLines > LineIndex::kMaxLines) {
    options.maxLines = LineIndex::kMaxLines;
  }
  return options;
}

}  // namespace

LineIndex::LineIndex(const std::string& path, LineIndexOptions options)
    : options_(checked(std::move(options))), path_(path), checkpoints_{Checkpoint{}} {
  fd_ = openPlainFile(path, openError_, fileSize_);
  if (fd_ >= 0) {
    try {
      thread_ = std::jthread([this](std::stop_token stop) { run(stop); });
      return;
    } catch (const std::system_error& failure) {  // the system has no thread to give
      openError_ = unreadable(path, failure.code().value());
      ::close(fd_);
      fd_ = -1;
    }
  }
  done_ = true;
}

LineIndex::~LineIndex() {
  if (thread_.joinable()) {
    thread_.request_stop();
    thread_.join();
  }
  if (fd_ >= 0) ::close(fd_);
}

long long LineIndex::lineCount() const { return lines_.load(std::memory_order_acquire); }
bool LineIndex::done() const { return done_.load(std::memory_order_acquire); }
long long LineIndex::longestLine() const { return longest_.load(std::memory_order_relaxed); }
bool LineIndex::truncated() const { return truncated_.load(std::memory_order_relaxed); }
std::optional<Error> LineIndex::readError() const {
  const std::lock_guard lock(mutex_);
  return readError_;
}
long long LineIndex::scannedBytes() const { return scanned_.load(std::memory_order_relaxed); }

std::size_t LineIndex::checkpointCount() const {
  const std::lock_guard lock(mutex_);
  return checkpoints_.size();
}

void LineIndex::waitUntilDone() const {
  while (!done_.load(std::memory_order_acquire)) done_.wait(false);
}

// The indexing thread. Its memory is bounded, but should the system have
// none left, indexing ends there like at a failed read.
void LineIndex::run(std::stop_token stop) {
  Error outOfMemory = unreadable(path_, ENOMEM);  // made while there is memory
  try {
    indexFile(stop);
  } catch (const std::bad_alloc&) {
    const std::lock_guard lock(mutex_);
    readError_.emplace(std::move(outOfMemory));
  }
  done_.store(true, std::memory_order_release);
  done_.notify_all();
}

// Reads the file block by block until its end, a read error, the line limit
// or a stop request.
void LineIndex::indexFile(std::stop_token stop) {
  std::vector<char> block(options_.blockBytes);
  Checkpoint scan;  // the start of the line being read
  Checkpoint last;  // the checkpoint kept last
  for (long long at = 0; !stop.stop_requested();) {
    const long long got = readAt(block.data(), block.size(), at);
    if (got < 0) {  // keep the complete lines; the one being read is lost
      const int error = errno != 0 ? errno : EIO;
      const std::lock_guard lock(mutex_);
      readError_ = unreadable(path_, error);
      return;
    }
    if (got == 0) return finishAtEnd(scan, at);
    const bool full = !indexBlock(block.data(), static_cast<std::size_t>(got), at, scan, last);
    at += got;
    scanned_.store(at, std::memory_order_relaxed);
    if (full) return finishAtLimit(scan);
  }
}

// Indexes one block and publishes what it found; false once maxLines lines
// are counted.
bool LineIndex::indexBlock(const char* data, std::size_t size, long long at, Checkpoint& scan,
                           Checkpoint& last) {
  long long longest = longest_.load(std::memory_order_relaxed);
  bool full = false;
  scanBlock(data, size, at, scan, [&](long long length) {
    longest = std::max(longest, length);
    addCheckpoint(scan, last);
    full = scan.line >= options_.maxLines;
    return !full;
  });
  longest_.store(longest, std::memory_order_relaxed);
  lines_.store(scan.line, std::memory_order_release);
  return !full;
}

void LineIndex::addCheckpoint(const Checkpoint& scan, Checkpoint& last) {
  if (scan.line - last.line < options_.checkpointLines &&
      scan.offset - last.offset < options_.checkpointBytes) {
    return;
  }
  const std::lock_guard lock(mutex_);
  checkpoints_.push_back(scan);
  last = scan;
}

// At the end of the file: bytes after the last line end are a last line.
void LineIndex::finishAtEnd(const Checkpoint& scan, long long end) {
  if (end <= scan.offset) return;
  longest_.store(std::max(longestLine(), end - scan.offset), std::memory_order_relaxed);
  lines_.store(scan.line + 1, std::memory_order_release);
}

// With maxLines lines counted: truncated when another line follows.
void LineIndex::finishAtLimit(const Checkpoint& scan) {
  char next[2] = {};
  const long long got = readAt(next, sizeof next, scan.offset);
  // An LF right after a CR still belongs to the line end before.
  const long long skip = scan.afterCR && got > 0 && next[0] == '\n' ? 1 : 0;
  truncated_ = got > skip;
}

// Reads up to `size` bytes at `offset`, as many as the file has there: the
// count read, or -1 with errno set when the first read fails.
long long LineIndex::readAt(char* buffer, std::size_t size, long long offset) const {
  std::size_t filled = 0;
  while (filled < size) {
    errno = 0;
    const long long got = options_.read
                              ? options_.read(fd_, buffer + filled, size - filled, offset + filled)
                              : ::pread(fd_, buffer + filled, size - filled, offset + filled);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0 && filled == 0) return -1;
    if (got <= 0) break;
    filled += static_cast<std::size_t>(got);
  }
  return static_cast<long long>(filled);
}

// The known line start closest before line i: a checkpoint, or the line
// found last when it is closer (a view asks for lines in order).
Checkpoint LineIndex::nearestStart(long long i) const {
  const std::lock_guard lock(mutex_);
  auto after = std::upper_bound(checkpoints_.begin(), checkpoints_.end(), i,
                                [](long long line, const Checkpoint& c) { return line < c.line; });
  const Checkpoint& checkpoint = *std::prev(after);
  return lastFound_.line <= i && lastFound_.line > checkpoint.line ? lastFound_ : checkpoint;
}

// Moves `scan` on to the start of line i. A line start is never more than
// checkpointBytes past its checkpoint; false when the file no longer shows
// it that close (it has changed since) or cannot be read.
bool LineIndex::seekLine(long long i, Checkpoint& scan) const {
  const long long limit = scan.offset + options_.checkpointBytes + 1;
  std::vector<char> block(std::min<std::size_t>(options_.blockBytes, 4096));
  for (long long at = scan.offset; scan.line < i;) {
    if (at >= limit) return false;
    const long long got = readAt(block.data(), block.size(), at);
    if (got <= 0) return false;
    scanBlock(block.data(), static_cast<std::size_t>(got), at, scan,
              [&](long long) { return scan.line < i; });
    at += got;
  }
  return true;
}

long long LineIndex::lineAt(long long offset, std::stop_token stop) const {
  const auto waitFor = [&](const auto& reached) {
    while (!reached() && !done() && !stop.stop_requested()) {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return reached();
  };
  if (offset < 0 || !waitFor([&] { return scannedBytes() > offset; })) return -1;
  Checkpoint scan;
  {
    const std::lock_guard lock(mutex_);
    auto after =
        std::upper_bound(checkpoints_.begin(), checkpoints_.end(), offset,
                         [](long long wanted, const Checkpoint& c) { return wanted < c.offset; });
    scan = *std::prev(after);
  }
  // Every line end before `offset` starts a later line.
  std::vector<char> block(std::min<std::size_t>(options_.blockBytes, 4096));
  for (long long at = scan.offset; at < offset;) {
    const long long got = readAt(block.data(), block.size(), at);
    if (got <= 0) return -1;
    const long long size = std::min(got, offset - at);
    scanBlock(block.data(), static_cast<std::size_t>(size), at, scan,
              [](long long) { return true; });
    at += size;
  }
  const long long line = scan.line;  // complete once its end is found
  return waitFor([&] { return lineCount() > line; }) ? line : -1;
}

long long LineIndex::lineStart(long long i) const {
  if (i < 0 || i >= lineCount()) return -1;
  Checkpoint start = nearestStart(i);
  if (!seekLine(i, start)) return -1;
  char first = 0;
  const bool lf = start.afterCR && readAt(&first, 1, start.offset) == 1 && first == '\n';
  return start.offset + (lf ? 1 : 0);
}

LineIndex::Line LineIndex::line(long long i) const {
  if (i < 0 || i >= lineCount()) return {};
  Checkpoint start = nearestStart(i);
  if (!seekLine(i, start)) return {};
  {
    const std::lock_guard lock(mutex_);
    lastFound_ = start;
  }
  // Room for an LF left from a CR LF and for one byte past the cut.
  std::string bytes(kMaxLineBytes + 2, '\0');
  const long long got = readAt(bytes.data(), bytes.size(), start.offset);
  if (got <= 0) return {};
  const std::size_t from = start.afterCR && bytes[0] == '\n' ? 1 : 0;
  const std::size_t seen =
      std::min<std::size_t>(static_cast<std::size_t>(got) - from, kMaxLineBytes + 1);
  const auto first = bytes.begin() + static_cast<std::ptrdiff_t>(from);
  const auto end = std::find_if(first, first + static_cast<std::ptrdiff_t>(seen),
                                [](char c) { return c == '\n' || c == '\r'; });
  const std::size_t length = static_cast<std::size_t>(end - first);
  const bool cut = length > kMaxLineBytes;
  return {std::string(first, first + static_cast<std::ptrdiff_t>(cut ? kMaxLineBytes : length)),
          cut};
}

}  // namespace zembra::ui
