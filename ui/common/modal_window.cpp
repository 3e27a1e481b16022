#include "ui/common/modal_window.h"

#include <QKeyEvent>
#include <QPixmap>

namespace zembra::ui {

ModalWindow::ModalWindow(QWidget* parent, const QString& title, Frame frame, Icon icon)
    : QDialog(parent) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(title);
  if (frame == Frame::Fixed) {
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
  } else {
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::WindowMinMaxButtonsHint);
  }
  if (icon == Icon::None) {
    // An empty icon would fall back to the main window's: use a clear one.
    QPixmap clear(16, 16);
    clear.fill(Qt::transparent);
    setWindowIcon(QIcon(clear));
  }
}

void ModalWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) return;
  QDialog::keyPressEvent(event);
}

}  // namespace zembra::ui
