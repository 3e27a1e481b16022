#pragma once

#include <QStringList>
#include <memory>

#include "engine/result_file/shift_jis.h"
#include "ui/dialogs/viewer/file_digit_search.h"
#include "ui/dialogs/viewer/line_index.h"
#include "ui/dialogs/viewer/line_list_view.h"

namespace zembra::ui {

// The rows of the result viewer for a LineListView: rows of its own first
// (the notice), then the lines of a file as its LineIndex finds them, and,
// once indexing has stopped short, one last row that says why the rest is
// missing (too many lines, or a read that failed).
//
// Lines are decoded from Shift-JIS (code page 932) when asked for: bytes that
// are not valid Shift-JIS become replacement characters (U+FFFD), and on a
// system without code page 932 the bytes are taken as Latin-1, so digits still
// show; a line cut by the index ends in kCutMark, without the half of a
// character the cut split.
//
// In the viewer:
//   index_ = std::make_unique<LineIndex>(QFile::encodeName(path).toStdString());
//   if (index_->openError()) tell indexErrorText(*index_->openError()),
//       and show FileLineSource(nullptr, {overLimitNotice()}) instead;
//   source_ = std::make_unique<FileLineSource>(index_.get(), QStringList{overLimitNotice()});
//   list->setSource(source_.get());
//   a QTimer every 100 ms: list->refresh(); once index_->done(), one last
//       refresh() and stop the timer.
//   Before the index and the source go: list->setSource(nullptr), or let the
//   list go first.
class FileLineSource final : public LineSource {
 public:
  static inline const QString kCutMark = QStringLiteral(" …");

  // `index` is not owned and may be null (no file: only the rows before).
  explicit FileLineSource(const LineIndex* index, QStringList rowsBefore = {});

  long long count() const override;
  QString text(long long row) const override;
  int longestLine() const override;
  QList<std::pair<int, int>> marks(long long row) const override;

  // Marks the digits a search found, by the byte columns of their file
  // lines; none to clear them.
  void setMarks(std::vector<FileDigitSearch::Found::LineMarks> marks);
  // The row that shows file line `line`.
  long long rowOfLine(long long line) const { return before_.size() + line; }

  // The file's line `line`, decoded; "" out of range.
  QString fileLine(long long line) const;

 private:
  QString endRow() const;  // "" while the lines are complete so far

  const LineIndex* index_;
  QStringList before_;
  QString decoded(std::string_view bytes) const;

  std::unique_ptr<ShiftJisDecoder> decoder_;  // null: none on this system
  std::vector<FileDigitSearch::Found::LineMarks> marks_;
};

// Why a LineIndex could not open a file, or stopped reading it, as the
// system says it or, for what is not a plain file, in Japanese.
QString indexErrorText(const Error& error);

}  // namespace zembra::ui
