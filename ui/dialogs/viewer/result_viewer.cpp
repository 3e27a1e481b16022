#include "ui/dialogs/viewer/result_viewer.h"

#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QShortcut>
#include <algorithm>

#include "ui/common/design.h"
#include "ui/common/path_label.h"
#include "ui/common/window_style.h"
#include "ui/dialogs/file_selection/folder_entries.h"
#include "ui/dialogs/viewer/file_digit_search.h"
#include "ui/dialogs/viewer/file_line_source.h"
#include "ui/dialogs/viewer/find_row.h"
#include "ui/dialogs/viewer/line_index.h"
#include "ui/dialogs/viewer/line_list_view.h"

namespace zembra::ui {
namespace {

constexpr int kGrowthIntervalMs = 100;
constexpr int kSearchWatchMs = 50;

}  // namespace

ResultViewer::ResultViewer(ProgramState& state, QWidget* parent)
    : ModalWindow(parent, "計算結果の表示", Frame::Sizable, Icon::Program), state_(state) {
  resize(px(8790), px(5220));
  setBackground(this, colors::kGrey);
  list_ = named(new LineListView(this), "List1");
  list_->setAccessibleName(QStringLiteral("ファイルの内容"));
  place(list_, 0, 450, 8790, 4740);
  confirmButton_ = makeConfirmButton(7740, 0, 975, 375);
  pathLabel_ = named(new QLabel(this), "Label1");
  pathLabel_->setTextFormat(Qt::PlainText);
  place(pathLabel_, 240, 60, 6105, 345);
  setColors(pathLabel_, colors::kGrey, 0x00FFFFFF);
  setTabOrder(confirmButton_, list_);
  confirmButton_->setFocus();  // first in the tab order
  growth_.setInterval(kGrowthIntervalMs);
  connect(&growth_, &QTimer::timeout, this, &ResultViewer::showMoreLines);
  findRow_ = new FindRow(this);
  connect(findRow_, &FindRow::findNext, this, [this] { find(true); });
  connect(findRow_, &FindRow::closed, this, &ResultViewer::closeFindRow);
  connect(new QShortcut(QKeySequence::Find, this), &QShortcut::activated, this,
          &ResultViewer::openFindRow);
  connect(new QShortcut(Qt::Key_F3, this), &QShortcut::activated, this, [this] { find(true); });
  connect(new QShortcut(Qt::SHIFT | Qt::Key_F3, this), &QShortcut::activated, this,
          [this] { find(false); });
  searchWatch_.setInterval(kSearchWatchMs);
  connect(&searchWatch_, &QTimer::timeout, this, &ResultViewer::showSearchState);
  showResultFile();
}

// The search and the list let go of the index and the rows before they go.
ResultViewer::~ResultViewer() {
  search_.reset();
  list_->setSource(nullptr);
}

bool ResultViewer::indexingDone() const { return !index_ || index_->done(); }

bool ResultViewer::allLinesShown() const { return !index_ || !growth_.isActive(); }

void ResultViewer::showResultFile() {
  move(px(250), px(1000));
  listBottomMargin_ = static_cast<float>(toTwips(height()) - toTwips(list_->height()));
  lines_ = std::make_unique<FileLineSource>(nullptr, QStringList{overLimitNotice()});
  if (state_.resultFilePath != kNoResultFile) showFile(state_.resultFilePath);
  list_->setSource(lines_.get());
}

void ResultViewer::showFile(const std::string& path) {
  path_ = path;
  const QString shownPath = shownName(QByteArray::fromStdString(path));
  showPath(pathLabel_, shownPath);
  index_ = std::make_unique<LineIndex>(path);
  if (const std::optional<Error> error = index_->openError()) {  // a copy: the index goes
    index_.reset();
    // Shown once the viewer is on screen, over it.
    const QString message = QStringLiteral("ファイル「%1」を読めません。\n%2")
                                .arg(breakablePath(shownPath), indexErrorText(*error));
    QMetaObject::invokeMethod(
        this, [this, message] { QMessageBox::warning(this, windowTitle(), message); },
        Qt::QueuedConnection);
    return;
  }
  lines_ = std::make_unique<FileLineSource>(index_.get(), QStringList{overLimitNotice()});
  growth_.start();
}

// Takes in the lines counted since the last look; once all are, the last
// line becomes the one the viewer read last.
void ResultViewer::showMoreLines() {
  const bool done = index_->done();  // before the refresh, so no line is missed
  list_->refresh();
  if (!done) return;
  growth_.stop();
  if (index_->lineCount() > 0) {
    state_.lastViewedLine = lines_->fileLine(index_->lineCount() - 1).toStdString();
  }
}

void ResultViewer::resizeEvent(QResizeEvent* event) {
  ModalWindow::resizeEvent(event);
  fitListToWindow();
}

// The list fills the width and keeps the bottom margin it had at load, less
// the find row's height while that is open, which sits right under it; it
// never gets a negative height.
void ResultViewer::fitListToWindow() {
  const int row = findRow_->isVisible() ? findRow_->sizeHint().height() : 0;
  const int listHeight = px(static_cast<int>(toTwips(height()) - listBottomMargin_)) - row;
  list_->resize(width(), std::max(0, listHeight));
  findRow_->setGeometry(0, list_->geometry().bottom() + 1, width(), row);
}

void ResultViewer::openFindRow() {
  findRow_->open();
  fitListToWindow();
}

void ResultViewer::closeFindRow() {
  search_.reset();
  searchWatch_.stop();
  lines_->setMarks({});
  findRow_->say({});
  fitListToWindow();
  list_->viewport()->update();
  list_->setFocus();
}

// From the occurrence shown on, as long as the digits stay the same. F3 on
// a closed row opens it, and looks for what it still holds.
void ResultViewer::find(bool forward) {
  const QString digits = findRow_->digits();
  if (!findRow_->isVisible()) {
    openFindRow();
    if (digits.isEmpty()) return;
  }
  if (digits.isEmpty()) return findRow_->say(QStringLiteral("数字を入力してください"));
  if (!index_) return findRow_->say(QStringLiteral("見つかりません"));  // a file refused
  if (digits != soughtDigits_) shownOffset_ = -1;
  soughtDigits_ = digits;
  search_.reset();  // a new search replaces the one running
  search_ = std::make_unique<FileDigitSearch>(
      path_, *index_, digits.toStdString(),
      forward ? FileDigitSearch::Direction::Next : FileDigitSearch::Direction::Previous,
      shownOffset_);
  foundShown_ = false;
  findRow_->say(QStringLiteral("検索しています…"));
  searchWatch_.start();
}

// The occurrence as soon as it is known, its count once all are counted.
void ResultViewer::showSearchState() {
  const FileDigitSearch::State state = search_->state();
  if (state.done) searchWatch_.stop();
  if (state.error) {
    return findRow_->say(
        QStringLiteral("ファイルを読めません：%1").arg(indexErrorText(*state.error)));
  }
  if (!state.found) {
    if (state.done) {
      lines_->setMarks({});
      list_->viewport()->update();
      findRow_->say(QStringLiteral("見つかりません"));
    }
    return;
  }
  const FileDigitSearch::Found& found = *state.found;
  if (!foundShown_) {
    foundShown_ = true;
    shownOffset_ = found.offset;
    lines_->setMarks(found.marks);
    list_->refresh();
    if (found.line >= 0) list_->setCurrentRow(static_cast<int>(lines_->rowOfLine(found.line)));
    list_->viewport()->update();
  }
  const QString where = state.plainText ? QStringLiteral("%1 行目").arg(found.place)
                                        : QStringLiteral("小数第 %1 位から").arg(found.place);
  const QString count = state.count ? QStringLiteral("（全 %1 か所）").arg(*state.count)
                                    : QStringLiteral("（数えています…）");
  findRow_->say(where + count);
}

}  // namespace zembra::ui
