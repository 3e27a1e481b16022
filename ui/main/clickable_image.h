#pragma once

#include <QLabel>

namespace zembra::ui {

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

}  // namespace zembra::ui
