#include "ui/common/design.h"

#include <QApplication>
#include <QPalette>

namespace zembra::ui {

QColor windowTextColor() { return QApplication::palette().color(QPalette::Text); }

QColor windowBackgroundColor() { return QApplication::palette().color(QPalette::Base); }

QString breakablePath(const QString& path) {
  return QString(path).replace(u'/', QStringLiteral("/\u200B"));  // a zero-width space
}

QString overLimitNotice() { return QStringLiteral("４万５千桁を越えた為、画面表示はしません！"); }

}  // namespace zembra::ui
