#include "engine/result_file/result_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "engine/result_file/atomic_replacement.h"
#include "engine/result_file/file_attributes.h"
#include "engine/result_file/in_place_overwrite.h"
#include "engine/result_file/result_output.h"
#include "engine/result_file/result_target.h"
#include "engine/result_file/shift_jis.h"
#include "engine/result_file/stream_output.h"
#include "engine/run_error.h"

namespace zembra {
namespace {

using Refusal = RunError::Refusal;

// A pipe or a character device, opened as named. For the window, without
// waiting for a pipe's reader: no reader is a refusal before computing.
std::unique_ptr<ResultOutput> openStream(const ResultTarget& target,
                                         const ResultFileOptions& options) {
  const int flags =
      O_WRONLY | O_NOCTTY | O_NOFOLLOW | O_CLOEXEC | (options.waitForPipeReader ? 0 : O_NONBLOCK);
  const int fd =
      retryOnInterrupt([&] { return ::openat(target.folder.get(), target.name.c_str(), flags); });
  if (fd < 0 && errno == ENXIO && S_ISFIFO(target.info.st_mode)) {
    throw RunError::refused(target.path, Refusal::NoPipeReader, ENXIO);
  }
  checked(fd);
  auto output = std::make_unique<StreamOutput>(fd, true, options.write, options.whileWaiting);
  struct stat opened {};
  checked(::fstat(fd, &opened));
  if (!S_ISFIFO(opened.st_mode) && !S_ISCHR(opened.st_mode)) {
    throw RunError::refused(target.path, Refusal::UnknownType);  // changed since it was looked at
  }
  return output;
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
    throw RunError::refused(target.path, Refusal::AppendOnlyOrImmutable, EPERM);
  }
  if (::faccessat(folder, target.name.c_str(), W_OK, AT_EACCESS) != 0) {
    throw RunError::fileError(RunError::Kind::FileOpenForWriting, target.path, errno);
  }
  if (replacementRouteFor(folder, target.info) == ReplacementRoute::Atomic) {
    TemporaryFile file = temporaryBeside(target, options);
    if (copyAttributes(folder, target.name, target.info, file.descriptor())) {
      return std::make_unique<AtomicReplacement>(std::move(file), target.name, options.write);
    }
  }
  try {
    return std::make_unique<InPlaceOverwrite>(
        InPlaceOverwrite::openExisting(folder, target.name, options.write));
  } catch (const std::system_error& error) {
    throw RunError::fileError(RunError::Kind::FileOpenForWriting, target.path,
                              error.code().value());
  }
}

// A new file: created beside and renamed, unless the folder is append-only,
// where a temporary file could be neither renamed nor removed.
std::unique_ptr<ResultOutput> createNewFile(const ResultTarget& target,
                                            const ResultFileOptions& options) {
  const int folder = target.folder.get();
  if (!isAppendOnlyOrImmutable(folder, "")) {
    return std::make_unique<AtomicReplacement>(temporaryBeside(target, options), target.name,
                                               options.write);
  }
  checked(::faccessat(folder, ".", W_OK | X_OK, AT_EACCESS));
  return std::make_unique<InPlaceOverwrite>(
      InPlaceOverwrite::createAtCommit(folder, target.name, options.write));
}

// Resolves the result path and opens the output its target calls for.
// Throws RunError (naming `path`) for refused targets and std::system_error
// for everything else that fails.
std::unique_ptr<ResultOutput> chooseResultOutput(const std::string& path,
                                                 const ResultFileOptions& options) {
  const ResultTarget target = resolveTarget(path);
  switch (target.type) {
    case ResultTarget::Type::Descriptor:
      return std::make_unique<StreamOutput>(target.descriptor, false, options.write,
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

ssize_t posixWrite(int fd, const void* data, size_t size) { return ::write(fd, data, size); }

}  // namespace

ResultFile::ResultFile(std::string path, ResultFileOptions options)
    : path_(std::move(path)), options_(std::move(options)) {
  if (!options_.write) options_.write = &posixWrite;
  try {
    output_ = chooseResultOutput(path_, options_);
  } catch (const std::system_error& error) {
    throw RunError::fileError(RunError::Kind::FileOpen, path_, error.code().value());
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
    throw RunError::fileError(RunError::Kind::FileWrite, path_, error.code().value());
  }
  buffer_.clear();
}

void ResultFile::commit() {
  flush();
  try {
    output_->commit();
  } catch (const std::system_error& error) {
    throw RunError::fileError(RunError::Kind::FileWrite, path_, error.code().value());
  }
}

}  // namespace zembra
