#include "engine/run_error.h"

#include "engine/sizing.h"

namespace zembra {
namespace {

std::string describe(RunError::Kind kind, const std::string& path, const std::string& reason) {
  switch (kind) {
    case RunError::Kind::NotANumber:
      return "the digit count is not a number";
    case RunError::Kind::NegativeDigitCount:
      return "the digit count must not be negative";
    case RunError::Kind::DigitCountTooLarge:
      return "the digit count must not exceed " + std::to_string(static_cast<long>(kMaxDigits));
    case RunError::Kind::FileOpen:
      return "cannot create " + path + ": " + reason;
    case RunError::Kind::FileWrite:
      return "cannot write " + path + ": " + reason;
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

RunError::RunError(Kind kind, std::string path, std::string reason)
    : std::runtime_error(describe(kind, path, reason)),
      kind_(kind),
      path_(std::move(path)),
      reason_(std::move(reason)) {}

}  // namespace zembra
