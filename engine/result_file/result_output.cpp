#include "engine/result_file/result_output.h"

#include <unistd.h>

#include <cerrno>

namespace zembra {

void FileDescriptor::reset(int fd) {
  if (fd_ >= 0) ::close(fd_);
  fd_ = fd;
}

void writeAll(WriteFunction write, int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written < 0) throwSystemError(errno);
    if (written == 0) throwSystemError(EIO);
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
}

}  // namespace zembra
