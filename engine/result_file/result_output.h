#pragma once

#include <fcntl.h>
#include <sys/types.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <functional>
#include <string_view>
#include <system_error>

namespace zembra {

// Small helpers for the result file's system calls. The file code below the
// result file throws std::system_error (generic category, the errno); the
// result file turns it into a Error that names the user's path.

[[noreturn]] inline void throwSystemError(int error) {
  throw std::system_error(error, std::generic_category());
}

// The result of a call that returns -1 with errno on failure; throws then.
template <typename Result>
Result checked(Result result) {
  if (result == -1) throwSystemError(errno);
  return result;
}

// A descriptor that closes itself; -1 for none.
class FileDescriptor {
 public:
  FileDescriptor() = default;
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() { reset(); }
  FileDescriptor(FileDescriptor&& other) noexcept : fd_(other.release()) {}
  FileDescriptor& operator=(FileDescriptor&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;

  int get() const { return fd_; }
  int release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
  }
  void reset(int fd = -1);

 private:
  int fd_ = -1;
};

// Runs a call again for as long as a signal interrupts it.
template <typename Call>
auto retryOnInterrupt(Call call) {
  for (;;) {
    auto result = call();
    if (result != -1 || errno != EINTR) return result;
  }
}

// The system's write(2), or a replacement for tests.
using WriteFunction = ssize_t (*)(int fd, const void* data, size_t size);

// The system calls that put content into a file, each the system's own by
// default; tests replace them, to fail or to stop the process at one of them.
struct FileCalls {
  WriteFunction write = &::write;
  int (*fsync)(int fd) = &::fsync;
  int (*ftruncate)(int fd, off_t length) = &::ftruncate;
  int (*fallocate)(int fd, int mode, off_t offset, off_t length) = &::fallocate;
};

// Where the bytes of a result file go: a new file renamed over the target, the
// target overwritten in place, or a stream. Both calls throw std::system_error.
class ResultOutput {
 public:
  virtual ~ResultOutput() = default;
  virtual void write(std::string_view bytes) = 0;
  // All bytes are written: puts them where the user finds them.
  virtual void commit() = 0;
};

// How writeAll feeds a stream: pieces of at most `piece` bytes, each after
// `beforeEach` (where a stream waits for room, so that EAGAIN means: wait
// again).
struct WritePieces {
  std::size_t piece = SIZE_MAX;
  std::function<void()> beforeEach;
};

// Writes all of `bytes` to `fd` with `write`, through short writes and
// interruptions. Throws std::system_error (EIO when nothing was written).
void writeAll(const std::function<ssize_t(int fd, const void* data, size_t size)>& write, int fd,
              std::string_view bytes, const WritePieces& pieces = {});

}  // namespace zembra
