#include "ui/common/modal_window.h"

#include <QKeyEvent>
#include <QPixmap>

#include "ui/common/window_style.h"

namespace zembra::ui {
namespace {

// Return and Enter press a push button while it has the focus.
class KeyPushButton final : public QPushButton {
 public:
  KeyPushButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {
    setAutoDefault(false);
    setDefault(false);
  }

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
      click();
      return;
    }
    QPushButton::keyPressEvent(event);
  }
};

}  // namespace

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

QPushButton* ModalWindow::makeButton(const char* name, const QString& caption, int left, int top,
                                     int width, int height) {
  auto* button = new KeyPushButton(caption, this);
  button->setObjectName(QString::fromLatin1(name));
  place(button, left, top, width, height);
  return button;
}

QPushButton* ModalWindow::makeConfirmButton(int left, int top, int width, int height, bool closes) {
  QPushButton* button = makeButton("Command1", QStringLiteral("確認"), left, top, width, height);
  if (closes) connect(button, &QPushButton::clicked, this, &QDialog::close);
  return button;
}

}  // namespace zembra::ui
