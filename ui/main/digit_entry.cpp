#include "ui/main/digit_entry.h"

#include "engine/digits/sizing.h"
#include "ui/common/design.h"
#include "ui/common/locale_number.h"

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

// Each step reads the text afresh; a correction runs this handler again,
// nested, before the step after it.
void DigitEntry::onDigitCountEdited() {
  // Digits of any script count as the digits they are, shown in ASCII.
  const QString halfWidth = withAsciiDigits(c_.digitCountEdit->text());
  if (halfWidth != c_.digitCountEdit->text()) {
    c_.digitCountEdit->setText(halfWidth);
    return;  // the nested change has done the rest
  }
  if (!parseLocaleNumber(c_.digitCountEdit->text()))
    c_.digitCountEdit->setText(QStringLiteral("0"));

  const std::optional<double> count = parseLocaleNumber(c_.digitCountEdit->text());
  if (count && *count > kMaxDigits) {
    c_.digitCountEdit->setText(QString::number(static_cast<int>(kMaxDigits)));
  }

  const std::optional<double> shown = parseLocaleNumber(c_.digitCountEdit->text());
  c_.digitList->clear();
  if (shown && *shown > kListDigitLimit) c_.digitList->insertItem(0, overLimitNotice());
}

}  // namespace zembra::ui
