#pragma once

#include <QObject>

#include "ui/main/form1_controls.h"

namespace zembra::ui {

// The digit count: HScroll1 writes ten times its value into Text17, and
// every change of Text17, by the user or by code, is checked at once and
// clears List1 (leaving the notice there above 45,000 digits).
class DigitEntry final : public QObject {
  Q_OBJECT

 public:
  explicit DigitEntry(const Form1Controls& controls, QObject* parent = nullptr);

  // While a run goes on the count stays as it is: Text17 read-only and
  // HScroll1 disabled.
  void setLocked(bool locked);

 private:
  void HScroll1_Change();
  void Text17_Change();

  const Form1Controls& c_;
  bool scrollBarHadFocus_ = false;
};

}  // namespace zembra::ui
