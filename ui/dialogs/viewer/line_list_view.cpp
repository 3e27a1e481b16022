#include "ui/dialogs/viewer/line_list_view.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyleOptionFocusRect>
#include <algorithm>
#include <climits>

#include "ui/common/design.h"
#include "ui/common/fonts.h"
#include "ui/dialogs/viewer/line_list_accessible.h"

namespace zembra::ui {
namespace {

constexpr int kMargin = 2;             // pixels left of the text
const QColor kMarkColor(255, 255, 0);  // behind the characters a search found

int clampToInt(long long value) {
  return static_cast<int>(std::clamp<long long>(value, 0, INT_MAX));
}

}  // namespace

LineListView::LineListView(QWidget* parent) : QAbstractScrollArea(parent) {
  setFont(systemFont());
  QPalette shades = palette();
  shades.setColor(QPalette::Base, bgrColor(colors::kWhite));
  shades.setColor(QPalette::Text, windowTextColor());
  setPalette(shades);
  viewport()->setBackgroundRole(QPalette::Base);
  viewport()->setAutoFillBackground(true);
  setFocusPolicy(Qt::StrongFocus);
  describeLineListsForScreenReaders();
  updateScrollBars();
}

void LineListView::setSource(const LineSource* source) {
  source_ = source;
  const bool hadCurrent = current_ != -1;
  current_ = -1;
  verticalScrollBar()->setValue(0);
  horizontalScrollBar()->setValue(0);
  refresh();
  if (hadCurrent) emit currentRowChanged(-1);
}

void LineListView::refresh() {
  rows_ = source_ ? clampToInt(source_->count()) : 0;
  longest_ = source_ ? std::max(0, source_->longestLine()) : 0;
  updateScrollBars();
  if (current_ >= rows_) setCurrentRow(rows_ - 1);
  viewport()->update();
}

void LineListView::setCurrentRow(int row) {
  row = row < 0 || rows_ == 0 ? -1 : std::min(row, rows_ - 1);
  if (row >= 0) scrollTo(row);
  if (row == current_) return;
  current_ = row;
  viewport()->update();
  announceCurrentRow(*this);
  emit currentRowChanged(row);
}

QString LineListView::rowText(int row) const {
  return source_ && row >= 0 && row < rows_ ? source_->text(row) : QString();
}

int LineListView::firstVisibleRow() const { return verticalScrollBar()->value(); }

int LineListView::visibleRowCount() const { return viewport()->height() / rowHeight(); }

int LineListView::rowHeight() const { return std::max(1, fontMetrics().height()); }

int LineListView::rowAt(int y) const {
  if (y < 0) return -1;
  const long long row = firstVisibleRow() + static_cast<long long>(y / rowHeight());
  return row < rows_ ? static_cast<int>(row) : -1;
}

// Rows scroll one at a time, a page being the rows in sight; sideways, the
// widest row at the average character width.
void LineListView::updateScrollBars() {
  const int visible = std::max(1, visibleRowCount());
  verticalScrollBar()->setRange(0, std::max(0, rows_ - visible));
  verticalScrollBar()->setPageStep(visible);
  verticalScrollBar()->setSingleStep(1);
  const int charWidth = std::max(1, fontMetrics().averageCharWidth());
  const long long width = static_cast<long long>(longest_) * charWidth + 2 * kMargin;
  const int page = viewport()->width();
  horizontalScrollBar()->setRange(0, clampToInt(width - page));
  horizontalScrollBar()->setPageStep(std::max(1, page));
  horizontalScrollBar()->setSingleStep(charWidth);
}

void LineListView::scrollTo(int row) {
  const int first = firstVisibleRow();
  const int visible = std::max(1, visibleRowCount());
  if (row < first) {
    verticalScrollBar()->setValue(row);
  } else if (row - first >= visible) {
    verticalScrollBar()->setValue(row - visible + 1);
  }
}

void LineListView::paintEvent(QPaintEvent* event) {
  if (!source_) return;
  QPainter painter(viewport());
  const int height = rowHeight();
  const long long first = firstVisibleRow();
  const long long top = first + event->rect().top() / height;
  const long long bottom = std::min(first + event->rect().bottom() / height, rows_ - 1LL);
  for (long long row = top; row <= bottom; ++row) {
    const QRect rect(0, static_cast<int>(row - first) * height, viewport()->width(), height);
    paintRow(painter, static_cast<int>(row), rect);
  }
}

// The first characters of `text` that reach `width` pixels: only those are
// laid out and drawn (a line of random bytes holds thousands of rare glyphs).
QString LineListView::reachingPart(const QString& text, int width) const {
  const QFontMetrics metrics = fontMetrics();
  qsizetype count = 0;
  for (int used = 0; count < text.size() && used <= width; ++count) {
    used += metrics.horizontalAdvance(text[count]);
  }
  if (count < text.size() && text[count - 1].isHighSurrogate()) ++count;  // whole pairs
  return text.left(count);
}

void LineListView::paintRow(QPainter& painter, int row, const QRect& rect) const {
  const bool current = row == current_;
  if (current) painter.fillRect(rect, palette().brush(QPalette::Highlight));
  painter.setPen(palette().color(current ? QPalette::HighlightedText : QPalette::Text));
  const QRect text = rect.adjusted(kMargin - horizontalScrollBar()->value(), 0, 0, 0);
  const QString shown =
      reachingPart(source_->text(row), horizontalScrollBar()->value() + rect.width());
  constexpr int kFlags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
  painter.drawText(text, kFlags, shown);
  for (const auto& [first, count] : source_->marks(row)) {
    if (first >= shown.size()) break;
    const QString marked = shown.mid(first, count);
    const QRect place = text.adjusted(fontMetrics().horizontalAdvance(shown.left(first)), 0, 0, 0);
    painter.fillRect(place.x(), place.y(), fontMetrics().horizontalAdvance(marked), place.height(),
                     kMarkColor);
    painter.setPen(Qt::black);
    painter.drawText(place, kFlags, marked);
  }
  // With the focus, the current row (the first while there is none) is framed.
  if (hasFocus() && row == std::max(current_, 0)) {
    QStyleOptionFocusRect frame;
    frame.initFrom(this);
    frame.rect = rect;
    frame.backgroundColor = palette().color(current ? QPalette::Highlight : QPalette::Base);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &frame, &painter, this);
  }
}

