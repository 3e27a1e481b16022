#pragma once

// The result file: where a run's result goes, and how it gets there whatever
// the path names and whatever stops the run.
//
// The path is looked at once, before any computation (result_target.h), and
// what it names picks the route; anything a run would end in failure for is
// refused or reported then, not after the computation.
//
//   the path names            route                      the earlier content
//   ------------------------  -------------------------  ------------------------
//   nothing yet               new file: a temporary      none
//                             file beside, renamed into
//                             place at the commit
//                             (atomic_replacement.h)
//   a regular file            replace: the same, the     stays until the rename
//                             file's owner, group, mode  puts the new file in
//                             and attributes given to    its place whole
//                             the temporary file first
//   a regular file that a     in place: the file itself  kept until the commit,
//   replacement would lose    overwritten at the commit  which then overwrites
//   something of (a second    (in_place_overwrite.h)     it
//   name, an owner, …)
//   a named pipe, a           stream: written as the     —
//   character device          lines come
//                             (stream_output.h)
//   /dev/stdout, /dev/fd/N …  descriptor: written        —
//                             through it, at its offset
//   a folder, a socket, a     refused (Error)         untouched
//   block device, an append-
//   only or immutable file
//
// Symbolic links are followed to the file they name (a link another user
// left in a shared sticky folder is refused); the link stays.
//
// A temporary file (temporary_file.h) is, in turn: unnamed (O_TMPFILE) or
// named ".zembra32-…" and locked (flock) while its run lives; written; then
// renamed over the target (an unnamed one is linked in under a name first),
// or removed when the run fails or SIGINT, SIGTERM or SIGHUP ends it
// (signal_cleanup.h). One left by a harder end (SIGKILL, a power cut) is
// unlocked, and the next run in the same folder removes it.

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "engine/result_file/result_output.h"

namespace zembra {

// How a result file is opened and written.
struct ResultFileOptions {
  // A named pipe that no program reads yet: wait for a reader, as Unix tools
  // do (the command line), rather than refuse it at once (the window, which
  // must not hang).
  bool waitForPipeReader = false;
  // Called between short waits while a pipe is full or another run writes the
  // same file (the window's event pump).
  std::function<void()> whileWaiting = {};
  // The most bytes the run will write, known before computing: a regular
  // file that the process's file-size limit would cut short is refused then.
  // 0: not known.
  std::uint64_t expectedBytes = 0;
  // Told, when the file is opened, of every copy of the file's earlier
  // content that a run stopped while overwriting it left behind.
  std::function<void(const std::string& backup)> leftoverBackup = {};
  // How long an overwrite in place waits for another run writing the file.
  std::chrono::milliseconds lockWait = std::chrono::seconds(10);
  // For tests: the system calls that fill the file, and false forces a named
  // temporary file.
  FileCalls calls = {};
  bool allowUnnamed = true;
};

// The result file of a run: every line in double quotes, ended by CR LF, in
// Shift-JIS.
//
// Everything that can be known about the target is checked when the file is
// opened, before any computation, and what the target is decides how it is
// written:
// - a regular file (or none yet) is replaced by a new file written beside it
//   and renamed over it at the commit, so a run that fails or is abandoned
//   leaves the earlier file as it was; where such a replacement would lose
//   something (a second name, the owner, attributes), the file is overwritten
//   in place at the commit instead (engine/result_file/in_place_overwrite.h);
// - a named pipe, a character device or a descriptor of this process
//   (/dev/stdout …) is written as a stream (engine/result_file/stream_output.h);
// - symbolic links are followed; anything else is refused.
class ResultFile {
 public:
  // Throws Error (FileOpen, FileOpenForWriting or TargetRefused) naming
  // `path`.
  explicit ResultFile(std::string path, ResultFileOptions options = {});
  ~ResultFile();
  ResultFile(const ResultFile&) = delete;
  ResultFile& operator=(const ResultFile&) = delete;

  // Appends one line; throws Error(FileWrite).
  void writeLine(std::string_view utf8Text);

  // Puts the new content where the user finds it; throws Error (FileWrite,
  // FileBusy).
  void commit();

 private:
  void flush();

  std::string path_;
  ResultFileOptions options_;
  std::unique_ptr<ResultOutput> output_;
  std::string buffer_;
};

}  // namespace zembra
