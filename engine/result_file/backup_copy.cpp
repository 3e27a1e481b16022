#include "engine/result_file/backup_copy.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <optional>
#include <string_view>

#include "engine/result_file/file_attributes.h"
#include "engine/result_file/temporary_file.h"

namespace zembra {
namespace {

constexpr std::string_view kBackupMark = ".zembra32-backup-";
constexpr std::size_t kCopyPiece = 1 << 16;

std::string besidePrefix(const std::string& name) { return "." + name + std::string(kBackupMark); }

std::string stateFolderPrefix(const struct stat& info) {
  return std::to_string(info.st_dev) + "-" + std::to_string(info.st_ino) + "-";
}

// The state folder's path: $XDG_STATE_HOME/zembra32, ~/.local/state/zembra32.
std::optional<std::string> stateFolderPath() {
  const char* state = std::getenv("XDG_STATE_HOME");
  if (state && state[0] == '/') return std::string(state) + "/zembra32";
  const char* home = std::getenv("HOME");
  if (home && home[0] == '/') return std::string(home) + "/.local/state/zembra32";
  return std::nullopt;
}

// The state folder, made (0700) where it is missing. Throws std::system_error.
FileDescriptor openStateFolder() {
  const std::optional<std::string> path = stateFolderPath();
  if (!path) throwSystemError(ENOENT);
  for (std::size_t slash = path->find('/', 1);; slash = path->find('/', slash + 1)) {
    const std::string folder = path->substr(0, slash);
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) throwSystemError(errno);
    if (slash == std::string::npos) break;
  }
  return FileDescriptor(checked(::open(path->c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC)));
}

// Beside the file, where its folder may be written, is not shared, and can
// take the longer name.
bool mayKeepBeside(int folder, const std::string& name) {
  struct stat info {};
  const mode_t shared = S_ISVTX | S_IWOTH;
  return besidePrefix(name).size() + 6 <= NAME_MAX && ::fstat(folder, &info) == 0 &&
         (info.st_mode & shared) != shared &&
         ::faccessat(folder, ".", W_OK | X_OK, AT_EACCESS) == 0 &&
         !isAppendOnlyOrImmutable(folder, "");
}

void syncFolder(int folder) {
  const int fd = ::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// Copies all of `source` into `target`, from the start.
void copyContent(int source, int target, const FileCalls& calls) {
  std::string piece(kCopyPiece, '\0');
  for (off_t offset = 0;;) {
    const ssize_t got = checked(
        retryOnInterrupt([&] { return ::pread(source, piece.data(), kCopyPiece, offset); }));
    if (got == 0) return;
    writeAll(calls.write, target, std::string_view(piece.data(), static_cast<std::size_t>(got)));
    offset += got;
  }
}

// The names in `folder` that start with `prefix`, as `shownFolder`/name.
void addMatching(int folder, const std::string& prefix, const std::string& shownFolder,
                 std::vector<std::string>& found) {
  forEachName(folder, [&](int, const char* name) {
    if (std::string_view(name).starts_with(prefix)) found.push_back(shownFolder + "/" + name);
  });
}

}  // namespace

BackupCopy::BackupCopy(FileDescriptor folder, std::string name, std::string shown)
    : folder_(std::move(folder)), name_(std::move(name)), shown_(std::move(shown)) {}

BackupCopy BackupCopy::make(int folder, const std::string& name, const struct stat& info,
                            int source, const std::string& shownFolder, const FileCalls& calls) {
  const bool beside = mayKeepBeside(folder, name);
  FileDescriptor where =
      beside ? FileDescriptor(checked(::fcntl(folder, F_DUPFD_CLOEXEC, 0))) : openStateFolder();
  const std::string prefix =
      beside ? besidePrefix(name)
             : stateFolderPrefix(info) + name.substr(0, 100) + std::string(kBackupMark);
  const std::string shownWhere = beside ? shownFolder : *stateFolderPath();
  for (;;) {
    const std::string backup = prefix + randomSuffix();
    const int fd = ::openat(where.get(), backup.c_str(),
                            O_CREAT | O_EXCL | O_WRONLY | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0 && errno == EEXIST) continue;
    checked(fd);
    const FileDescriptor copy(fd);
    BackupCopy made(std::move(where), backup, shownWhere + "/" + backup);
    try {
      copyContent(source, copy.get(), calls);
      checked(calls.fsync(copy.get()));
      syncFolder(made.folder_.get());
    } catch (...) {
      made.remove();  // the file is not touched yet: the copy is not needed
      throw;
    }
    return made;
  }
}

void BackupCopy::remove() noexcept {
  if (name_.empty()) return;
  ::unlinkat(folder_.get(), name_.c_str(), 0);
  syncFolder(folder_.get());
  name_.clear();
}

std::vector<std::string> leftoverBackups(int folder, const std::string& name,
                                         const struct stat& info, const std::string& shownFolder) {
  std::vector<std::string> found;
  addMatching(folder, besidePrefix(name), shownFolder, found);
  if (const std::optional<std::string> state = stateFolderPath()) {
    const int stateFolder = ::open(state->c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (stateFolder >= 0) {
      addMatching(stateFolder, stateFolderPrefix(info), *state, found);
      ::close(stateFolder);
    }
  }
  return found;
}

bool isBackupName(const std::string& name) { return name.find(kBackupMark) != std::string::npos; }

}  // namespace zembra
