#pragma once

#include <sys/stat.h>

#include <string>

#include "engine/result_file/result_output.h"
#include "engine/result_file/temporary_file.h"

namespace zembra {

// The new content goes into a temporary file beside the target and is renamed
// over it at the commit: a run that fails or is abandoned leaves the earlier
// file as it was. For new files, and for files whose owner, group, mode and
// extended attributes the temporary file has been given.
class AtomicReplacement final : public ResultOutput {
 public:
  // `target` is a name in the temporary file's folder.
  AtomicReplacement(TemporaryFile file, std::string target, FileCalls calls);

  void write(std::string_view bytes) override;
  void commit() override;

 private:
  TemporaryFile file_;
  std::string target_;
  FileCalls calls_;
};

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
// `folder` holds the file.
ReplacementRoute replacementRouteFor(int folder, const struct stat& file);

}  // namespace zembra
