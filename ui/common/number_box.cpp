#include "ui/common/number_box.h"

#include <QLineEdit>

#include "ui/common/locale_number.h"

namespace zembra::ui {

bool correctNumberBox(QLineEdit& box, std::initializer_list<NumberCorrection> corrections) {
  const QString ascii = withAsciiDigits(box.text());
  if (ascii != box.text()) {
    box.setText(ascii);
    return false;
  }
  for (const NumberCorrection& correction : corrections) {
    if (correction.applies(parseLocaleNumber(box.text()))) box.setText(correction.replacement);
  }
  return true;
}

}  // namespace zembra::ui
