#include <QApplication>
#include <QPalette>

#include "ui/main/twips.h"

namespace zembra::ui {

QColor windowTextColor() { return QApplication::palette().color(QPalette::Text); }

QColor windowBackgroundColor() { return QApplication::palette().color(QPalette::Base); }

}  // namespace zembra::ui
