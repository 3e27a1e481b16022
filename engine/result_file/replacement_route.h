#pragma once

#include <sys/stat.h>

#include <string>

namespace zembra {

// How an existing regular file gets its new content.
enum class ReplacementRoute {
  Atomic,   // a new file beside it, renamed over it at the end
  InPlace,  // the file itself overwritten at the end
};

// Atomic only where the new file can be everything the old one was and the
// rename can be done: one name only, an owner and group this process can give
// back, a folder it may write that is not append-only, and no sticky folder
// rule against renaming over another user's file. (Whether the mode and the
// extended attributes can be copied is found out by copying them.)
ReplacementRoute replacementRouteFor(const std::string& path, const struct stat& file);

}  // namespace zembra
