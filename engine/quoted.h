#pragma once

#include <string>
#include <string_view>

namespace zembra {

// Text the user gave (an argument, a path, an environment variable) as a
// message shows it: unchanged when it is printable (UTF-8 included), else
// quoted as a shell would read it back, each unprintable byte escaped
// ('a'$'\033''[31m'), as coreutils quotes names in its messages. So no
// message is split by a newline or can steer the terminal.
std::string quotedForMessage(std::string_view text);

}  // namespace zembra
