#pragma once

#include <QTimer>
#include <memory>

#include "ui/common/modal_window.h"
#include "ui/common/program_state.h"

class QLabel;
class QPushButton;

namespace zembra::ui {

class FileDigitSearch;
class FileLineSource;
class FindRow;
class LineIndex;
class LineListView;

// The result viewer: the notice line, then every line of the result file, as
// stored. A file of any size opens at once: its lines are counted in the
// background and read from the file only when they are shown. The list
// follows the window's size.
//
// Ctrl+F opens a find row under the list, which takes its height from the
// list: digits typed there are looked for in π's decimals (or, in a file
// that is not a result file, in its lines) with Enter or F3, backwards with
// Shift+F3, going round the end. The row holding the start becomes current,
// the digits found are marked, and the row says the decimal place (or line)
// and how many there are, once they are counted. The search runs beside the
// window; a new one replaces the one running.
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
  void openFindRow();
  void closeFindRow();
  void find(bool forward);
  void showSearchState();

  ProgramState& state_;
  LineListView* list_ = nullptr;
  QPushButton* confirmButton_ = nullptr;
  QLabel* pathLabel_ = nullptr;
  std::unique_ptr<LineIndex> index_;
  std::unique_ptr<FileLineSource> lines_;
  QTimer growth_;     // shows the lines counted so far while the index grows
  std::string path_;  // the file shown
  FindRow* findRow_ = nullptr;
  std::unique_ptr<FileDigitSearch> search_;
  QTimer searchWatch_;          // shows what the search has found so far
  bool foundShown_ = false;     // the search's find is in the list already
  QString soughtDigits_;        // of the search last started
  long long shownOffset_ = -1;  // of the occurrence shown; -1 for none
  // The window height the list leaves free, in twips, taken at the start.
  float listBottomMargin_ = 0;
};

}  // namespace zembra::ui
