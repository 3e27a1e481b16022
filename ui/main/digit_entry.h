#pragma once

#include <QObject>

#include "ui/main/main_window.h"

namespace zembra::ui {

// The digit count: the scroll bar writes ten times its value into the digit
// box, and every change of the box, by the user or by code, is checked at
// once and clears the list (leaving the notice there above 45,000 digits).
class DigitEntry final : public QObject {
  Q_OBJECT

 public:
  explicit DigitEntry(const MainWindowControls& controls, QObject* parent = nullptr);

  // While a run goes on the count stays as it is: the box and the scroll bar
  // are disabled, and look it.
  void setLocked(bool locked);

 private:
  void onScrollBarMoved();
  void onDigitCountEdited();

  const MainWindowControls& c_;
  QWidget* focusBeforeLock_ = nullptr;
};

}  // namespace zembra::ui
