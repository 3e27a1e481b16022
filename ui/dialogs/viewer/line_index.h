#pragma once

#include <atomic>
#include <climits>
#include <cstddef>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "engine/error.h"

// An index of the lines of a text file of any size, built in the background,
// so that a view can show any line without holding the file in memory.
// Plain C++ (no Qt): the indexing thread never touches the windows.
//
// Use:
//   LineIndex index(path);                 // opens the file, starts indexing
//   if (index.openError() != 0) …          // not opened: nothing to show
//   every 100 ms or so, from the window:   // lineCount() grows until done()
//     index.lineCount(), index.done(), index.longestLine(), index.truncated(),
//     index.readError(), index.scannedBytes() / index.fileSize()
//   index.line(i)                          // the bytes of line i < lineCount()
//   ~LineIndex()                           // stops and joins the thread at once
//
// Lines: CR LF, LF and CR each end a line (a CR LF counts once, even across
// two reads); a last line without a line end is a line; an empty file has no
// lines; a file that ends in a line end has no empty line after it. Line ends
// are found on the bytes, which suits Shift-JIS: its second bytes are never
// CR or LF.
//
// Memory: the index keeps a checkpoint (the state at a line start) every
// `checkpointLines` lines, and at the first line start after
// `checkpointBytes` bytes without one, so at most
// lineCount / checkpointLines + fileSize / checkpointBytes + 1 checkpoints
// (24 bytes each), and finding a line reads less than checkpointBytes before
// it. The file is read with pread, never mapped: a file cut short by another
// program then reads short instead of killing this one.

namespace zembra::ui {

// Reads up to `size` bytes at `offset` like pread(2): the count read, 0 at the
// end of the file, -1 with errno set on failure.
using ReadAt = std::function<long long(int fd, char* buffer, std::size_t size, long long offset)>;

struct LineIndexOptions {
  std::size_t blockBytes = 256 * 1024;    // bytes read at a time (16 MiB at most)
  long long checkpointLines = 4096;       // a checkpoint at least every this many lines…
  long long checkpointBytes = 64 * 1024;  // …and at the first line start this far from the last
  long long maxLines = 0;  // lines counted at most; 0 (or more than kMaxLines): kMaxLines
  ReadAt read = {};        // pread when empty; tests put failures in here
};

class LineIndex {
 public:
  // The longest part of a line that line() returns.
  static constexpr std::size_t kMaxLineBytes = 4096;
  // The most lines counted: a list addresses rows with int (Qt's scroll bars
  // do), and this leaves two rows for a note before the lines and one after.
  static constexpr long long kMaxLines = INT_MAX - 2;
  struct Line {
    std::string bytes;  // without its line end; at most kMaxLineBytes
    bool cut = false;   // the line is longer than `bytes`
  };

  // Opens the file at `path` (bytes, as the system takes them) and starts
  // indexing it in a thread of its own. options.maxLines is capped at kMaxLines.
  explicit LineIndex(const std::string& path, LineIndexOptions options = {});
  ~LineIndex();  // stops the indexing and waits for it: a block's read at most
  LineIndex(const LineIndex&) = delete;
  LineIndex& operator=(const LineIndex&) = delete;

  // None when the file is open; else FileUnreadable with the system's error
  // number (EISDIR for a folder, EAGAIN when no thread could be started), or
  // NotAPlainFile for a device, a pipe or a socket, whose reading might never
  // end. Then the index is done() with no lines.
  const std::optional<Error>& openError() const { return openError_; }

  // The rest may be asked from any thread at any time while indexing runs.
  long long lineCount() const;             // lines found so far, each one complete
  bool done() const;                       // indexing has ended: end of file, limit or error
  long long longestLine() const;           // bytes in the longest line found so far
  bool truncated() const;                  // more lines than maxLines: only the first are counted
  std::optional<Error> readError() const;  // a read that failed (indexing ended there)
  long long scannedBytes() const;          // bytes indexed so far, for a progress display
  long long fileSize() const { return fileSize_; }  // at opening
  std::size_t checkpointCount() const;              // the index's own size, for tests

  // Line `i` (0 for the first), cut to kMaxLineBytes. Empty for a line out of
  // range, or when the file no longer holds it (changed since).
  Line line(long long i) const;

  // The line that holds byte `offset`, from the nearest checkpoint on; waits
  // while indexing has not reached it (unless `stop` is requested). -1 when
  // it never does (a read failed or the line limit came first), or the file
  // no longer shows the line.
  long long lineAt(long long offset, std::stop_token stop = {}) const;
  // The byte offset where line `i` begins; -1 for a line out of range or gone.
  long long lineStart(long long i) const;

  // Blocks until done(). For tests and tools; a window polls done() instead.
  void waitUntilDone() const;

  // Where scanning can resume: the start of line `line` at byte `offset`.
  // `afterCR`: the line before ended in CR, so an LF at `offset` still
  // belongs to that line end.
  struct Checkpoint {
    long long offset = 0;
    long long line = 0;
    bool afterCR = false;
  };

 private:
  void run(std::stop_token stop);
  void indexFile(std::stop_token stop);
  bool indexBlock(const char* data, std::size_t size, long long at, Checkpoint& scan,
                  Checkpoint& last);
  void addCheckpoint(const Checkpoint& scan, Checkpoint& last);
  void finishAtEnd(const Checkpoint& scan, long long end);
  void finishAtLimit(const Checkpoint& scan);
  long long readAt(char* buffer, std::size_t size, long long offset) const;
  Checkpoint nearestStart(long long i) const;
  bool seekLine(long long i, Checkpoint& scan) const;

  LineIndexOptions options_;
  std::string path_;
  int fd_ = -1;
  std::optional<Error> openError_;
  long long fileSize_ = 0;

  std::atomic<long long> lines_{0};
  std::atomic<long long> longest_{0};
  std::atomic<long long> scanned_{0};
  std::atomic<bool> truncated_{false};
  std::atomic<bool> done_{false};

  mutable std::mutex mutex_;  // guards the three below
  std::optional<Error> readError_;
  std::vector<Checkpoint> checkpoints_;  // by line, the first at line 0
  mutable Checkpoint lastFound_;         // the start of the line line() found last

  std::jthread thread_;  // last: stopped and joined before the rest goes
};

}  // namespace zembra::ui
