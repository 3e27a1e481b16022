#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;

namespace zembra::ui {

// The result viewer's find row: a box for the digits to find and a line that
// says what was found. Enter looks for the next occurrence (the viewer adds
// F3 and Shift+F3); Esc closes the row, which the viewer's own Esc handling
// would swallow, and the viewer gives the focus back to its list.
class FindRow : public QWidget {
  Q_OBJECT

 public:
  explicit FindRow(QWidget* parent);

  // Shows the row with the box focused and its text selected.
  void open();
  // Shows `message` beside the box and tells it to screen readers.
  void say(const QString& message);
  // The box's digits in ASCII, blanks dropped (half-width or full-width
  // alike); "" when it holds anything but digits and blanks, or nothing.
  QString digits() const;

 signals:
  void findNext();
  void closed();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QLineEdit* box_;
  QLabel* message_;
};

}  // namespace zembra::ui
