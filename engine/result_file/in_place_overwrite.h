#pragma once

#include <string>

#include "engine/result_file/result_output.h"

namespace zembra {

// The target itself gets the new content, as editors do, where a replacement
// beside it would lose something the user had (a second name, an owner this
// process cannot give back, attributes it cannot copy) or could not be
// renamed into place (an append-only folder).
//
// Nothing is touched until the commit, when the new content is complete. The
// commit reserves the space first (so a full disk fails cleanly, the file
// unchanged), then, with SIGINT, SIGTERM and SIGHUP waiting, writes from the
// start without truncating, syncs, and cuts the file to the new length.
class InPlaceOverwrite final : public ResultOutput {
 public:
  // The existing regular file `name` in `folder`, opened now to find out
  // whether it can be written. Throws std::system_error.
  static InPlaceOverwrite openExisting(int folder, const std::string& name, WriteFunction write);
  // A new file `name` in `folder`, created only at the commit.
  static InPlaceOverwrite createAtCommit(int folder, const std::string& name, WriteFunction write);

  ~InPlaceOverwrite() override;
  InPlaceOverwrite(InPlaceOverwrite&& other) noexcept;
  InPlaceOverwrite& operator=(InPlaceOverwrite&&) = delete;

  void write(std::string_view bytes) override { content_.append(bytes); }
  void commit() override;

 private:
  InPlaceOverwrite(FileDescriptor folder, std::string name, int fd, WriteFunction write);
  void reserveSpace();
  void overwrite();

  FileDescriptor folder_;
  std::string name_;
  int fd_;  // -1 until created at the commit
  WriteFunction write_;
  std::string content_;
};

}  // namespace zembra
