#include "ui/main/outline_shapes.h"

#include <QPainter>

#include "ui/common/design.h"

namespace zembra::ui {

FrameShape::FrameShape(const QString& name, const QRect& geometry, QWidget* parent)
    : QWidget(parent) {
  setObjectName(name);
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setGeometry(geometry);
}

void FrameShape::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setPen(windowTextColor());
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

EdgeLine::EdgeLine(const QString& name, QPoint from, QPoint to, const QColor& color,
                   QWidget* parent)
    : QWidget(parent), color_(color) {
  setObjectName(name);
  setAttribute(Qt::WA_TransparentForMouseEvents);
  const int width = std::max(1, to.x() - from.x());
  const int height = std::max(1, to.y() - from.y());
  setGeometry(from.x(), from.y(), width, height);
}

void EdgeLine::setColor(const QColor& color) {
  color_ = color;
  update();
}

void EdgeLine::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), color_);
}

}  // namespace zembra::ui
