#pragma once

#include <QString>

namespace zembra::ui {

// The one line of a list whose digit count is too large to show.
inline QString overLimitNotice() {
  return QStringLiteral("４万５千桁を越えた為、画面表示はしません！");
}

}  // namespace zembra::ui
