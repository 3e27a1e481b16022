#include "ui/main/digit_scroll_bar.h"

#include <QKeyEvent>
#include <QProxyStyle>

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

DigitScrollBar::DigitScrollBar(QWidget* parent) : QScrollBar(Qt::Horizontal, parent) {
  setObjectName(QStringLiteral("HScroll1"));
  setRange(0, 32764);
  setSingleStep(1);
  setPageStep(100);
  setValue(0);
  setTracking(false);
  setFocusPolicy(Qt::StrongFocus);
  auto* style = new PagingTrackStyle;
  style->setParent(this);
  setStyle(style);
}

void DigitScrollBar::keyPressEvent(QKeyEvent* event) {
  const bool plain =
      event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier;
  if (plain && event->key() == Qt::Key_Left) {
    triggerAction(SliderSingleStepSub);
  } else if (plain && event->key() == Qt::Key_Right) {
    triggerAction(SliderSingleStepAdd);
  } else {
    QScrollBar::keyPressEvent(event);
  }
}

QScrollBar* makeDigitScrollBar(QWidget* parent) { return new DigitScrollBar(parent); }

}  // namespace zembra::ui