void LineListView::keyPressEvent(QKeyEvent* event) {
  const long long page = std::max(1, visibleRowCount() - 1);
  long long row = current_;
  switch (event->key()) {
    case Qt::Key_Up:
      row = std::max(current_ - 1, 0);
      break;
    case Qt::Key_Down:
      row = current_ + 1LL;
      break;
    case Qt::Key_PageUp:
      row = current_ - page;
      break;
    case Qt::Key_PageDown:
      row = std::max(current_, 0) + page;
      break;
    case Qt::Key_Home:
      row = 0;
      break;
    case Qt::Key_End:
      row = rows_ - 1;
      break;
    case Qt::Key_Left:
      horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
      return;
    case Qt::Key_Right:
      horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
      return;
    default:
      QAbstractScrollArea::keyPressEvent(event);
      return;
  }
  if (rows_ > 0) setCurrentRow(static_cast<int>(std::clamp(row, 0LL, rows_ - 1LL)));
  event->accept();
}

void LineListView::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QAbstractScrollArea::mousePressEvent(event);
  const int row = rowAt(event->position().toPoint().y());
  if (row >= 0) setCurrentRow(row);
  event->accept();
}

// A click's release is the view's too, not its window's.
void LineListView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QAbstractScrollArea::mouseReleaseEvent(event);
  event->accept();
}

void LineListView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  updateScrollBars();
}

void LineListView::changeEvent(QEvent* event) {
  QAbstractScrollArea::changeEvent(event);
  if (event->type() == QEvent::FontChange) {
    updateScrollBars();
    viewport()->update();
  }
}

void LineListView::focusInEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusInEvent(event);
  viewport()->update();
  announceCurrentRow(*this);
}

void LineListView::focusOutEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusOutEvent(event);
  viewport()->update();
}

}  // namespace zembra::ui
