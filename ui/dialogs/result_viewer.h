#pragma once

#include "ui/main/program_state.h"
#include "ui/dialogs/modal_window.h"

class QLabel;
class QListView;
class QPushButton;
class QStringListModel;

namespace zembra::ui {

// The result viewer: the notice line, then every line of the result file,
// as stored. The list follows the window's size.
class ResultViewer : public ModalWindow {
  Q_OBJECT

 public:
  explicit ResultViewer(ProgramState& state, QWidget* parent = nullptr);

  QStringList entries() const;  // what the list shows, first to last

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void showResultFile();
  void fitListToWindow();
  void showFile(const QString& path);

  ProgramState& state_;
  QListView* list_ = nullptr;
  QStringListModel* lines_ = nullptr;
  QPushButton* confirmButton_ = nullptr;
  QLabel* pathLabel_ = nullptr;
  // The window height the list leaves free, in twips, taken at the start.
  float listBottomMargin_ = 0;
};

}  // namespace zembra::ui
