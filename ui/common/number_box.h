#pragma once

#include <QString>
#include <functional>
#include <initializer_list>
#include <optional>

class QLineEdit;

namespace zembra::ui {

// One correction a number box makes to its text: the text becomes
// `replacement` when `applies` to its number (nullopt: not a number).
struct NumberCorrection {
  std::function<bool(std::optional<double> number)> applies;
  QString replacement;
};

// What a number box does at every change of its text, by the user or by
// code: its digits of any script become ASCII digits (withAsciiDigits), then
// each correction in turn reads the text afresh and may replace it. Each
// replacement runs the box's change handler again, nested. Returns false
// when the digits were made ASCII: the nested handler has done the rest.
bool correctNumberBox(QLineEdit& box, std::initializer_list<NumberCorrection> corrections);

}  // namespace zembra::ui
