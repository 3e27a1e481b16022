#include "engine/result_file/in_place_overwrite.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <optional>
#include <thread>
#include <utility>

#include "engine/result_file/backup_copy.h"
#include "engine/result_file/signal_cleanup.h"

namespace zembra {
namespace {

constexpr auto kLockLook = std::chrono::milliseconds(20);

// A descriptor open for reading on the very file `fd` is (through /proc, so no
// name is looked up again); -1 where the file may not be read.
int reopenForReading(int fd) {
  const std::string self = "/proc/self/fd/" + std::to_string(fd);
  return ::open(self.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
}

}  // namespace

InPlaceOverwrite::InPlaceOverwrite(int folder, std::string name, int fd, OverwriteOptions options)
    : folder_(checked(::fcntl(folder, F_DUPFD_CLOEXEC, 0))),
      name_(std::move(name)),
      fd_(fd),
      options_(std::move(options)) {}

InPlaceOverwrite::InPlaceOverwrite(InPlaceOverwrite&& other) noexcept
    : folder_(std::move(other.folder_)),
      name_(std::move(other.name_)),
      fd_(std::exchange(other.fd_, -1)),
      options_(std::move(other.options_)),
      content_(std::move(other.content_)) {}

InPlaceOverwrite::~InPlaceOverwrite() {
  if (fd_ >= 0) ::close(fd_);
}

// O_NONBLOCK: should the name have become a pipe since it was looked at, the
// open does not wait for a reader; the check below then refuses it.
InPlaceOverwrite InPlaceOverwrite::openExisting(int folder, const std::string& name,
                                                OverwriteOptions options) {
  const int fd = checked(retryOnInterrupt([&] {
    return ::openat(folder, name.c_str(),
                    O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  }));
  InPlaceOverwrite overwrite(folder, name, fd, std::move(options));
  struct stat info {};
  checked(::fstat(fd, &info));
  if (!S_ISREG(info.st_mode)) throwSystemError(EINVAL);
  return overwrite;
}

InPlaceOverwrite InPlaceOverwrite::createAtCommit(int folder, const std::string& name,
                                                  OverwriteOptions options) {
  return InPlaceOverwrite(folder, name, -1, std::move(options));
}

// Other runs of the program that write the same file take the same lock: the
// one that comes second waits, in short looks, for lockWait at most.
void InPlaceOverwrite::lock() {
  const auto deadline = std::chrono::steady_clock::now() + options_.lockWait;
  while (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
    if (errno == EINTR) continue;
    if (errno != EWOULDBLOCK) throwSystemError(errno);
    if (std::chrono::steady_clock::now() >= deadline) throwSystemError(EWOULDBLOCK);
    if (options_.whileWaiting) options_.whileWaiting();
    std::this_thread::sleep_for(kLockLook);
  }
}

// Space for the larger of the old and the new content, the size unchanged;
// file systems without fallocate go on without the reservation. Content the
// file-size limit would cut short fails here too (EFBIG), before any byte
// is replaced: fallocate does not look at that limit.
void InPlaceOverwrite::reserveSpace() {
  struct rlimit limit {};
  if (::getrlimit(RLIMIT_FSIZE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY &&
      content_.size() > limit.rlim_cur) {
    throwSystemError(EFBIG);
  }
  struct stat info {};
  checked(::fstat(fd_, &info));
  const off_t length = std::max<off_t>(info.st_size, static_cast<off_t>(content_.size()));
  if (length == 0) return;
  if (options_.calls.fallocate(fd_, FALLOC_FL_KEEP_SIZE, 0, length) != 0 && errno != EOPNOTSUPP) {
    throwSystemError(errno);
  }
}

void InPlaceOverwrite::overwrite() {
  checked(::lseek(fd_, 0, SEEK_SET));
  writeAll(options_.calls.write, fd_, content_);
  checked(options_.calls.fsync(fd_));
  checked(options_.calls.ftruncate(fd_, static_cast<off_t>(content_.size())));
  checked(options_.calls.fsync(fd_));
}

void InPlaceOverwrite::commit() {
  if (fd_ < 0) {
    fd_ = checked(::openat(folder_.get(), name_.c_str(),
                           O_CREAT | O_EXCL | O_WRONLY | O_NOFOLLOW | O_CLOEXEC, 0666));
  }
  lock();
  reserveSpace();
  struct stat info {};
  checked(::fstat(fd_, &info));
  std::optional<BackupCopy> backup;
  if (info.st_size > 0) {
    const FileDescriptor earlier(reopenForReading(fd_));
    if (earlier.get() >= 0) {
      backup = BackupCopy::make(folder_.get(), name_, info, earlier.get(), options_.shownFolder,
                                options_.calls);
    }
  }
  try {
    signal_cleanup::DeferredSignals wait;
    overwrite();
  } catch (const std::system_error& error) {
    throw OverwriteFailed(error, backup ? backup->path() : std::string());
  }
  if (backup) backup->remove();
}

}  // namespace zembra
