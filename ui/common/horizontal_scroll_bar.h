#pragma once

#include <QScrollBar>

namespace zembra::ui {

// A horizontal scroll bar that behaves the same on every desktop: its value
// changes at once for arrow, page and key steps and only at the end of a
// thumb drag; a click in the track always pages, whatever the desktop's own
// habit; and the Left and Right keys move the way the arrows point (Qt's
// horizontal scroll bar swaps them).
class HorizontalScrollBar : public QScrollBar {
  Q_OBJECT

 public:
  HorizontalScrollBar(int maximum, int arrowStep, int pageStep, QWidget* parent);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  // The focus frame while it has the focus; greyed while disabled.
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace zembra::ui
