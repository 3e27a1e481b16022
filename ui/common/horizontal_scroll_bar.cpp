#include "ui/common/horizontal_scroll_bar.h"

#include <QKeyEvent>
#include <QPainter>
#include <QProxyStyle>

#include "ui/common/focus_frame.h"

namespace zembra::ui {
namespace {

// The application's style, except that a left click in the track pages
// instead of jumping to the place clicked.
class PagingTrackStyle final : public QProxyStyle {
 public:
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* returnData) const override {
    if (hint == SH_ScrollBar_LeftClickAbsolutePosition) return 0;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
  }
};

}  // namespace

HorizontalScrollBar::HorizontalScrollBar(int maximum, int arrowStep, int pageStep, QWidget* parent)
    : QScrollBar(Qt::Horizontal, parent) {
  setRange(0, maximum);
  setSingleStep(arrowStep);
  setPageStep(pageStep);
  setValue(0);
  setTracking(false);
  setFocusPolicy(Qt::StrongFocus);
  auto* style = new PagingTrackStyle;
  style->setParent(this);
  setStyle(style);
}

void HorizontalScrollBar::paintEvent(QPaintEvent* event) {
  QScrollBar::paintEvent(event);
  if (hasFocus()) drawFocusFrame(this, this);
  if (!isEnabled()) {  // the style draws a disabled bar as an enabled one
    QPainter painter(this);
    QColor veil = palette().color(QPalette::Window);
    veil.setAlpha(140);
    painter.fillRect(rect(), veil);
  }
}

void HorizontalScrollBar::keyPressEvent(QKeyEvent* event) {
  if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
    if (event->key() == Qt::Key_Left) return triggerAction(SliderSingleStepSub);
    if (event->key() == Qt::Key_Right) return triggerAction(SliderSingleStepAdd);
  }
  QScrollBar::keyPressEvent(event);
}

}  // namespace zembra::ui
