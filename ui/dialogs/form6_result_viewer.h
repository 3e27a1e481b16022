#pragma once

#include "engine/window.h"
#include "ui/dialogs/modal_window.h"

class QLabel;
class QListView;
class QPushButton;
class QStringListModel;

namespace zembra::ui {

// The result viewer: the notice line, then every line of the file named by
// ResultFilePath, as stored. The list follows the window's size.
class Form6 : public ModalWindow {
  Q_OBJECT

 public:
  explicit Form6(GlobalState& state, QWidget* parent = nullptr);

  QStringList entries() const;  // what the list shows, first to last

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Form_Load();
  void Form_Resize();
  void showFile(const QString& path);

  GlobalState& state_;
  QListView* List1 = nullptr;
  QStringListModel* lines_ = nullptr;
  QPushButton* Command1 = nullptr;
  QLabel* Label1 = nullptr;
};

}  // namespace zembra::ui
