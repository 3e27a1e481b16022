#include "ui/dialogs/viewer/find_row.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

#include "ui/common/locale_number.h"
#include "ui/common/screen_readers.h"

namespace zembra::ui {

FindRow::FindRow(QWidget* parent) : QWidget(parent) {
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(4, 2, 4, 2);
  auto* label = new QLabel(QStringLiteral("検索する数字："), this);
  label->setObjectName("FindLabel");
  box_ = new QLineEdit(this);
  box_->setObjectName("FindText");
  box_->setAccessibleName(QStringLiteral("検索する数字"));
  label->setBuddy(box_);
  message_ = new QLabel(this);
  message_->setObjectName("FindMessage");
  message_->setTextFormat(Qt::PlainText);
  layout->addWidget(label);
  layout->addWidget(box_, 1);
  layout->addWidget(message_, 2);
  box_->installEventFilter(this);
  setAutoFillBackground(true);
  hide();
}

void FindRow::open() {
  show();
  box_->setFocus(Qt::ShortcutFocusReason);
  box_->selectAll();
}

// The box, which has the focus, tells screen readers the message as its
// description.
void FindRow::say(const QString& message) {
  message_->setText(message);
  box_->setAccessibleDescription(message);
  QAccessibleEvent changed(box_, QAccessible::DescriptionChanged);
  tellScreenReaders(changed);
}

QString FindRow::digits() const {
  QString digits;
  for (const QChar c : withAsciiDigits(box_->text())) {
    if (c == ' ' || c == QChar(0x3000)) continue;  // blanks, half-width or full-width
    if (c < '0' || c > '9') return {};
    digits += c;
  }
  return digits;
}

bool FindRow::eventFilter(QObject* watched, QEvent* event) {
  if (watched != box_ || event->type() != QEvent::KeyPress) return false;
  const int key = static_cast<QKeyEvent*>(event)->key();
  if (key == Qt::Key_Return || key == Qt::Key_Enter) {
    emit findNext();
    return true;
  }
  if (key == Qt::Key_Escape) {
    hide();
    emit closed();
    return true;
  }
  return false;
}

}  // namespace zembra::ui
