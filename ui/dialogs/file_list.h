#pragma once

#include <QListWidget>

namespace zembra::ui {

// The file list: the names of the plain files of a folder, hidden ones left
// out. `fileClicked` follows the user's choice of an entry, by mouse (also
// of the entry already chosen) or by the arrow keys; taking the focus chooses
// nothing.
class FileList : public QListWidget {
  Q_OBJECT

 public:
  explicit FileList(QWidget* parent);

  void setPath(const QString& folder);
  QString selectedName() const;

 signals:
  void fileClicked();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace zembra::ui
