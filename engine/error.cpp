#include "engine/error.h"

#include <cstring>

#include "engine/digits/sizing.h"
#include "engine/quoted.h"

namespace zembra {
namespace {

std::string describeRefusal(Error::Refusal refusal) {
  switch (refusal) {
    case Error::Refusal::Folder:
      return "it is a folder";
    case Error::Refusal::BlockDevice:
      return "it is a block device";
    case Error::Refusal::Socket:
      return "it is a socket";
    case Error::Refusal::UnknownType:
      return "it is neither a file, a pipe nor a character device";
    case Error::Refusal::DescriptorNotWritable:
      return "no descriptor open for writing has that number";
    case Error::Refusal::NoPipeReader:
      return "no program reads that pipe";
    case Error::Refusal::AppendOnlyOrImmutable:
      return "the file is append-only or immutable";
    case Error::Refusal::UntrustedLink:
      return "the link belongs to another user in a shared sticky folder";
    case Error::Refusal::FileSizeLimit:
      return "the result would be larger than the file size limit of this process (ulimit -f)";
    case Error::Refusal::None:
      break;
  }
  return "it cannot be written";
}

std::string describe(Error::Kind kind, Error::Refusal refusal, const std::string& given,
                     const std::string& reason) {
  const std::string path = quotedForMessage(given);
  switch (kind) {
    case Error::Kind::Usage:
      return reason;
    case Error::Kind::NegativeDigitCount:
      return "the digit count must not be negative";
    case Error::Kind::DigitCountTooLarge:
      return "the digit count must not exceed " + std::to_string(static_cast<long>(kMaxDigits));
    case Error::Kind::FileOpen:
      return "cannot create " + path + ": " + reason;
    case Error::Kind::FileOpenForWriting:
      return "cannot open " + path + " for writing: " + reason;
    case Error::Kind::FileBusy:
      return "cannot write " + path + ": another run of the program is writing it";
    case Error::Kind::FileWrite:
      return "cannot write " + path + ": " + reason;
    case Error::Kind::TargetRefused:
      return "cannot write to " + path + ": " + describeRefusal(refusal) +
             (reason.empty() ? "" : " (" + reason + ")");
    case Error::Kind::OutOfMemory:
      return "not enough memory for the computation";
    case Error::Kind::OutOfResources:
      return "the system refused a resource the computation needs: " + reason;
    case Error::Kind::Internal:
      return "the computation failed: " + reason;
    case Error::Kind::FolderUnreadable:
      return "cannot read the folder " + path + ": " + reason;
    case Error::Kind::FileUnreadable:
      return "cannot read " + path + ": " + reason;
    case Error::Kind::NotAPlainFile:
      return "cannot read " + path + ": it is not a plain file";
  }
  return "run failed";
}

}  // namespace

std::string englishErrorText(int error) {
  const char* text = ::strerrordesc_np(error);  // untranslated, unlike strerror
  return text ? text : "error " + std::to_string(error);
}

Error::Error(Kind kind, std::string path, std::string reason)
    : std::runtime_error(describe(kind, Refusal::None, path, reason)),
      kind_(kind),
      path_(std::move(path)),
      reason_(std::move(reason)) {}

Error::Error(Kind kind, Refusal refusal, std::string path, int error)
    : std::runtime_error(
          describe(kind, refusal, path, error != 0 ? englishErrorText(error) : std::string())),
      kind_(kind),
      refusal_(refusal),
      path_(std::move(path)),
      reason_(error != 0 ? englishErrorText(error) : std::string()),
      errorNumber_(error) {}

Error Error::fileError(Kind kind, std::string path, int error) {
  return Error(kind, Refusal::None, std::move(path), error);
}

Error Error::withBackup(std::string backup) const {
  Error error = *this;
  if (backup.empty()) return error;
  error.keptBackup_ = std::move(backup);
  static_cast<std::runtime_error&>(error) =
      std::runtime_error(std::string(what()) + "; its earlier content is kept in " +
                         quotedForMessage(error.keptBackup_));
  return error;
}

Error Error::refused(std::string path, Refusal refusal, int error) {
  return Error(Kind::TargetRefused, refusal, std::move(path), error);
}

}  // namespace zembra
