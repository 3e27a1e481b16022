#include "ui/dialogs/viewer/file_digit_search.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace zembra::ui {

FileDigitSearch::FileDigitSearch(const std::string& path, const LineIndex& index,
                                 std::string digits, Direction direction, long long after)
    : path_(path), index_(index), digits_(std::move(digits)), direction_(direction), after_(after) {
  thread_ = std::jthread([this](std::stop_token stop) { run(stop); });
}

FileDigitSearch::~FileDigitSearch() {
  thread_.request_stop();
  if (thread_.joinable()) thread_.join();
}

FileDigitSearch::State FileDigitSearch::state() const {
  const std::lock_guard lock(mutex_);
  return state_;
}

void FileDigitSearch::run(std::stop_token stop) {
  const int fd = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) {
    const std::lock_guard lock(mutex_);
    state_.error = Error::fileError(Error::Kind::FileUnreadable, path_, errno);
    state_.done = true;
    return;
  }
  DigitScanner scanner(digits_, [this, &stop, &scanner](const DigitMatch& match) {
    plainText_ = scanner.plainText();
    ++count_;
    if (!first_) first_ = match;
    last_ = match;
    if (published_) return;
    if (direction_ == Direction::Next && match.offset > after_) return publish(match, stop);
    if (direction_ == Direction::Previous && after_ >= 0 && match.offset >= after_) {
      if (lastBefore_) publish(*lastBefore_, stop);  // else: the last of all, at the end
      return;
    }
    if (direction_ == Direction::Previous) lastBefore_ = match;
  });
  scanFile(stop, scanner, fd);
  ::close(fd);
  if (stop.stop_requested()) return;
  // Round the end: the first of all after the last, the last before the first.
  if (!published_) {
    const std::optional<DigitMatch>& wrapped =
        direction_ == Direction::Next ? first_ : (lastBefore_ ? lastBefore_ : last_);
    if (wrapped) publish(*wrapped, stop);
  }
  const std::lock_guard lock(mutex_);
  state_.count = count_;
  state_.plainText = scanner.plainText();
  state_.done = true;
}

void FileDigitSearch::scanFile(std::stop_token stop, DigitScanner& scanner, int fd) {
  std::vector<char> block(kBlockBytes);
  for (off_t at = 0; !stop.stop_requested() && !scanner.finished();) {
    const ssize_t got = ::pread(fd, block.data(), block.size(), at);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      const std::lock_guard lock(mutex_);
      state_.error = Error::fileError(Error::Kind::FileUnreadable, path_, errno);
      return;
    }
    if (got == 0) break;
    scanner.feed(std::string_view(block.data(), static_cast<std::size_t>(got)));
    at += got;
  }
  scanner.end();
}

void FileDigitSearch::publish(const DigitMatch& match, std::stop_token stop) {
  published_ = true;
  Found found = locate(match, stop);
  const std::lock_guard lock(mutex_);
  state_.found = std::move(found);
  state_.plainText = plainText_;
}

// The lines of the match's digits, from the line index (which may first
// have to read that far).
FileDigitSearch::Found FileDigitSearch::locate(const DigitMatch& match,
                                               std::stop_token stop) const {
  Found found{match.place, match.offset, index_.lineAt(match.offset, stop), {}};
  long long lineStart = -1, nextStart = -1;
  for (const long long offset : match.digitOffsets) {
    if (found.marks.empty() || (nextStart >= 0 && offset >= nextStart) || nextStart < 0) {
      const long long line = index_.lineAt(offset, stop);
      if (line < 0) break;
      if (found.marks.empty() || found.marks.back().line != line) {
        found.marks.push_back({line, {}});
        lineStart = index_.lineStart(line);
        nextStart = index_.lineStart(line + 1);
      }
    }
    found.marks.back().columns.push_back(static_cast<int>(offset - lineStart));
  }
  return found;
}

}  // namespace zembra::ui
