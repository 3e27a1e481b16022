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

#include "engine/result_file/result_output.h"
#include "engine/result_file/signal_cleanup.h"

namespace zembra {
namespace {

constexpr int kNameAttempts = 100;

// Six random letters and digits.
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

std::string temporaryName(const std::string& folder) {
  return folder + "/" + kTemporaryPrefix + randomSuffix();
}

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

TemporaryFile::TemporaryFile(std::string folder, int fd, std::string path)
    : folder_(std::move(folder)), fd_(fd), path_(std::move(path)) {}

TemporaryFile::TemporaryFile(TemporaryFile&& other) noexcept
    : folder_(std::move(other.folder_)),
      fd_(std::exchange(other.fd_, -1)),
      path_(std::move(other.path_)),
      cleanupSlot_(std::exchange(other.cleanupSlot_, -1)) {
  other.path_.clear();
}

TemporaryFile::~TemporaryFile() { discard(); }

TemporaryFile TemporaryFile::create(const std::string& folder, bool allowUnnamed) {
  // An unnamed file gets its name through /proc at the end.
  if (allowUnnamed && ::access("/proc/self/fd", X_OK) == 0) {
    const int fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (fd >= 0) {
      ::flock(fd, LOCK_EX);
      return TemporaryFile(folder, fd, {});
    }
    if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) throwSystemError(errno);
  }
  return createNamed(folder);
}

// Created, remembered for the signal handler and locked with signals waiting,
// so that no signal finds it on disk and unknown to the handler.
TemporaryFile TemporaryFile::createNamed(const std::string& folder) {
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    signal_cleanup::DeferredSignals wait;
    std::string path = temporaryName(folder);
    const int fd = ::open(path.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0600);
    if (fd < 0 && errno == EEXIST) continue;
    if (fd < 0) throwSystemError(errno);
    TemporaryFile file(folder, fd, path);
    file.cleanupSlot_ = signal_cleanup::remember(path);
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || !stillLinked(fd)) {
      file.path_.clear();  // a sweep has it: not ours to remove
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
    std::string path = temporaryName(folder_);
    if (::linkat(AT_FDCWD, procPath.c_str(), AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW) == 0) {
      path_ = std::move(path);
      cleanupSlot_ = signal_cleanup::remember(path_);
      return;
    }
    if (errno != EEXIST) throwSystemError(errno);
  }
  throwSystemError(EEXIST);
}

void TemporaryFile::renameOver(const std::string& target) {
  signal_cleanup::DeferredSignals wait;
  if (!named()) nameUnnamed();
  checked(::rename(path_.c_str(), target.c_str()));
  path_.clear();  // it is the target now
  discard();
}

void TemporaryFile::discard() noexcept {
  if (!path_.empty()) ::unlink(path_.c_str());
  path_.clear();
  if (cleanupSlot_ >= 0) signal_cleanup::forget(cleanupSlot_);
  cleanupSlot_ = -1;
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

// A candidate is opened without following links, checked, locked without
// waiting, and removed only if its name still leads to the file we locked.
void sweepStaleTemporaries(const std::string& folder) {
  DIR* listing = ::opendir(folder.c_str());
  if (!listing) return;
  const int folderFd = ::dirfd(listing);
  const std::string prefix = kTemporaryPrefix;
  while (const dirent* entry = ::readdir(listing)) {
    if (std::string(entry->d_name).rfind(prefix, 0) != 0) continue;
    const int fd = ::openat(folderFd, entry->d_name,
                            O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) continue;
    struct stat held {
    }, named{};
    if (::fstat(fd, &held) == 0 && S_ISREG(held.st_mode) && held.st_uid == ::geteuid() &&
        ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
        ::fstatat(folderFd, entry->d_name, &named, AT_SYMLINK_NOFOLLOW) == 0 &&
        named.st_dev == held.st_dev && named.st_ino == held.st_ino) {
      ::unlinkat(folderFd, entry->d_name, 0);
    }
    ::close(fd);
  }
  ::closedir(listing);
}

}  // namespace zembra
