#pragma once

#include <QLabel>

namespace zembra::ui {

// A label of the designed windows: opaque, in its own colours, at a fixed
// size, or as wide as its caption when it sizes itself to its text.
class CaptionLabel final : public QLabel {
  Q_OBJECT

 public:
  CaptionLabel(const QString& name, const QString& caption, QWidget* parent);

  void setColors(const QColor& back, const QColor& fore);
  // Width follows the caption from now on; the height stays.
  void setAutoSize(bool autoSize);
  bool autoSize() const { return autoSize_; }

  // Sets the caption (even to the one it has) and announces it.
  void setCaption(const QString& caption);
  QString caption() const { return text(); }

 signals:
  void captionChanged(const QString& caption);

 private:
  void fitWidth();

  bool autoSize_ = false;
};

}  // namespace zembra::ui
