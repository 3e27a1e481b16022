#pragma once

#include <QListWidget>

namespace zembra::ui {

// The file list: the names of the plain files of a folder, hidden ones left
// out. `fileClicked` follows the user's choice of an entry (mouse or keys).
class FileList : public QListWidget {
  Q_OBJECT

 public:
  explicit FileList(QWidget* parent);

  void setPath(const QString& folder);
  QString selectedName() const;

 signals:
  void fileClicked();
};

}  // namespace zembra::ui
