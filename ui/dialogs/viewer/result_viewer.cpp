#include "ui/dialogs/viewer/result_viewer.h"

#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <algorithm>

#include "ui/common/design.h"
#include "ui/common/path_label.h"
#include "ui/common/window_style.h"
#include "ui/dialogs/file_selection/folder_entries.h"
#include "ui/dialogs/viewer/file_line_source.h"
#include "ui/dialogs/viewer/line_index.h"
#include "ui/dialogs/viewer/line_list_view.h"

namespace zembra::ui {
namespace {

constexpr int kGrowthIntervalMs = 100;

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
  showResultFile();
}

// The list lets go of its rows before they go.
ResultViewer::~ResultViewer() { list_->setSource(nullptr); }

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

// The list fills the width and keeps the bottom margin it had at load; it
// never gets a negative height.
void ResultViewer::fitListToWindow() {
  list_->resize(width(), std::max(0, px(static_cast<int>(toTwips(height()) - listBottomMargin_))));
}

}  // namespace zembra::ui
