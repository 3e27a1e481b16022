#pragma once

#include <QAbstractScrollArea>
#include <QList>
#include <QString>
#include <utility>

namespace zembra::ui {

// What a LineListView shows: rows by number, asked for only when painted.
// The view reads count() and longestLine() in setSource() and refresh() only:
// rows a source gains in between show up together at the next refresh().
struct LineSource {
  virtual ~LineSource() = default;
  virtual long long count() const = 0;            // rows; the view shows at most INT_MAX
  virtual QString text(long long row) const = 0;  // 0 <= row < count()
  // Columns of the widest row (a half-width character one, a full-width one
  // two), for the horizontal scroll bar. It need not be exact.
  virtual int longestLine() const = 0;
  // The characters of a row to mark (what a search found), as ranges of
  // {first character, count}, in order.
  virtual QList<std::pair<int, int>> marks(long long row) const {
    static_cast<void>(row);
    return {};
  }
};

// A list box of text rows that paints only the rows in sight, so it stays
// light with a source of two billion rows: one row height from the font, a
// vertical scroll bar counted in rows, a horizontal one from the source's
// widest row times the font's average character width. White background,
// rows in the window text colour, the current row highlighted and, with the
// focus, framed; the characters a source marks stand out in yellow. Keys: Up, Down, Page Up, Page
// Down, Home and End move the current row; Left and Right scroll sideways. A click makes a row
// current; the wheel scrolls without moving it. Screen readers see the rows in sight
// (line_list_accessible.h).
//
// The source is not owned: it must outlive the view, or be unset first with
// setSource(nullptr).
class LineListView : public QAbstractScrollArea {
  Q_OBJECT

 public:
  explicit LineListView(QWidget* parent = nullptr);

  // Shows `source` from its first row, with no current row.
  void setSource(const LineSource* source);
  const LineSource* source() const { return source_; }

  int rowCount() const { return rows_; }       // as of the last setSource() or refresh()
  int currentRow() const { return current_; }  // -1 when none
  // Makes `row` current (clamped to the rows; -1 for none) and scrolls it into sight.
  void setCurrentRow(int row);
  QString rowText(int row) const;  // the source's text; "" out of range
  int firstVisibleRow() const;
  int visibleRowCount() const;  // rows that fit whole in the viewport
  int rowHeight() const;
  int rowAt(int y) const;  // the row at viewport height y, or -1

 public slots:
  // Takes the source's new row count and width (it has grown or changed);
  // the scroll position and the current row stay where they are, as far as
  // the rows still reach.
  void refresh();

 signals:
  void currentRowChanged(int row);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void updateScrollBars();
  void scrollTo(int row);
  QString reachingPart(const QString& text, int width) const;
  void paintRow(QPainter& painter, int row, const QRect& rect) const;

  const LineSource* source_ = nullptr;
  int rows_ = 0;
  int longest_ = 0;
  int current_ = -1;
};

}  // namespace zembra::ui
