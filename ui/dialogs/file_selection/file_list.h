#pragma once

#include <QListWidget>

namespace zembra::ui {

// The file list: the names of the plain files of a folder, hidden ones left
// out. `fileClicked` follows the user's choice of an entry, by mouse (also
// of the entry already chosen), by the arrow keys (the first of which picks
// the entry framed), or by Space or Enter on the entry framed; taking the
// focus by the keyboard frames the first entry (Qt's list does that) and
// chooses nothing. Names are kept as the bytes the folder holds (see
// folder_entries.h).
class FileList : public QListWidget {
  Q_OBJECT

 public:
  explicit FileList(QWidget* parent);

  // Lists `folder`; an unreadable folder leaves the list empty.
  void setPath(const QByteArray& folder);
  QString selectedName() const;          // as shown
  QByteArray selectedNameBytes() const;  // as stored

 signals:
  void fileClicked();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace zembra::ui
