#include "ui/dialogs/version_window.h"

#include <QLabel>
#include <QPushButton>
#include <algorithm>

#include "engine/version.h"
#include "ui/common/window_style.h"

namespace zembra::ui {
namespace {

QLabel* picture(QWidget* parent, const char* name, const char* resource, int left, int top) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  label->setPixmap(QPixmap(resource));
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  place(label, left, top, 510, 510);
  QPalette palette = label->palette();
  palette.setColor(QPalette::Window, windowBackgroundColor());
  label->setPalette(palette);
  label->setAutoFillBackground(true);
  return label;
}

// A one-line label at its designed place, in the default font; a text larger
// than its place still shows whole.
void text(QWidget* parent, const char* name, const QString& caption, int left, int top, int width,
          int height) {
  auto* label = new QLabel(caption, parent);
  label->setObjectName(name);
  place(label, left, top, width, height);
  const QSize fit = label->sizeHint();
  label->resize(std::max(label->width(), fit.width()), std::max(label->height(), fit.height()));
}

}  // namespace

const char* VersionWindow::homePage() { return "https://zembra32.example/"; }

VersionWindow::VersionWindow(QWidget* parent)
    : ModalWindow(parent, "ZEMBRAバージョン情報", Frame::Fixed, Icon::None) {
  setFixedSize(px(3360), px(2295));
  setBackground(this, colors::kLightGrey);
  text(this, "Label1",
       QStringLiteral("ZEMBRA32 バージョン V%1.%2").arg(kVersionMajor).arg(kVersionMinor), 735, 120,
       1965, 180);
  text(this, "Label2", "円周率の計算", 855, 450, 1440, 270);
  text(this, "Label3", homePage(), 765, 1305, 2250, 180);
  makeConfirmButton(2340, 1800, 885, 375);
  picture(this, "Picture1", ":/product_tile.xpm", 45, 45);
  picture(this, "Picture2", ":/icon.xpm", 90, 1080);
  move(px(2000), px(1000));
}

}  // namespace zembra::ui
