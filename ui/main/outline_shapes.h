#pragma once

#include <QColor>
#include <QWidget>

// The drawn parts around a picture button. Neither reacts to the mouse.

namespace zembra::ui {

// A rectangle outline one pixel wide in the window-text colour, no fill.
class FrameShape final : public QWidget {
 public:
  FrameShape(const QString& name, const QRect& geometry, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

// A straight horizontal or vertical line one pixel wide.
class EdgeLine final : public QWidget {
 public:
  // From (x1, y1) to (x2, y2) in pixels, the end point left out.
  EdgeLine(const QString& name, QPoint from, QPoint to, const QColor& color, QWidget* parent);

  void setColor(const QColor& color);
  QColor color() const { return color_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QColor color_;
};

}  // namespace zembra::ui
