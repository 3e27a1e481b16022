#include "engine/result_file/result_output.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace zembra {

void FileDescriptor::reset(int fd) {
  if (fd_ >= 0) ::close(fd_);
  fd_ = fd;
}

void writeAll(const std::function<ssize_t(int fd, const void* data, size_t size)>& write, int fd,
              std::string_view bytes, const WritePieces& pieces) {
  while (!bytes.empty()) {
    if (pieces.beforeEach) pieces.beforeEach();
    const ssize_t written = write(fd, bytes.data(), std::min(bytes.size(), pieces.piece));
    if (written < 0 && (errno == EINTR || (errno == EAGAIN && pieces.beforeEach))) continue;
    if (written < 0) throwSystemError(errno);
    if (written == 0) throwSystemError(EIO);
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
}

}  // namespace zembra
