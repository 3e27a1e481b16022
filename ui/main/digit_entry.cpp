#include "ui/main/digit_entry.h"

#include "engine/sizing.h"
#include "ui/main/design.h"
#include "ui/main/locale_number.h"

namespace zembra::ui {

DigitEntry::DigitEntry(const MainWindowControls& controls, QObject* parent)
    : QObject(parent), c_(controls) {
  connect(c_.digitCountScrollBar, &QScrollBar::valueChanged, this, &DigitEntry::onScrollBarMoved);
  connect(c_.digitCountEdit, &QLineEdit::textChanged, this, &DigitEntry::onDigitCountEdited);
}

// Disabling the scroll bar takes the keyboard focus from it; unlocking
// gives the focus back.
void DigitEntry::setLocked(bool locked) {
  if (locked) scrollBarHadFocus_ = c_.digitCountScrollBar->hasFocus();
  c_.digitCountEdit->setReadOnly(locked);
  c_.digitCountScrollBar->setEnabled(!locked);
  if (!locked && scrollBarHadFocus_) c_.digitCountScrollBar->setFocus();
}

void DigitEntry::onScrollBarMoved() {
  c_.digitCountEdit->setText(QString::number(c_.digitCountScrollBar->value()) + QLatin1Char('0'));
}

// Each step reads the text afresh; a correction runs this handler again,
// nested, before the step after it.
void DigitEntry::onDigitCountEdited() {
  if (!parseLocaleNumber(c_.digitCountEdit->text())) c_.digitCountEdit->setText(QStringLiteral("0"));

  const std::optional<double> count = parseLocaleNumber(c_.digitCountEdit->text());
  if (count && *count > kMaxDigits) {
    c_.digitCountEdit->setText(QString::number(static_cast<int>(kMaxDigits)));
  }

  const std::optional<double> shown = parseLocaleNumber(c_.digitCountEdit->text());
  c_.digitList->clear();
  if (shown && *shown > kListDigitLimit) c_.digitList->insertItem(0, overLimitNotice());
}

}  // namespace zembra::ui
