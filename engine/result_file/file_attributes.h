#pragma once

#include <sys/stat.h>

#include <string>

namespace zembra {

// Whether the system lets no one rewrite, rename or remove the file `name`
// in `folder`, or the folder itself for "" (chattr +a or +i). False where the
// file system cannot say.
bool isAppendOnlyOrImmutable(int folder, const std::string& name);

// Whether this process may give a file it creates the owner and group of
// `original`: root may, others only for their own files and groups.
bool canTakeOwnerOf(const struct stat& original);

// Gives the new file open as `fd` everything the user had on the file `name`
// in `folder` (`original` its stat): owner, group, the extended attributes
// (ACLs among them), none more, and the mode. False, with the new file left
// half done, when any of it cannot be given.
bool copyAttributes(int folder, const std::string& name, const struct stat& original, int fd);

}  // namespace zembra
