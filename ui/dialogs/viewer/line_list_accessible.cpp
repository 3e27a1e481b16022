#include "ui/dialogs/viewer/line_list_accessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>
#include <QScrollBar>
#include <algorithm>
#include <map>

#include "ui/common/screen_readers.h"
#include "ui/dialogs/viewer/line_list_view.h"

namespace zembra::ui {
namespace {

// One row of the view; valid while the view has that row.
class RowAccessible final : public QAccessibleInterface {
 public:
  RowAccessible(LineListView* view, int row) : view_(view), row_(row) {}

  bool isValid() const override { return view_ && row_ < view_->rowCount(); }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return view_ ? view_->window()->windowHandle() : nullptr; }
  QAccessibleInterface* parent() const override {
    return view_ ? QAccessible::queryAccessibleInterface(view_.data()) : nullptr;
  }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QString text(QAccessible::Text which) const override {
    return which == QAccessible::Name && view_ ? view_->rowText(row_) : QString();
  }
  void setText(QAccessible::Text, const QString&) override {}
  QAccessible::Role role() const override { return QAccessible::ListItem; }
  QRect rect() const override {
    if (!view_) return {};
    const int y = (row_ - view_->firstVisibleRow()) * view_->rowHeight();
    const QWidget* viewport = view_->viewport();
    return QRect(viewport->mapToGlobal(QPoint(0, y)), QSize(viewport->width(), view_->rowHeight()));
  }
  QAccessible::State state() const override {
    QAccessible::State state;
    state.selectable = state.focusable = true;
    const bool current = view_ && view_->currentRow() == row_;
    state.selected = current;
    state.focused = current && view_->hasFocus();
    state.invisible = !view_ || row_ < view_->firstVisibleRow() ||
                      row_ >= view_->firstVisibleRow() + view_->visibleRowCount();
    return state;
  }
  int row() const { return row_; }

 private:
  QPointer<LineListView> view_;
  int row_;
};

// The view: its children are the rows in sight, at most a page's worth.
class LineListAccessible final : public QAccessibleWidget {
 public:
  explicit LineListAccessible(LineListView* view) : QAccessibleWidget(view, QAccessible::List) {}
  ~LineListAccessible() override {
    for (const auto& [row, id] : rows_) QAccessible::deleteAccessibleInterface(id);
  }

  int childCount() const override {
    return std::max(
        0, std::min(view()->visibleRowCount(), view()->rowCount() - view()->firstVisibleRow()));
  }
  QAccessibleInterface* child(int index) const override {
    if (index < 0 || index >= childCount()) return nullptr;
    return rowInterface(view()->firstVisibleRow() + index);
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    const auto* row = dynamic_cast<const RowAccessible*>(child);
    const int index = row ? row->row() - view()->firstVisibleRow() : -1;
    return index >= 0 && index < childCount() ? index : -1;
  }
  QAccessibleInterface* focusChild() const override {
    const int index = view()->currentRow() - view()->firstVisibleRow();
    return view()->hasFocus() ? child(index) : nullptr;
  }
  QString text(QAccessible::Text which) const override {
    if (which == QAccessible::Description) {
      return QStringLiteral("%1 行").arg(view()->rowCount());
    }
    return QAccessibleWidget::text(which);
  }

 private:
  LineListView* view() const { return static_cast<LineListView*>(widget()); }

  // The rows' interfaces are kept for as long as their rows are near sight.
  QAccessibleInterface* rowInterface(int row) const {
    constexpr std::size_t kKept = 512;
    if (rows_.size() > kKept) {
      for (const auto& [kept, id] : rows_) QAccessible::deleteAccessibleInterface(id);
      rows_.clear();
    }
    const auto found = rows_.find(row);
    if (found != rows_.end()) return QAccessible::accessibleInterface(found->second);
    auto* made = new RowAccessible(view(), row);
    rows_[row] = QAccessible::registerAccessibleInterface(made);
    return made;
  }

  mutable std::map<int, QAccessible::Id> rows_;
};

QAccessibleInterface* lineListAccessible(const QString& className, QObject* object) {
  if (className != QLatin1String(LineListView::staticMetaObject.className())) return nullptr;
  return new LineListAccessible(static_cast<LineListView*>(object));
}

}  // namespace

void describeLineListsForScreenReaders() {
  static const bool installed = (QAccessible::installFactory(&lineListAccessible), true);
  (void)installed;
}

void announceCurrentRow(LineListView& view) {
  if (!screenReaders().listening() || view.currentRow() < 0 || !view.hasFocus()) return;
  QAccessibleEvent focus(&view, QAccessible::Focus);
  focus.setChild(view.currentRow() - view.firstVisibleRow());
  tellScreenReaders(focus);
}

}  // namespace zembra::ui
