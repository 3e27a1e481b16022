#pragma once

#include <stdexcept>
#include <string>

namespace zembra {

// Why a run failed. what() is an English sentence for the command line; the
// window builds its own Japanese message from kind(), path() and reason().
class RunError : public std::runtime_error {
 public:
  enum class Kind {
    NotANumber,          // the digit text does not convert to a number
    NegativeDigitCount,  // below 0
    DigitCountTooLarge,  // above 327,640
    FileOpen,            // the result file cannot be created
    FileWrite,           // the result file cannot be written or put in place
    OutOfMemory,
    OutOfResources,  // the system refused another resource (reason says which)
    Internal,  // anything else that stopped the computation (reason says what)
  };

  explicit RunError(Kind kind, std::string path = {}, std::string reason = {});

  Kind kind() const { return kind_; }
  const std::string& path() const { return path_; }
  // The system's description of the cause, if there is one.
  const std::string& reason() const { return reason_; }

 private:
  Kind kind_;
  std::string path_;
  std::string reason_;
};

}  // namespace zembra
