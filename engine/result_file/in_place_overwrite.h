#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <system_error>

#include "engine/result_file/result_output.h"

namespace zembra {

// How an overwrite in place goes about it.
struct OverwriteOptions {
  FileCalls calls = {};
  // How long the commit waits for another run of the program writing the
  // same file, and what it does between its looks (the window's event pump).
  std::chrono::milliseconds lockWait = std::chrono::seconds(10);
  std::function<void()> whileWaiting = {};
  std::string shownFolder = ".";  // the file's folder as the user named it, for messages
};

// An overwrite that failed after the file's first byte was replaced: the file
// holds part of the new content, and the earlier content is in the copy at
// `backup` ("" where there was none to keep).
struct OverwriteFailed : std::system_error {
  OverwriteFailed(const std::system_error& cause, std::string backup)
      : std::system_error(cause), backup(std::move(backup)) {}
  std::string backup;
};

// The target itself gets the new content, as editors do, where a replacement
// beside it would lose something the user had (a second name, an owner this
// process cannot give back, attributes it cannot copy) or could not be
// renamed into place (an append-only folder).
//
// Nothing is touched until the commit, when the new content is complete. The
// commit takes the file's lock (flock: other runs of the program writing it
// wait, for lockWait at most), reserves the space (so a full disk fails
// cleanly, the file unchanged), keeps a durable copy of the earlier content
// (backup_copy.h; not where the file cannot be read), then, with SIGINT,
// SIGTERM and SIGHUP waiting, writes from the start without truncating,
// syncs, cuts the file to the new length and syncs again; only then the copy
// goes. A run stopped anywhere on the way leaves the earlier content or the
// new one in the file, or the earlier content whole in the copy.
class InPlaceOverwrite final : public ResultOutput {
 public:
  // The existing regular file `name` in `folder`, opened now to find out
  // whether it can be written. Throws std::system_error.
  static InPlaceOverwrite openExisting(int folder, const std::string& name,
                                       OverwriteOptions options);
  // A new file `name` in `folder`, created only at the commit.
  static InPlaceOverwrite createAtCommit(int folder, const std::string& name,
                                         OverwriteOptions options);

  ~InPlaceOverwrite() override;
  InPlaceOverwrite(InPlaceOverwrite&& other) noexcept;
  InPlaceOverwrite& operator=(InPlaceOverwrite&&) = delete;

  void write(std::string_view bytes) override { content_.append(bytes); }
  // Throws std::system_error, OverwriteFailed once the file was touched.
  void commit() override;

 private:
  InPlaceOverwrite(int folder, std::string name, int fd, OverwriteOptions options);
  void lock();
  void reserveSpace();
  void overwrite();

  FileDescriptor folder_;
  std::string name_;
  int fd_;  // -1 until created at the commit
  OverwriteOptions options_;
  std::string content_;
};

}  // namespace zembra
