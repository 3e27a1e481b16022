#include "ui/dialogs/file_list.h"

#include <QDir>

namespace zembra::ui {

FileList::FileList(QWidget* parent) : QListWidget(parent) {
  connect(this, &QListWidget::currentRowChanged, this, [this](int row) {
    if (row >= 0) emit fileClicked();
  });
}

void FileList::setPath(const QString& folder) {
  const QSignalBlocker quiet(this);
  clear();
  addItems(QDir(folder).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase));
  setCurrentRow(-1);
}

QString FileList::selectedName() const {
  const QListWidgetItem* item = currentItem();
  return item ? item->text() : QString();
}

}  // namespace zembra::ui
