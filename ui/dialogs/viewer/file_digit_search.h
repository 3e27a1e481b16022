#pragma once

#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "engine/digit_search.h"
#include "engine/error.h"
#include "ui/dialogs/viewer/line_index.h"

namespace zembra::ui {

// One search of the viewed file for a digit sequence (engine/digit_search.h),
// on a thread of its own, as the line index reads the file: it finds the
// occurrence to show, the first after the one shown or the last before it
// (going round the end of the file), then counts them all. The file is read
// a block at a time, so memory stays small whatever its size. A new search
// replaces a running one by destroying it, which stops and joins it.
class FileDigitSearch {
 public:
  enum class Direction { Next, Previous };

  // Where the occurrence shown is: its place, the file line that holds its
  // first digit, and, line by line, the byte columns of its digits.
  struct Found {
    long long place = 0;
    long long offset = 0;
    long long line = 0;
    struct LineMarks {
      long long line;
      std::vector<int> columns;
    };
    std::vector<LineMarks> marks;
  };

  struct State {
    std::optional<Found> found;      // once known
    std::optional<long long> count;  // once every occurrence is counted
    bool plainText = false;          // the file is not a result file (known with `found`)
    bool done = false;               // nothing more will change
    std::optional<Error> error;      // the file could not be read
  };

  // `after`: the offset of the occurrence shown, or -1 for none (Next then
  // finds the first, Previous the last). `index` must outlive the search.
  FileDigitSearch(const std::string& path, const LineIndex& index, std::string digits,
                  Direction direction, long long after);
  ~FileDigitSearch();
  FileDigitSearch(const FileDigitSearch&) = delete;
  FileDigitSearch& operator=(const FileDigitSearch&) = delete;

  State state() const;

  // Bytes read at a time.
  static constexpr std::size_t kBlockBytes = 256 * 1024;

 private:
  void run(std::stop_token stop);
  void scanFile(std::stop_token stop, DigitScanner& scanner, int fd);
  void publish(const DigitMatch& match, std::stop_token stop);
  Found locate(const DigitMatch& match, std::stop_token stop) const;

  std::string path_;
  const LineIndex& index_;
  std::string digits_;
  Direction direction_;
  long long after_;

  // The thread's own: what it has seen so far.
  long long count_ = 0;
  std::optional<DigitMatch> first_, last_, lastBefore_;
  bool published_ = false;
  bool plainText_ = false;

  mutable std::mutex mutex_;  // guards state_
  State state_;
  std::jthread thread_;  // last: stopped and joined before the rest goes
};

}  // namespace zembra::ui
