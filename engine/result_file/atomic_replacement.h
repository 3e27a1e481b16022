#pragma once

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
  AtomicReplacement(TemporaryFile file, std::string target, WriteFunction write);

  void write(std::string_view bytes) override;
  void commit() override;

 private:
  TemporaryFile file_;
  std::string target_;
  WriteFunction write_;
};

}  // namespace zembra
