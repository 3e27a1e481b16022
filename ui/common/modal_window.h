#pragma once

#include <QDialog>
#include <QPushButton>

namespace zembra::ui {

// What the secondary windows share: built for one showing (deleted when it
// closes), a fixed or sizable frame, and no cancel key — Esc closes none of
// them, as none has a cancel button.
class ModalWindow : public QDialog {
  Q_OBJECT

 public:
  enum class Frame { Fixed, Sizable };
  enum class Icon { Program, None };

  ModalWindow(QWidget* parent, const QString& title, Frame frame, Icon icon);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

  // A push button of this window ("確認" and the others), named and placed as
  // designed (twips). It is no default button: Enter pressed elsewhere (in a
  // name box, a list) does not press it; Space, Return and Enter press it
  // while it has the focus, as a focused button does on every desktop.
  QPushButton* makeButton(const char* name, const QString& caption, int left, int top, int width,
                          int height);
  // The window's "確認", named Command1; it closes the window when clicked,
  // unless `closes` is false (the window then connects its own action).
  QPushButton* makeConfirmButton(int left, int top, int width, int height, bool closes = true);
};

}  // namespace zembra::ui
