#include "engine/result_file/atomic_replacement.h"

#include <fcntl.h>
#include <unistd.h>

#include "engine/result_file/result_target.h"
#include "engine/result_file/system_call.h"

namespace zembra {
namespace {

// Makes the rename durable; a folder that cannot be synced is no failure.
void syncFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

AtomicReplacement::AtomicReplacement(TemporaryFile file, std::string target, WriteFunction write)
    : file_(std::move(file)), target_(std::move(target)), write_(write) {}

void AtomicReplacement::write(std::string_view bytes) { writeAll(write_, file_.descriptor(), bytes); }

void AtomicReplacement::commit() {
  checked(::fsync(file_.descriptor()));
  file_.renameOver(target_);
  syncFolder(folderOf(target_));
}

}  // namespace zembra
