#pragma once

#include <QDialog>

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
};

}  // namespace zembra::ui
