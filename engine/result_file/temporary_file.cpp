#include "engine/result_file/temporary_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <utility>

#include "engine/result_file/backup_copy.h"
#include "engine/result_file/result_output.h"
#include "engine/result_file/signal_cleanup.h"

namespace zembra {
namespace {

constexpr int kNameAttempts = 100;

std::string temporaryName() { return kTemporaryPrefix + randomSuffix(); }

mode_t currentUmask() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return mask;
}

// Whether the open file `fd` still has a name: a sweep may have removed it
// between its creation and our lock.
bool stillLinked(int fd) {
  struct stat info {};
  return ::fstat(fd, &info) == 0 && info.st_nlink > 0;
}

}  // namespace

std::string randomSuffix() {
  static const char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  unsigned char bytes[6] = {};
  if (::getrandom(bytes, sizeof bytes, 0) != static_cast<ssize_t>(sizeof bytes)) {
    for (unsigned char& byte : bytes) byte = static_cast<unsigned char>(std::rand());
  }
  std::string suffix;
  for (unsigned char byte : bytes) suffix += kLetters[byte % (sizeof kLetters - 1)];
  return suffix;
}

TemporaryFile::TemporaryFile(FileDescriptor folder, int fd, std::string name)
    : folder_(std::move(folder)), fd_(fd), name_(std::move(name)) {}

TemporaryFile::TemporaryFile(TemporaryFile&& other) noexcept
    : folder_(std::move(other.folder_)),
      fd_(std::exchange(other.fd_, -1)),
      name_(std::move(other.name_)),
      cleanupSlot_(std::exchange(other.cleanupSlot_, -1)) {
  other.name_.clear();
}

TemporaryFile::~TemporaryFile() { discard(); }

TemporaryFile TemporaryFile::create(int folder, bool allowUnnamed) {
  FileDescriptor own(checked(::fcntl(folder, F_DUPFD_CLOEXEC, 0)));
  // An unnamed file gets its name through /proc at the end.
  if (allowUnnamed && ::access("/proc/self/fd", X_OK) == 0) {
    const int fd = ::openat(own.get(), ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (fd >= 0) {
      ::flock(fd, LOCK_EX);
      return TemporaryFile(std::move(own), fd, {});
    }
    if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) throwSystemError(errno);
  }
  return createNamed(std::move(own));
}

// Created, remembered for the signal handler and locked with signals waiting,
// so that no signal finds it on disk and unknown to the handler.
TemporaryFile TemporaryFile::createNamed(FileDescriptor folder) {
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    signal_cleanup::DeferredSignals wait;
    std::string name = temporaryName();
    const int fd = ::openat(folder.get(), name.c_str(),
                            O_CREAT | O_EXCL | O_WRONLY | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0 && errno == EEXIST) continue;
    if (fd < 0) throwSystemError(errno);
    const int folderFd = folder.get();
    TemporaryFile file(std::move(folder), fd, name);
    file.cleanupSlot_ = signal_cleanup::remember(folderFd, name);
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || !stillLinked(fd)) {
      file.name_.clear();  // a sweep has it: not ours to remove
      folder = std::move(file.folder_);
      continue;
    }
    ::fchmod(fd, 0666 & ~currentUmask());  // as a file created by open() would be
    return file;
  }
  throwSystemError(EEXIST);
}

void TemporaryFile::nameUnnamed() {
  const std::string procPath = "/proc/self/fd/" + std::to_string(fd_);
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    std::string name = temporaryName();
    if (::linkat(AT_FDCWD, procPath.c_str(), folder_.get(), name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
      name_ = std::move(name);
      cleanupSlot_ = signal_cleanup::remember(folder_.get(), name_);
      return;
    }
    if (errno != EEXIST) throwSystemError(errno);
  }
  throwSystemError(EEXIST);
}

void TemporaryFile::renameOver(const std::string& target) {
  signal_cleanup::DeferredSignals wait;
  if (!named()) nameUnnamed();
  checked(::renameat(folder_.get(), name_.c_str(), folder_.get(), target.c_str()));
  name_.clear();  // it is the target now
  discard();
}

void TemporaryFile::discard() noexcept {
  if (!name_.empty()) ::unlinkat(folder_.get(), name_.c_str(), 0);
  name_.clear();
  if (cleanupSlot_ >= 0) signal_cleanup::forget(cleanupSlot_);
  cleanupSlot_ = -1;
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

// A listing of its own, so that reading it moves no offset of `folder`.
void forEachName(int folder, const std::function<void(int listing, const char* name)>& visit) {
  const int readable = ::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (readable < 0) return;
  DIR* listing = ::fdopendir(readable);
  if (!listing) {
    ::close(readable);
    return;
  }
  while (const dirent* entry = ::readdir(listing)) visit(::dirfd(listing), entry->d_name);
  ::closedir(listing);
}

// A candidate is opened without following links, checked, locked without
// waiting, and removed only if its name still leads to the file we locked.
void sweepStaleTemporaries(int folder) {
  const std::string prefix = kTemporaryPrefix;
  forEachName(folder, [&prefix](int folderFd, const char* name) {
    if (std::string(name).rfind(prefix, 0) != 0 || isBackupName(name)) return;
    const int fd =
        ::openat(folderFd, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return;
    struct stat held {
    }, named{};
    if (::fstat(fd, &held) == 0 && S_ISREG(held.st_mode) && held.st_uid == ::geteuid() &&
        ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
        ::fstatat(folderFd, name, &named, AT_SYMLINK_NOFOLLOW) == 0 &&
        named.st_dev == held.st_dev && named.st_ino == held.st_ino) {
      ::unlinkat(folderFd, name, 0);
    }
    ::close(fd);
  });
}

}  // namespace zembra
