#pragma once

#include <sys/types.h>

#include <string_view>

namespace zembra {

// The system's write(2), or a replacement for tests.
using WriteFunction = ssize_t (*)(int fd, const void* data, size_t size);

// Where the bytes of a result file go: a new file renamed over the target, the
// target overwritten in place, or a stream. Both calls throw std::system_error.
class ResultOutput {
 public:
  virtual ~ResultOutput() = default;
  virtual void write(std::string_view bytes) = 0;
  // All bytes are written: puts them where the user finds them.
  virtual void commit() = 0;
};

// Writes all of `bytes` to `fd` with `write`, through short writes and
// interruptions. Throws std::system_error (EIO when nothing was written).
void writeAll(WriteFunction write, int fd, std::string_view bytes);

}  // namespace zembra
