#include "ui/common/caption_label.h"

#include <QFontMetrics>

namespace zembra::ui {

CaptionLabel::CaptionLabel(const QString& name, const QString& caption, QWidget* parent)
    : QLabel(caption, parent) {
  setObjectName(name);
  // Plain text: no rich-text guess on every change, and "<" shows as "<".
  setTextFormat(Qt::PlainText);
  setAlignment(Qt::AlignLeft | Qt::AlignTop);
  setAutoFillBackground(true);
}

void CaptionLabel::setColors(const QColor& back, const QColor& fore) {
  QPalette colors = palette();
  colors.setColor(QPalette::Window, back);
  colors.setColor(QPalette::WindowText, fore);
  setPalette(colors);
}

void CaptionLabel::setAutoSize(bool autoSize) {
  autoSize_ = autoSize;
  if (autoSize_) fitWidth();
}

void CaptionLabel::setCaption(const QString& caption) {
  setText(caption);
  if (autoSize_) fitWidth();
  emit captionChanged(caption);
}

// A fixed size also spares the parent a layout request at every change.
void CaptionLabel::fitWidth() { setFixedSize(fontMetrics().horizontalAdvance(text()), height()); }

}  // namespace zembra::ui
