#include "ui/dialogs/file_list.h"

#include <QDir>
#include <QKeyEvent>

namespace zembra::ui {

FileList::FileList(QWidget* parent) : QListWidget(parent) {
  connect(this, &QListWidget::itemClicked, this, &FileList::fileClicked);
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

void FileList::keyPressEvent(QKeyEvent* event) {
  const int before = currentRow();
  QListWidget::keyPressEvent(event);
  if (currentRow() != before && currentRow() >= 0) emit fileClicked();
}

}  // namespace zembra::ui
