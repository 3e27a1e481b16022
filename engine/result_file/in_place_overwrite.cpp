#include "engine/result_file/in_place_overwrite.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <utility>

#include "engine/result_file/result_output.h"
#include "engine/result_file/signal_cleanup.h"

namespace zembra {

InPlaceOverwrite::InPlaceOverwrite(FileDescriptor folder, std::string name, int fd,
                                   WriteFunction write)
    : folder_(std::move(folder)), name_(std::move(name)), fd_(fd), write_(write) {}

InPlaceOverwrite::InPlaceOverwrite(InPlaceOverwrite&& other) noexcept
    : folder_(std::move(other.folder_)),
      name_(std::move(other.name_)),
      fd_(std::exchange(other.fd_, -1)),
      write_(other.write_),
      content_(std::move(other.content_)) {}

InPlaceOverwrite::~InPlaceOverwrite() {
  if (fd_ >= 0) ::close(fd_);
}

// O_NONBLOCK: should the name have become a pipe since it was looked at, the
// open does not wait for a reader; the check below then refuses it.
InPlaceOverwrite InPlaceOverwrite::openExisting(int folder, const std::string& name,
                                                WriteFunction write) {
  const int fd = checked(retryOnInterrupt([&] {
    return ::openat(folder, name.c_str(),
                    O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  }));
  InPlaceOverwrite overwrite(FileDescriptor(), name, fd, write);
  struct stat info {};
  checked(::fstat(fd, &info));
  if (!S_ISREG(info.st_mode)) throwSystemError(EINVAL);
  return overwrite;
}

InPlaceOverwrite InPlaceOverwrite::createAtCommit(int folder, const std::string& name,
                                                  WriteFunction write) {
  return InPlaceOverwrite(FileDescriptor(checked(::fcntl(folder, F_DUPFD_CLOEXEC, 0))), name, -1,
                          write);
}

// Space for the larger of the old and the new content, the size unchanged;
// file systems without fallocate go on without the reservation.
void InPlaceOverwrite::reserveSpace() {
  struct stat info {};
  checked(::fstat(fd_, &info));
  const off_t length = std::max<off_t>(info.st_size, static_cast<off_t>(content_.size()));
  if (length == 0) return;
  if (::fallocate(fd_, FALLOC_FL_KEEP_SIZE, 0, length) != 0 && errno != EOPNOTSUPP) {
    throwSystemError(errno);
  }
}

void InPlaceOverwrite::overwrite() {
  checked(::lseek(fd_, 0, SEEK_SET));
  writeAll(write_, fd_, content_);
  checked(::fsync(fd_));
  checked(::ftruncate(fd_, static_cast<off_t>(content_.size())));
  checked(::fsync(fd_));
}

void InPlaceOverwrite::commit() {
  if (fd_ < 0) {
    fd_ = checked(::openat(folder_.get(), name_.c_str(),
                           O_CREAT | O_EXCL | O_WRONLY | O_NOFOLLOW | O_CLOEXEC, 0666));
  }
  reserveSpace();
  signal_cleanup::DeferredSignals wait;
  overwrite();
}

}  // namespace zembra
