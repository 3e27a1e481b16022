#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The two header lines of a result file, and how a file is recognised as a
// result file by its first line.

namespace zembra {

// "円周率の計算  桁数＝" and the digit count as the user typed it.
std::string digitCountHeader(std::string_view countText);
// "開始時刻＝… 終了時刻＝…", the two times as the window showed them.
std::string timesHeader(std::string_view startTime, std::string_view endTime);

// The most bytes a result file of `countText` digits (`limbCount` limbs)
// takes, headers (with times of up to 64 bytes each) and digit lines quoted
// and ended by CR LF: known before computing.
std::uint64_t resultFileBytes(std::string_view countText, long limbCount);

// Whether `fileStart`, the first bytes of a file as stored, begins as a
// result file's first line does (quoted, in Shift-JIS).
bool startsLikeResultFile(std::string_view fileStart);

// The digit count as a result file's first line, as stored and without its
// line end, quotes it; nullopt for any other line.
std::optional<std::string> digitCountTextOf(std::string_view firstLine);

// Whether a run writing to `path` would replace something other than a
// result file: `path`, its links followed as a run follows them, names an
// existing, non-empty regular file whose first line is not a result file's
// first line, or whose content cannot be read. Named pipes, devices,
// descriptors and names that do not exist yet are never opened here (false),
// nor are paths a run would refuse (false: the run reports them itself).
bool replacesOtherContent(const std::string& path);

}  // namespace zembra
