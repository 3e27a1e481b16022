#pragma once

#include <QColor>
#include <QLabel>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QWidget>
#include <array>

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

// A picture that reacts to the mouse: pressed and released for any button,
// clicked when the left button is released over the picture itself.
class ClickableImage final : public QLabel {
  Q_OBJECT

 public:
  ClickableImage(const QString& name, const QPixmap& picture, QWidget* parent);

 signals:
  void pressed();
  void released();
  void clicked();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  // The second press of a double click neither presses the picture nor
  // makes a second click; its release still restores the raised look.
  bool secondPressOfDoubleClick_ = false;
};

// One edge line: LineN from (x1, y1) to (x2, y2), in twips.
struct EdgeLineDesign {
  int number;
  int x1, y1, x2, y2;
};

// One picture button of the strip, in twips relative to the strip.
struct PictureButtonDesign {
  int number;           // N of the object names ImageN and ShapeN
  const char* picture;  // resource path of the bitmap
  QRect image;          // designed Left, Top, Width, Height
  QPoint frame;         // Left, Top of the 390 × 360 frame
  EdgeLineDesign top, left, bottom, right;
};

// The four buttons: output file, run, counter options, help.
const std::array<PictureButtonDesign, 4>& pictureButtonDesigns();

// A drawn button: a picture in a frame with four edge lines, raised until
// the mouse presses the picture. Only the picture reacts to the mouse.
class PictureButton final : public QObject {
  Q_OBJECT

 public:
  PictureButton(const PictureButtonDesign& design, QWidget* strip);

  ClickableImage* image() const { return image_; }
  FrameShape* frame() const { return frame_; }
  EdgeLine* topEdge() const { return top_; }
  EdgeLine* leftEdge() const { return left_; }
  EdgeLine* bottomEdge() const { return bottom_; }
  EdgeLine* rightEdge() const { return right_; }

  // Mouse down on the picture: top and left edges grey, bottom and right hidden, the
  // picture 20 twips right and down.
  void showPressed();
  // Mouse up: top and left edges white, bottom and right shown, the
  // picture back in its place.
  void showRaised();

 signals:
  void clicked();  // a left click on the picture

 private:
  QRect designedImage_;  // in twips
  ClickableImage* image_;
  FrameShape* frame_;
  EdgeLine* top_;
  EdgeLine* left_;
  EdgeLine* bottom_;
  EdgeLine* right_;
};

}  // namespace zembra::ui
