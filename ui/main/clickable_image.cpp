#include "ui/main/clickable_image.h"

#include <QMouseEvent>

namespace zembra::ui {

ClickableImage::ClickableImage(const QString& name, const QPixmap& picture, QWidget* parent)
    : QLabel(parent) {
  setObjectName(name);
  setPixmap(picture);
}

void ClickableImage::mousePressEvent(QMouseEvent*) {
  secondPressOfDoubleClick_ = false;
  emit pressed();
}

void ClickableImage::mouseDoubleClickEvent(QMouseEvent*) { secondPressOfDoubleClick_ = true; }

void ClickableImage::mouseReleaseEvent(QMouseEvent* event) {
  emit released();
  const bool click = event->button() == Qt::LeftButton && !secondPressOfDoubleClick_ &&
                     rect().contains(event->position().toPoint());
  secondPressOfDoubleClick_ = false;
  if (click) emit clicked();
}

}  // namespace zembra::ui
