#include "ui/main/digit_entry.h"

#include "engine/compute_pi.h"
#include "engine/sizing.h"
#include "ui/main/list_notice.h"
#include "ui/main/locale_number.h"

namespace zembra::ui {

DigitEntry::DigitEntry(const Form1Controls& controls, QObject* parent)
    : QObject(parent), c_(controls) {
  connect(c_.HScroll1, &QScrollBar::valueChanged, this, &DigitEntry::HScroll1_Change);
  connect(c_.Text17, &QLineEdit::textChanged, this, &DigitEntry::Text17_Change);
}

// Disabling the scroll bar takes the keyboard focus from it; unlocking
// gives the focus back.
void DigitEntry::setLocked(bool locked) {
  if (locked) scrollBarHadFocus_ = c_.HScroll1->hasFocus();
  c_.Text17->setReadOnly(locked);
  c_.HScroll1->setEnabled(!locked);
  if (!locked && scrollBarHadFocus_) c_.HScroll1->setFocus();
}

void DigitEntry::HScroll1_Change() {
  c_.Text17->setText(QString::number(c_.HScroll1->value()) + QLatin1Char('0'));
}

// Each step reads the text afresh; a correction runs this handler again,
// nested, before the step after it.
void DigitEntry::Text17_Change() {
  if (!parseLocaleNumber(c_.Text17->text())) c_.Text17->setText(QStringLiteral("0"));

  const std::optional<double> count = parseLocaleNumber(c_.Text17->text());
  if (count && *count > kMaxDigits) {
    c_.Text17->setText(QString::number(static_cast<int>(kMaxDigits)));
  }

  const std::optional<double> shown = parseLocaleNumber(c_.Text17->text());
  c_.List1->clear();
  if (shown && *shown > kListDigitLimit) c_.List1->insertItem(0, overLimitNotice());
}

}  // namespace zembra::ui
