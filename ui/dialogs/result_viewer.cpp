#include "ui/dialogs/result_viewer.h"

#include <QLabel>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QStringListModel>
#include <algorithm>

#include "ui/dialogs/result_file_reader.h"
#include "ui/dialogs/window_style.h"
#include "ui/main/design.h"

namespace zembra::ui {
ResultViewer::ResultViewer(ProgramState& state, QWidget* parent)
    : ModalWindow(parent, "計算結果の表示", Frame::Sizable, Icon::Program), state_(state) {
  resize(px(8790), px(5220));
  setBackground(this, colors::kGrey);

  // A view over a model, not a widget per line: a result file can hold a
  // million lines.
  list_ = named(new QListView(this), "List1");
  lines_ = new QStringListModel(list_);
  list_->setModel(lines_);
  list_->setUniformItemSizes(true);
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  place(list_, 0, 450, 8790, 4740);
  confirmButton_ = named(new QPushButton("確認", this), "Command1");
  confirmButton_->setAutoDefault(false);
  place(confirmButton_, 7740, 0, 975, 375);
  pathLabel_ = named(new QLabel(this), "Label1");
  pathLabel_->setTextFormat(Qt::PlainText);
  place(pathLabel_, 240, 60, 6105, 345);
  setColors(pathLabel_, colors::kGrey, 0x00FFFFFF);
  setTabOrder(confirmButton_, list_);
  confirmButton_->setFocus();  // first in the tab order
  connect(confirmButton_, &QPushButton::clicked, this, &QDialog::close);
  showResultFile();
}

QStringList ResultViewer::entries() const { return lines_->stringList(); }

void ResultViewer::showResultFile() {
  move(px(250), px(1000));
  lines_->setStringList({overLimitNotice()});
  listBottomMargin_ = static_cast<float>(toTwips(height()) - toTwips(list_->height()));
  if (state_.run.resultFilePath != kNoResultFile) {
    showFile(QString::fromStdString(state_.run.resultFilePath));
  }
}

void ResultViewer::showFile(const QString& path) {
  pathLabel_->setText(path);
  FileLines file = readShiftJisLines(path);
  if (!file.error.isEmpty()) {
    // Shown once the viewer is on screen, over it.
    const QString message = QString("ファイル「%1」を読めません。\n%2").arg(path, file.error);
    QMetaObject::invokeMethod(
        this, [this, message] { QMessageBox::warning(this, windowTitle(), message); },
        Qt::QueuedConnection);
    return;
  }
  if (!file.lines.isEmpty()) state_.lastViewedLine = file.lines.last().toStdString();
  file.lines.prepend(overLimitNotice());
  lines_->setStringList(file.lines);
}

void ResultViewer::resizeEvent(QResizeEvent* event) {
  ModalWindow::resizeEvent(event);
  fitListToWindow();
}

// The list fills the width and keeps the bottom margin it had at load; it
// never gets a negative height.
void ResultViewer::fitListToWindow() {
  list_->resize(width(),
                std::max(0, px(static_cast<int>(toTwips(height()) - listBottomMargin_))));
}

}  // namespace zembra::ui
