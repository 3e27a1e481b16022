#include "ui/common/list_box.h"

#include <QProxyStyle>

#include "ui/common/design.h"
#include "ui/common/focus_frame.h"
#include "ui/common/fonts.h"

namespace zembra::ui {
namespace {

// The application's style with the text of a line 1 pixel from its edges.
class NarrowMarginStyle final : public QProxyStyle {
 public:
  int pixelMetric(PixelMetric metric, const QStyleOption* option,
                  const QWidget* widget) const override {
    if (metric == PM_FocusFrameHMargin) return 0;
    return QProxyStyle::pixelMetric(metric, option, widget);
  }
};

// The focus frame on the list itself where there is no current line to
// carry it (an empty list).
class ListBox final : public QListWidget {
 public:
  using QListWidget::QListWidget;

 protected:
  void paintEvent(QPaintEvent* event) override {
    QListWidget::paintEvent(event);
    if (hasFocus() && !currentItem()) drawFocusFrame(viewport(), this);
  }
};

}  // namespace

QListWidget* makeListBox(const QString& name, QWidget* parent) {
  auto* list = new ListBox(parent);
  list->setObjectName(name);
  list->setFont(systemFont());
  QPalette colors = list->palette();
  colors.setColor(QPalette::Base, bgrColor(colors::kWhite));
  colors.setColor(QPalette::Text, windowTextColor());
  list->setPalette(colors);
  // Lines differ in width (the running count grows), so each is measured:
  // the list holds at most 901 of them.
  list->setUniformItemSizes(false);
  list->setTextElideMode(Qt::ElideNone);
  list->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  auto* style = new NarrowMarginStyle;
  style->setParent(list);
  list->setStyle(style);
  return list;
}

}  // namespace zembra::ui
