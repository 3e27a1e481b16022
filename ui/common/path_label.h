#pragma once

#include <QLabel>
#include <QString>

namespace zembra::ui {

// Shows `path` in `label`: whole where it fits; else shortened in the middle
// of its folders ("/home/user/…/results/pi.txt"), the file name kept whole
// where it fits alone. The tooltip, and what screen readers hear, is the
// whole path.
void showPath(QLabel* label, const QString& path);

}  // namespace zembra::ui
