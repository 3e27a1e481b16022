#include "ui/dialogs/viewer/file_line_source.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace zembra::ui {
namespace {

std::unique_ptr<ShiftJisDecoder> shiftJisDecoder() {
  try {
    return std::make_unique<ShiftJisDecoder>();
  } catch (const std::runtime_error&) {
    return nullptr;
  }
}

// Columns `text` takes: one for ASCII and half-width katakana, two for the rest.
int columns(const QString& text) {
  int count = 0;
  for (const QChar c : text) {
    const char16_t code = c.unicode();
    count += code < 0x80 || (code >= 0xFF61 && code <= 0xFF9F) ? 1 : 2;
  }
  return count;
}

}  // namespace

FileLineSource::FileLineSource(const LineIndex* index, QStringList rowsBefore)
    : index_(index), before_(std::move(rowsBefore)), decoder_(shiftJisDecoder()) {}

long long FileLineSource::count() const {
  const bool ended = !endRow().isEmpty();  // first: once done, the line count is final
  const long long lines = index_ ? index_->lineCount() : 0;
  return before_.size() + lines + (ended ? 1 : 0);
}

// The end row shows only once indexing is done, when the line count is final.
QString FileLineSource::text(long long row) const {
  if (row < 0) return {};
  if (row < before_.size()) return before_[static_cast<qsizetype>(row)];
  const long long line = row - before_.size();
  if (index_ && line < index_->lineCount()) return fileLine(line);
  return line == (index_ ? index_->lineCount() : 0) ? endRow() : QString();
}

int FileLineSource::longestLine() const {
  int longest = columns(endRow());
  for (const QString& row : before_) longest = std::max(longest, columns(row));
  if (!index_) return longest;
  const long long bytes = index_->longestLine();
  const long long cut = static_cast<long long>(LineIndex::kMaxLineBytes);
  const long long shown = bytes > cut ? cut + columns(kCutMark) : bytes;
  return static_cast<int>(std::max<long long>(longest, shown));
}

QString FileLineSource::fileLine(long long line) const {
  if (!index_) return {};
  const LineIndex::Line found = index_->line(line);
  std::string_view bytes = found.bytes;
  if (found.cut) bytes = bytes.substr(0, wholeShiftJisLength(bytes));
  const QString text = decoded(bytes);
  return found.cut ? text + kCutMark : text;
}

QString FileLineSource::decoded(std::string_view bytes) const {
  if (!decoder_) return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
  return QString::fromStdString(decoder_->decode(bytes));
}

void FileLineSource::setMarks(std::vector<FileDigitSearch::Found::LineMarks> marks) {
  marks_ = std::move(marks);
}

// Byte columns become characters: the bytes before each are decoded (a line
// of plain text may hold Shift-JIS before its digits).
QList<std::pair<int, int>> FileLineSource::marks(long long row) const {
  const long long line = row - before_.size();
  const auto marked = std::find_if(marks_.begin(), marks_.end(),
                                   [line](const auto& marks) { return marks.line == line; });
  if (!index_ || marked == marks_.end()) return {};
  const std::string bytes = index_->line(line).bytes;
  QList<std::pair<int, int>> ranges;
  for (const int column : marked->columns) {
    if (column < 0 || static_cast<std::size_t>(column) >= bytes.size()) continue;
    const std::string_view before =
        std::string_view(bytes).substr(0, static_cast<std::size_t>(column));
    const int at = static_cast<int>(decoded(before).size());
    if (!ranges.isEmpty() && ranges.back().first + ranges.back().second == at) {
      ++ranges.back().second;
    } else {
      ranges.append({at, 1});
    }
  }
  return ranges;
}

QString FileLineSource::endRow() const {
  if (!index_ || !index_->done()) return {};
  if (const std::optional<Error> error = index_->readError()) {
    return QString("（ファイルを読めなくなったため、これより後は表示しません：%1）")
        .arg(indexErrorText(*error));
  }
  if (index_->truncated()) return "（行数が多すぎるため、これより後は表示しません）";
  return {};
}

QString indexErrorText(const Error& error) {
  if (error.kind() == Error::Kind::NotAPlainFile) return "通常のファイルではありません";
  return QString::fromLocal8Bit(std::strerror(error.errorNumber()));
}

}  // namespace zembra::ui
