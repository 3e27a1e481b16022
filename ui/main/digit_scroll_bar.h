#pragma once

#include <QScrollBar>

namespace zembra::ui {

// HScroll1: the digit count in tens, 0 … 32764, 1 per arrow, 100 per page.
// Its value changes at once for arrow, page and key steps, and only at the
// end of a thumb drag; a click in the track always pages, whatever the
// desktop's own habit, and the Left and Right keys move the way the arrows
// point (Qt's horizontal scroll bar swaps them).
class DigitScrollBar final : public QScrollBar {
  Q_OBJECT

 public:
  explicit DigitScrollBar(QWidget* parent);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

QScrollBar* makeDigitScrollBar(QWidget* parent);

}  // namespace zembra::ui
