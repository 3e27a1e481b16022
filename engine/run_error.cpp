#include "engine/run_error.h"

#include <cstring>

#include "engine/digits/sizing.h"
#include "engine/quoted.h"

namespace zembra {
namespace {

std::string describeRefusal(RunError::Refusal refusal) {
  switch (refusal) {
    case RunError::Refusal::Folder:
      return "it is a folder";
    case RunError::Refusal::BlockDevice:
      return "it is a block device";
    case RunError::Refusal::Socket:
      return "it is a socket";
    case RunError::Refusal::UnknownType:
      return "it is neither a file, a pipe nor a character device";
    case RunError::Refusal::DescriptorNotWritable:
      return "no descriptor open for writing has that number";
    case RunError::Refusal::NoPipeReader:
      return "no program reads that pipe";
    case RunError::Refusal::AppendOnlyOrImmutable:
      return "the file is append-only or immutable";
    case RunError::Refusal::UntrustedLink:
      return "the link belongs to another user in a shared sticky folder";
    case RunError::Refusal::FileSizeLimit:
      return "the result would be larger than the file size limit of this process (ulimit -f)";
    case RunError::Refusal::None:
      break;
  }
  return "it cannot be written";
}

std::string describe(RunError::Kind kind, RunError::Refusal refusal, const std::string& given,
                     const std::string& reason) {
  const std::string path = quotedForMessage(given);
  switch (kind) {
    case RunError::Kind::NotANumber:
      return "the digit count is not a number";
    case RunError::Kind::NegativeDigitCount:
      return "the digit count must not be negative";
    case RunError::Kind::DigitCountTooLarge:
      return "the digit count must not exceed " + std::to_string(static_cast<long>(kMaxDigits));
    case RunError::Kind::FileOpen:
      return "cannot create " + path + ": " + reason;
    case RunError::Kind::FileOpenForWriting:
      return "cannot open " + path + " for writing: " + reason;
    case RunError::Kind::FileBusy:
      return "cannot write " + path + ": another run of the program is writing it";
    case RunError::Kind::FileWrite:
      return "cannot write " + path + ": " + reason;
    case RunError::Kind::TargetRefused:
      return "cannot write to " + path + ": " + describeRefusal(refusal) +
             (reason.empty() ? "" : " (" + reason + ")");
    case RunError::Kind::OutOfMemory:
      return "not enough memory for the computation";
    case RunError::Kind::OutOfResources:
      return "the system refused a resource the computation needs: " + reason;
    case RunError::Kind::Internal:
      return "the computation failed: " + reason;
  }
  return "run failed";
}

}  // namespace

std::string englishErrorText(int error) {
  const char* text = ::strerrordesc_np(error);  // untranslated, unlike strerror
  return text ? text : "error " + std::to_string(error);
}

RunError::RunError(Kind kind, std::string path, std::string reason)
    : std::runtime_error(describe(kind, Refusal::None, path, reason)),
      kind_(kind),
      path_(std::move(path)),
      reason_(std::move(reason)) {}

RunError::RunError(Kind kind, Refusal refusal, std::string path, int error)
    : std::runtime_error(
          describe(kind, refusal, path, error != 0 ? englishErrorText(error) : std::string())),
      kind_(kind),
      refusal_(refusal),
      path_(std::move(path)),
      reason_(error != 0 ? englishErrorText(error) : std::string()),
      errorNumber_(error) {}

RunError RunError::fileError(Kind kind, std::string path, int error) {
  return RunError(kind, Refusal::None, std::move(path), error);
}

RunError RunError::withBackup(std::string backup) const {
  RunError error = *this;
  if (backup.empty()) return error;
  error.keptBackup_ = std::move(backup);
  static_cast<std::runtime_error&>(error) =
      std::runtime_error(std::string(what()) + "; its earlier content is kept in " +
                         quotedForMessage(error.keptBackup_));
  return error;
}

RunError RunError::refused(std::string path, Refusal refusal, int error) {
  return RunError(Kind::TargetRefused, refusal, std::move(path), error);
}

}  // namespace zembra
