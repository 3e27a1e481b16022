#include "engine/result_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <set>

#include "engine/run_error.h"
#include "engine/shift_jis.h"

namespace zembra {
namespace {

constexpr std::size_t kFlushSize = 1 << 16;

std::string systemReason(int error) { return std::strerror(error); }

// The folder of a path, "." for a bare name.
std::string folderOf(const std::string& path) {
  const std::string folder = std::filesystem::path(path).parent_path().string();
  return folder.empty() ? "." : folder;
}

std::string nameOf(const std::string& path) {
  return std::filesystem::path(path).filename().string();
}

// Named temporary files still on disk; removed if the process ends through
// exit() in the middle of a run.
struct PendingFiles {
  std::mutex mutex;
  std::set<std::string> paths;

  void add(const std::string& path) {
    std::lock_guard lock(mutex);
    static const bool registered = std::atexit(&PendingFiles::removeAll) == 0;
    (void)registered;
    paths.insert(path);
  }
  void remove(const std::string& path) {
    std::lock_guard lock(mutex);
    paths.erase(path);
  }
  static void removeAll() {
    for (const std::string& path : instance().paths) ::unlink(path.c_str());
  }
  static PendingFiles& instance() {
    static PendingFiles* pending = new PendingFiles;  // outlives exit()
    return *pending;
  }
};

ssize_t posixWrite(int fd, const void* data, size_t size) { return ::write(fd, data, size); }

}  // namespace

ResultFile::ResultFile(std::string path, WriteFunction write, bool allowUnnamed)
    : target_(std::move(path)), write_(write ? write : &posixWrite) {
  char resolved[PATH_MAX];
  struct stat info {};
  if (::lstat(target_.c_str(), &info) == 0 && S_ISLNK(info.st_mode) &&
      ::realpath(target_.c_str(), resolved)) {
    target_ = resolved;  // replace the file the link points to, not the link
  }
  if (::stat(target_.c_str(), &info) == 0) {
    if (S_ISDIR(info.st_mode)) fail(EISDIR);
    if (::access(target_.c_str(), W_OK) != 0) fail(errno);
    mode_ = info.st_mode & 07777;
    keepMode_ = true;
  } else if (errno != ENOENT) {
    fail(errno);
  } else if (target_.empty() || target_.back() == '/') {
    fail(target_.empty() ? ENOENT : EISDIR);  // no file name
  }
  folder_ = folderOf(target_);
  // An unnamed file is given its name through /proc at the commit.
  if (allowUnnamed && ::access("/proc/self/fd", X_OK) == 0) openUnnamed();
  if (fd_ < 0) openNamed();
  if (keepMode_) ::fchmod(fd_, mode_);
}

ResultFile::~ResultFile() { discard(); }

void ResultFile::fail(int error) const {
  throw RunError(RunError::Kind::FileOpen, target_, systemReason(error));
}

void ResultFile::openUnnamed() {
#ifdef O_TMPFILE
  fd_ = ::open(folder_.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
  if (fd_ >= 0) return;
  if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) fail(errno);
#endif
}

void ResultFile::openNamed() {
  std::string pattern = folder_ + "/." + nameOf(target_) + ".XXXXXX";
  fd_ = ::mkostemp(pattern.data(), O_CLOEXEC);
  if (fd_ < 0) fail(errno);
  temporary_ = pattern;
  PendingFiles::instance().add(temporary_);
  if (!keepMode_) {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd_, 0666 & ~mask);
  }
}

void ResultFile::writeLine(std::string_view utf8Text) {
  buffer_ += '"';
  buffer_ += toShiftJis(utf8Text);
  buffer_ += "\"\r\n";
  if (buffer_.size() >= kFlushSize) flush();
}

void ResultFile::flush() {
  std::size_t done = 0;
  while (done < buffer_.size()) {
    const ssize_t written = write_(fd_, buffer_.data() + done, buffer_.size() - done);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) {
      const int error = written < 0 ? errno : EIO;
      throw RunError(RunError::Kind::FileWrite, target_, systemReason(error));
    }
    done += static_cast<std::size_t>(written);
  }
  buffer_.clear();
}

// Gives the unnamed file a name beside the target, so that it can be renamed.
void ResultFile::linkUnnamed() {
  const std::string procPath = "/proc/self/fd/" + std::to_string(fd_);
  for (int attempt = 0;; ++attempt) {
    std::string name = folder_ + "/." + nameOf(target_) + "." + std::to_string(::getpid()) + "." +
                       std::to_string(attempt);
    if (::linkat(AT_FDCWD, procPath.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
      temporary_ = name;
      PendingFiles::instance().add(temporary_);
      return;
    }
    if (errno != EEXIST || attempt > 100) {
      throw RunError(RunError::Kind::FileWrite, target_, systemReason(errno));
    }
  }
}

void ResultFile::commit() {
  flush();
  if (::fsync(fd_) != 0) {
    throw RunError(RunError::Kind::FileWrite, target_, systemReason(errno));
  }
  if (temporary_.empty()) linkUnnamed();
  if (::rename(temporary_.c_str(), target_.c_str()) != 0) {
    throw RunError(RunError::Kind::FileWrite, target_, systemReason(errno));
  }
  PendingFiles::instance().remove(temporary_);
  temporary_.clear();
  ::close(fd_);
  fd_ = -1;
}

void ResultFile::discard() noexcept {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (!temporary_.empty()) {
    ::unlink(temporary_.c_str());
    PendingFiles::instance().remove(temporary_);
    temporary_.clear();
  }
}

}  // namespace zembra
