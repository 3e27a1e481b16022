#include "ui/main/digit_entry.h"

#include "engine/digits/sizing.h"
#include "ui/common/design.h"
#include "ui/common/locale_number.h"
#include "ui/common/number_box.h"

namespace zembra::ui {

DigitEntry::DigitEntry(const MainWindowControls& controls, QObject* parent)
    : QObject(parent), c_(controls) {
  connect(c_.digitCountScrollBar, &QScrollBar::valueChanged, this, &DigitEntry::onScrollBarMoved);
  connect(c_.digitCountEdit, &QLineEdit::textChanged, this, &DigitEntry::onDigitCountEdited);
}

// Both controls look disabled for the run; the one that had the keyboard
// focus gets it back afterwards.
void DigitEntry::setLocked(bool locked) {
  if (locked) {
    focusBeforeLock_ = nullptr;
    for (QWidget* control :
         std::initializer_list<QWidget*>{c_.digitCountEdit, c_.digitCountScrollBar}) {
      if (control->hasFocus()) focusBeforeLock_ = control;
    }
  }
  c_.digitCountEdit->setEnabled(!locked);
  c_.digitCountScrollBar->setEnabled(!locked);
  if (!locked && focusBeforeLock_) focusBeforeLock_->setFocus();
}

void DigitEntry::onScrollBarMoved() {
  c_.digitCountEdit->setText(QString::number(c_.digitCountScrollBar->value()) + QLatin1Char('0'));
}

// Anything but a number becomes 0, and a count above the largest the largest;
// each correction runs this handler again, nested, before the step after it.
void DigitEntry::onDigitCountEdited() {
  const bool done =
      correctNumberBox(*c_.digitCountEdit,
                       {{[](std::optional<double> count) { return !count; }, QStringLiteral("0")},
                        {[](std::optional<double> count) { return count && *count > kMaxDigits; },
                         QString::number(static_cast<int>(kMaxDigits))}});
  if (!done) return;
  const std::optional<double> shown = parseLocaleNumber(c_.digitCountEdit->text());
  c_.digitList->clear();
  if (shown && *shown > kListDigitLimit) c_.digitList->insertItem(0, overLimitNotice());
}

}  // namespace zembra::ui
