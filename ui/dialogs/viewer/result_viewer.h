#pragma once

#include <QTimer>
#include <memory>

#include "ui/common/modal_window.h"
#include "ui/common/program_state.h"

class QLabel;
class QPushButton;

namespace zembra::ui {

class FileLineSource;
class LineIndex;
class LineListView;

// The result viewer: the notice line, then every line of the result file, as
// stored. A file of any size opens at once: its lines are counted in the
// background and read from the file only when they are shown. The list
// follows the window's size.
class ResultViewer : public ModalWindow {
  Q_OBJECT

 public:
  explicit ResultViewer(ProgramState& state, QWidget* parent = nullptr);
  ~ResultViewer() override;

  // Whether every line of the file has been counted (or there is no file).
  bool indexingDone() const;
  // Whether the list has taken in every counted line (or there is no file).
  bool allLinesShown() const;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void showResultFile();
  void showFile(const std::string& path);
  void showMoreLines();
  void fitListToWindow();

  ProgramState& state_;
  LineListView* list_ = nullptr;
  QPushButton* confirmButton_ = nullptr;
  QLabel* pathLabel_ = nullptr;
  std::unique_ptr<LineIndex> index_;
  std::unique_ptr<FileLineSource> lines_;
  QTimer growth_;  // shows the lines counted so far while the index grows
  // The window height the list leaves free, in twips, taken at the start.
  float listBottomMargin_ = 0;
};

}  // namespace zembra::ui
