#include "ui/dialogs/file_selection/file_list.h"

#include <QKeyEvent>

#include "ui/dialogs/file_selection/folder_entries.h"

namespace zembra::ui {
namespace {

constexpr int kNameRole = Qt::UserRole;

}  // namespace

FileList::FileList(QWidget* parent) : QListWidget(parent) {
  connect(this, &QListWidget::itemClicked, this, &FileList::fileClicked);
}

void FileList::setPath(const QByteArray& folder) {
  const QSignalBlocker quiet(this);
  clear();
  QList<FolderEntry> files;
  try {
    files = readFolder(folder, EntryKind::Files);
  } catch (const Error&) {
    // The folder list has reported it already.
  }
  for (const FolderEntry& file : files) {
    auto* item = new QListWidgetItem(file.shown, this);
    item->setData(kNameRole, file.name);
  }
  setCurrentRow(-1);
}

QString FileList::selectedName() const {
  const QListWidgetItem* item = currentItem();
  return item ? item->text() : QString();
}

QByteArray FileList::selectedNameBytes() const {
  const QListWidgetItem* item = currentItem();
  return item ? item->data(kNameRole).toByteArray() : QByteArray();
}

void FileList::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  const bool choose = key == Qt::Key_Space || key == Qt::Key_Select || key == Qt::Key_Return ||
                      key == Qt::Key_Enter;
  // The first arrow key picks the entry framed, as the first choice.
  const bool firstStep =
      (key == Qt::Key_Down || key == Qt::Key_Up) && currentItem() && !currentItem()->isSelected();
  if ((choose || firstStep) && event->modifiers() == Qt::NoModifier && currentItem()) {
    currentItem()->setSelected(true);
    emit fileClicked();
    return;
  }
  const int before = currentRow();
  QListWidget::keyPressEvent(event);
  if (currentRow() != before && currentRow() >= 0) emit fileClicked();
}

}  // namespace zembra::ui
