#pragma once

#include <cerrno>
#include <system_error>

// Small helpers for the result file's system calls. The file code below the
// result file throws std::system_error (generic category, the errno); the
// result file turns it into a RunError that names the user's path.

namespace zembra {

[[noreturn]] inline void throwSystemError(int error) {
  throw std::system_error(error, std::generic_category());
}

// The result of a call that returns -1 with errno on failure; throws then.
template <typename Result>
Result checked(Result result) {
  if (result == -1) throwSystemError(errno);
  return result;
}

// Runs a call again for as long as a signal interrupts it.
template <typename Call>
auto retryOnInterrupt(Call call) {
  for (;;) {
    auto result = call();
    if (result != -1 || errno != EINTR) return result;
  }
}

}  // namespace zembra
