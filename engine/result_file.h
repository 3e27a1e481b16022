#pragma once

#include <sys/types.h>

#include <string>
#include <string_view>

namespace zembra {

// The result file of a run: every line in double quotes, ended by CR LF, in
// Shift-JIS.
//
// The new content goes into a file beside the target (same folder) and
// replaces the target in one atomic rename when the run commits it, so a run
// that fails or is abandoned leaves the earlier file as it was. Where the file
// system allows, the new content lives in an unnamed file until the commit,
// so not even a killed process leaves anything behind.
class ResultFile {
 public:
  using WriteFunction = ssize_t (*)(int fd, const void* data, size_t size);

  // Checks that the target can be created or replaced and prepares the new
  // content. Throws RunError(FileOpen) with the system's reason. `write`
  // replaces the system's write(2) and `allowUnnamed` = false forces a named
  // file beside the target: both for tests.
  explicit ResultFile(std::string path, WriteFunction write = nullptr, bool allowUnnamed = true);
  ~ResultFile();
  ResultFile(const ResultFile&) = delete;
  ResultFile& operator=(const ResultFile&) = delete;

  // Appends one line; throws RunError(FileWrite).
  void writeLine(std::string_view utf8Text);

  // Puts the new content in place of the target; throws RunError(FileWrite).
  void commit();

 private:
  void openUnnamed();
  void openNamed();
  void flush();
  void linkUnnamed();
  void discard() noexcept;
  [[noreturn]] void fail(int error) const;

  std::string target_;
  std::string folder_;
  std::string temporary_;  // the named file beside the target, if there is one
  int fd_ = -1;
  mode_t mode_ = 0;
  bool keepMode_ = false;
  WriteFunction write_;
  std::string buffer_;
};

}  // namespace zembra
