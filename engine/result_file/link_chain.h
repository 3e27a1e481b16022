#pragma once

#include <optional>
#include <string>

namespace zembra {

// Where a chain of symbolic links ends.
struct LinkChainEnd {
  std::string path;               // the first name that is not a link (it may not exist)
  std::optional<int> descriptor;  // set when a name on the way names one of our descriptors
  bool untrusted = false;         // stopped at a link the rule below refuses to follow
};

// Follows `path` through symbolic links in its last component, hop by hop, as
// the kernel does (relative links from their own folder, at most 40 hops).
// Like the kernel's protected-symlinks rule, a link in a sticky world-writable
// folder is followed only when it belongs to this user or to the folder's
// owner: the chain stops there, marked untrusted. Throws std::system_error
// (ELOOP for too many hops).
LinkChainEnd followLinkChain(const std::string& path);

// Whether the link at `linkPath`, owned by `linkOwner`, is one the rule above
// refuses to follow.
bool isUntrustedLink(const std::string& linkPath, unsigned linkOwner);

}  // namespace zembra
