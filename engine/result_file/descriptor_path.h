#pragma once

#include <optional>
#include <string>

namespace zembra {

// The descriptor of this process that `path` names: /dev/stdin, /dev/stdout,
// /dev/stderr, /dev/fd/N, /proc/self/fd/N, /proc/thread-self/fd/N and
// /proc/PID/fd/N with this process's PID, also when spelt with "." or extra
// slashes. Read from the text alone, so it works without /dev or /proc;
// whether the descriptor is open is for the caller to find out.
std::optional<int> descriptorNamedBy(const std::string& path);

}  // namespace zembra
