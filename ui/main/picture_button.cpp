#include "ui/main/picture_button.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

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

namespace {

constexpr int kFrameWidth = 390;
constexpr int kFrameHeight = 360;
constexpr int kPressOffset = 20;

EdgeLine* makeEdge(const EdgeLineDesign& design, unsigned color, QWidget* strip) {
  return new EdgeLine(QStringLiteral("Line%1").arg(design.number),
                      QPoint(px(design.x1), px(design.y1)), QPoint(px(design.x2), px(design.y2)),
                      bgrColor(color), strip);
}

QRect toPixels(const QRect& twips) {
  return twipsRect(twips.x(), twips.y(), twips.width(), twips.height());
}

}  // namespace

const std::array<PictureButtonDesign, 4>& pictureButtonDesigns() {
  static const std::array<PictureButtonDesign, 4> designs{{
      {1,
       ":/button_output.xpm",
       QRect(345, 75, 255, 285),
       QPoint(300, 30),
       {1, 345, 60, 645, 60},
       {2, 330, 75, 330, 345},
       {4, 360, 360, 645, 360},
       {3, 660, 75, 660, 360}},
      {2,
       ":/button_run.xpm",
       QRect(1395, 75, 270, 285),
       QPoint(1350, 30),
       {5, 1395, 60, 1695, 60},
       {6, 1380, 75, 1380, 345},
       {7, 1410, 360, 1695, 360},
       {8, 1710, 75, 1710, 360}},
      {3,
       ":/button_options.xpm",
       QRect(2345, 75, 270, 285),
       QPoint(2300, 30),
       {9, 2345, 60, 2600, 60},
       {10, 2330, 75, 2330, 345},
       {11, 2360, 360, 2645, 360},
       {12, 2660, 75, 2660, 360}},
      {4,
       ":/button_help.xpm",
       QRect(3745, 75, 270, 285),
       QPoint(3700, 30),
       {13, 3745, 60, 4045, 60},
       {14, 3730, 75, 3730, 345},
       {15, 3760, 360, 4045, 360},
       {16, 4060, 75, 4060, 360}},
  }};
  return designs;
}

// Created bottom to top: the frame, the edges, the picture over them.
PictureButton::PictureButton(const PictureButtonDesign& design, QWidget* strip)
    : QObject(strip), designedImage_(design.image) {
  const QString number = QString::number(design.number);
  setObjectName(QStringLiteral("PictureButton") + number);
  frame_ = new FrameShape(QStringLiteral("Shape") + number,
                          twipsRect(design.frame.x(), design.frame.y(), kFrameWidth, kFrameHeight),
                          strip);
  top_ = makeEdge(design.top, colors::kWhite, strip);
  left_ = makeEdge(design.left, colors::kWhite, strip);
  bottom_ = makeEdge(design.bottom, colors::kGrey, strip);
  right_ = makeEdge(design.right, colors::kGrey, strip);
  image_ = new ClickableImage(QStringLiteral("Image") + number, QPixmap(design.picture), strip);
  image_->setGeometry(toPixels(designedImage_));

  connect(image_, &ClickableImage::pressed, this, &PictureButton::showPressed);
  connect(image_, &ClickableImage::released, this, &PictureButton::showRaised);
  connect(image_, &ClickableImage::clicked, this, &PictureButton::clicked);
}

void PictureButton::showPressed() {
  top_->setColor(bgrColor(colors::kGrey));
  left_->setColor(bgrColor(colors::kGrey));
  bottom_->hide();
  right_->hide();
  image_->move(px(designedImage_.x() + kPressOffset), px(designedImage_.y() + kPressOffset));
}

void PictureButton::showRaised() {
  top_->setColor(bgrColor(colors::kWhite));
  left_->setColor(bgrColor(colors::kWhite));
  bottom_->show();
  right_->show();
  image_->move(px(designedImage_.x()), px(designedImage_.y()));
}

}  // namespace zembra::ui
