#include "engine/result_file/result_file.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <system_error>

#include "engine/error.h"
#include "engine/result_file/atomic_replacement.h"
#include "engine/result_file/backup_copy.h"
#include "engine/result_file/file_attributes.h"
#include "engine/result_file/in_place_overwrite.h"
#include "engine/result_file/result_output.h"
#include "engine/result_file/result_target.h"
#include "engine/result_file/shift_jis.h"
#include "engine/result_file/signal_cleanup.h"
#include "engine/result_file/stream_output.h"

namespace zembra {
namespace {

using Refusal = Error::Refusal;

// A pipe or a character device, opened as named. For the window, without
// waiting for a pipe's reader: no reader is a refusal before computing.
std::unique_ptr<ResultOutput> openStream(const ResultTarget& target,
                                         const ResultFileOptions& options) {
  const int flags =
      O_WRONLY | O_NOCTTY | O_NOFOLLOW | O_CLOEXEC | (options.waitForPipeReader ? 0 : O_NONBLOCK);
  const int fd =
      retryOnInterrupt([&] { return ::openat(target.folder.get(), target.name.c_str(), flags); });
  if (fd < 0 && errno == ENXIO && S_ISFIFO(target.info.st_mode)) {
    throw Error::refused(target.path, Refusal::NoPipeReader, ENXIO);
  }
  checked(fd);
  auto output = std::make_unique<StreamOutput>(fd, true, options.calls.write, options.whileWaiting);
  struct stat opened {};
  checked(::fstat(fd, &opened));
  if (!S_ISFIFO(opened.st_mode) && !S_ISCHR(opened.st_mode)) {
    throw Error::refused(target.path, Refusal::UnknownType);  // changed since it was looked at
  }
  return output;
}

OverwriteOptions overwriteOptions(const ResultTarget& target, const ResultFileOptions& options) {
  return {options.calls, options.lockWait, options.whileWaiting, folderOf(target.path)};
}

// A regular file the process's file-size limit would cut short: refused
// before computing (what writing it would end in: EFBIG).
void checkFileSizeLimit(const ResultTarget& target, const ResultFileOptions& options) {
  struct rlimit limit {};
  if (options.expectedBytes == 0 || ::getrlimit(RLIMIT_FSIZE, &limit) != 0 ||
      limit.rlim_cur == RLIM_INFINITY) {
    return;
  }
  std::uint64_t start = 0;  // where the writing begins
  if (target.type == ResultTarget::Type::Descriptor) {
    struct stat info {};
    if (::fstat(target.descriptor, &info) != 0 || !S_ISREG(info.st_mode)) return;
    const off_t offset = ::lseek(target.descriptor, 0, SEEK_CUR);
    const bool appends = (::fcntl(target.descriptor, F_GETFL) & O_APPEND) != 0;
    start = static_cast<std::uint64_t>(appends ? info.st_size : std::max<off_t>(offset, 0));
  } else if (target.type == ResultTarget::Type::Stream) {
    return;
  }
  if (start + options.expectedBytes > limit.rlim_cur) {
    throw Error::refused(target.path, Refusal::FileSizeLimit, EFBIG);
  }
}

// The atomic route: stale temporary files swept, a new one made beside.
TemporaryFile temporaryBeside(const ResultTarget& target, const ResultFileOptions& options) {
  sweepStaleTemporaries(target.folder.get());
  return TemporaryFile::create(target.folder.get(), options.allowUnnamed);
}

// An existing regular file: replaced when nothing the user had is lost by it,
// else overwritten in place.
std::unique_ptr<ResultOutput> openRegularFile(const ResultTarget& target,
                                              const ResultFileOptions& options) {
  const int folder = target.folder.get();
  if (isAppendOnlyOrImmutable(folder, target.name)) {
    throw Error::refused(target.path, Refusal::AppendOnlyOrImmutable, EPERM);
  }
  if (::faccessat(folder, target.name.c_str(), W_OK, AT_EACCESS) != 0) {
    throw Error::fileError(Error::Kind::FileOpenForWriting, target.path, errno);
  }
  if (replacementRouteFor(folder, target.info) == ReplacementRoute::Atomic) {
    TemporaryFile file = temporaryBeside(target, options);
    if (copyAttributes(folder, target.name, target.info, file.descriptor())) {
      return std::make_unique<AtomicReplacement>(std::move(file), target.name, options.calls);
    }
  }
  try {
    return std::make_unique<InPlaceOverwrite>(
        InPlaceOverwrite::openExisting(folder, target.name, overwriteOptions(target, options)));
  } catch (const std::system_error& error) {
    throw Error::fileError(Error::Kind::FileOpenForWriting, target.path, error.code().value());
  }
}

// A new file: created beside and renamed, unless the folder is append-only,
// where a temporary file could be neither renamed nor removed.
std::unique_ptr<ResultOutput> createNewFile(const ResultTarget& target,
                                            const ResultFileOptions& options) {
  const int folder = target.folder.get();
  if (!isAppendOnlyOrImmutable(folder, "")) {
    return std::make_unique<AtomicReplacement>(temporaryBeside(target, options), target.name,
                                               options.calls);
  }
  checked(::faccessat(folder, ".", W_OK | X_OK, AT_EACCESS));
  return std::make_unique<InPlaceOverwrite>(
      InPlaceOverwrite::createAtCommit(folder, target.name, overwriteOptions(target, options)));
}

// Resolves the result path and opens the output its target calls for.
// Throws Error (naming `path`) for refused targets and std::system_error
// for everything else that fails.
std::unique_ptr<ResultOutput> chooseResultOutput(const std::string& path,
                                                 const ResultFileOptions& options) {
  const ResultTarget target = resolveTarget(path);
  checkFileSizeLimit(target, options);
  if (target.type == ResultTarget::Type::RegularFile && options.leftoverBackup) {
    for (const std::string& backup :
         leftoverBackups(target.folder.get(), target.name, target.info, folderOf(target.path))) {
      options.leftoverBackup(backup);
    }
  }
  switch (target.type) {
    case ResultTarget::Type::Descriptor:
      return std::make_unique<StreamOutput>(target.descriptor, false, options.calls.write,
                                            options.whileWaiting);
    case ResultTarget::Type::Stream:
      return openStream(target, options);
    case ResultTarget::Type::RegularFile:
      return openRegularFile(target, options);
    case ResultTarget::Type::NewFile:
      break;
  }
  return createNewFile(target, options);
}

constexpr std::size_t kFlushSize = 1 << 16;

}  // namespace

ResultFile::ResultFile(std::string path, ResultFileOptions options)
    : path_(std::move(path)), options_(std::move(options)) {
  signal_cleanup::installHandlers();  // SIGXFSZ among them: see checkFileSizeLimit
  try {
    output_ = chooseResultOutput(path_, options_);
  } catch (const std::system_error& error) {
    throw Error::fileError(Error::Kind::FileOpen, path_, error.code().value());
  }
}

ResultFile::~ResultFile() = default;

void ResultFile::writeLine(std::string_view utf8Text) {
  buffer_ += '"';
  buffer_ += toShiftJis(utf8Text);
  buffer_ += "\"\r\n";
  if (buffer_.size() >= kFlushSize) flush();
}

void ResultFile::flush() {
  try {
    output_->write(buffer_);
  } catch (const std::system_error& error) {
    throw Error::fileError(Error::Kind::FileWrite, path_, error.code().value());
  }
  buffer_.clear();
}

void ResultFile::commit() {
  flush();
  try {
    output_->commit();
  } catch (const OverwriteFailed& failure) {
    throw Error::fileError(Error::Kind::FileWrite, path_, failure.code().value())
        .withBackup(failure.backup);
  } catch (const std::system_error& error) {
    const int number = error.code().value();
    if (number == EWOULDBLOCK) throw Error(Error::Kind::FileBusy, path_);
    throw Error::fileError(Error::Kind::FileWrite, path_, number);
  }
}

}  // namespace zembra
