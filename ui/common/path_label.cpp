#include "ui/common/path_label.h"

#include <QFontMetrics>

namespace zembra::ui {

void showPath(QLabel* label, const QString& path) {
  const QFontMetrics metrics = label->fontMetrics();
  const int width = label->contentsRect().width();
  QString shown = path;
  if (metrics.horizontalAdvance(path) > width) {
    const qsizetype slash = path.lastIndexOf(u'/');
    const QString name = path.mid(slash + 1);
    const int room = width - metrics.horizontalAdvance(name);
    shown = slash > 0 && room > metrics.horizontalAdvance(QStringLiteral("/…/"))
                ? metrics.elidedText(path.left(slash + 1), Qt::ElideMiddle, room) + name
                : metrics.elidedText(path, Qt::ElideMiddle, width);
  }
  label->setText(shown);
  label->setToolTip(shown == path ? QString() : path);
  label->setAccessibleName(path);
}

}  // namespace zembra::ui
