#include "ui/dialogs/form6_result_viewer.h"

#include <QLabel>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QStringListModel>
#include <algorithm>

#include "ui/dialogs/result_file_reader.h"
#include "ui/dialogs/window_style.h"
#include "ui/main/list_notice.h"

namespace zembra::ui {
Form6::Form6(GlobalState& state, QWidget* parent)
    : ModalWindow(parent, "計算結果の表示", Frame::Sizable, Icon::Program), state_(state) {
  resize(px(8790), px(5220));
  setBackground(this, colors::kGrey);

  // A view over a model, not a widget per line: a result file can hold a
  // million lines.
  List1 = named(new QListView(this), "List1");
  lines_ = new QStringListModel(List1);
  List1->setModel(lines_);
  List1->setUniformItemSizes(true);
  List1->setEditTriggers(QAbstractItemView::NoEditTriggers);
  place(List1, 0, 450, 8790, 4740);
  Command1 = named(new QPushButton("確認", this), "Command1");
  Command1->setAutoDefault(false);
  place(Command1, 7740, 0, 975, 375);
  Label1 = named(new QLabel(this), "Label1");
  Label1->setTextFormat(Qt::PlainText);
  place(Label1, 240, 60, 6105, 345);
  setColors(Label1, colors::kGrey, 0x00FFFFFF);
  setTabOrder(Command1, List1);
  connect(Command1, &QPushButton::clicked, this, &QDialog::close);
  Form_Load();
}

QStringList Form6::entries() const { return lines_->stringList(); }

void Form6::Form_Load() {
  move(px(250), px(1000));
  lines_->setStringList({overLimitNotice()});
  state_.ViewerListMargin = static_cast<float>(toTwips(height()) - toTwips(List1->height()));
  if (state_.ResultFilePath != " ") showFile(QString::fromStdString(state_.ResultFilePath));
}

void Form6::showFile(const QString& path) {
  Label1->setText(path);
  FileLines file = readShiftJisLines(path);
  if (!file.error.isEmpty()) {
    // Shown once the viewer is on screen, over it.
    const QString message = QString("ファイル「%1」を読めません。\n%2").arg(path, file.error);
    QMetaObject::invokeMethod(
        this, [this, message] { QMessageBox::warning(this, windowTitle(), message); },
        Qt::QueuedConnection);
    return;
  }
  if (!file.lines.isEmpty()) state_.LineBuffer = file.lines.last().toStdString();
  file.lines.prepend(overLimitNotice());
  lines_->setStringList(file.lines);
}

void Form6::resizeEvent(QResizeEvent* event) {
  ModalWindow::resizeEvent(event);
  Form_Resize();
}

// The list fills the width and keeps the bottom margin it had at load; it
// never gets a negative height.
void Form6::Form_Resize() {
  List1->resize(width(),
                std::max(0, px(static_cast<int>(toTwips(height()) - state_.ViewerListMargin))));
}

}  // namespace zembra::ui
