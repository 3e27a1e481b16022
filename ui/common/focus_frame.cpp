#include "ui/common/focus_frame.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

namespace zembra::ui {

void drawFocusFrame(QWidget* paintOn, const QWidget* owner) {
  QPainter painter(paintOn);
  QStyleOptionFocusRect option;
  option.initFrom(owner);
  option.rect = paintOn->rect().adjusted(1, 1, -1, -1);
  option.backgroundColor = owner->palette().color(QPalette::Window);
  option.state |= QStyle::State_KeyboardFocusChange | QStyle::State_HasFocus;
  owner->style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, owner);
}

}  // namespace zembra::ui
