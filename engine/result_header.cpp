#include "engine/result_header.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <exception>
#include <optional>
#include <vector>

#include "engine/digit_lines.h"
#include "engine/result_file/result_output.h"
#include "engine/result_file/result_target.h"
#include "engine/result_file/shift_jis.h"

namespace zembra {
namespace {

constexpr std::string_view kDigitCountHeading = "円周率の計算  桁数＝";

// A result file's first bytes: the opening quote of every line, then the heading.
std::string resultFileStart() { return '"' + toShiftJis(kDigitCountHeading); }

// Up to `size` bytes from the start of `fd`; nullopt when a read fails.
std::optional<std::string> readStart(int fd, std::size_t size) {
  std::string start(size, '\0');
  std::size_t got = 0;
  while (got < size) {
    const ssize_t n = retryOnInterrupt([&] { return ::read(fd, start.data() + got, size - got); });
    if (n < 0) return std::nullopt;
    if (n == 0) break;
    got += static_cast<std::size_t>(n);
  }
  start.resize(got);
  return start;
}

// What the file `path` holds, judged by its first bytes. It is opened without
// following a link and without blocking, and read only if it is a regular
// file (the links were resolved before, as a run resolves them).
enum class Content { Empty, Result, Other, NotRegular, Unreadable };

Content contentOf(const ResultTarget& target) {
  const int fd = retryOnInterrupt([&] {
    return ::openat(target.folder.get(), target.name.c_str(),
                    O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  });
  if (fd < 0) return Content::Unreadable;
  struct stat info {};
  std::optional<std::string> start;
  const bool regular = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
  if (regular) start = readStart(fd, resultFileStart().size());
  ::close(fd);
  if (!regular) return Content::NotRegular;
  if (!start) return Content::Unreadable;
  if (start->empty()) return Content::Empty;
  return startsLikeResultFile(*start) ? Content::Result : Content::Other;
}

}  // namespace

std::string digitCountHeader(std::string_view countText) {
  return std::string(kDigitCountHeading) + std::string(countText);
}

std::string timesHeader(std::string_view startTime, std::string_view endTime) {
  return "開始時刻＝" + std::string(startTime) + "  終了時刻＝" + std::string(endTime);
}

std::uint64_t resultFileBytes(std::string_view countText, long limbCount) {
  constexpr std::uint64_t kLineFrame = 4;  // the two quotes and CR LF
  constexpr std::uint64_t kLongestTime = 64;
  std::uint64_t bytes = toShiftJis(digitCountHeader(countText)).size() +
                        toShiftJis(timesHeader("", "")).size() + 2 * kLongestTime + 2 * kLineFrame;
  // The lines' lengths do not depend on the digits: those of zero limbs.
  const std::vector<std::uint64_t> zeros(static_cast<std::size_t>(std::max(limbCount, 0L)) + 1, 0);
  forEachDigitLine(zeros, [&bytes](const std::string& line) { bytes += line.size() + kLineFrame; });
  return bytes;
}

bool startsLikeResultFile(std::string_view fileStart) {
  return fileStart.starts_with(resultFileStart());
}

std::optional<std::string> digitCountTextOf(std::string_view firstLine) {
  if (firstLine.ends_with('\r')) firstLine.remove_suffix(1);
  if (!startsLikeResultFile(firstLine) || !firstLine.ends_with('"')) return std::nullopt;
  firstLine.remove_prefix(resultFileStart().size());
  firstLine.remove_suffix(1);
  return std::string(firstLine);
}

bool replacesOtherContent(const std::string& path) {
  ResultTarget target;
  try {
    target = resolveTarget(path);
  } catch (const std::exception&) {
    return false;  // refused or not found out: the run says why
  }
  if (target.type != ResultTarget::Type::RegularFile || target.info.st_size == 0) return false;
  const Content content = contentOf(target);
  return content == Content::Other || content == Content::Unreadable;
}

}  // namespace zembra
