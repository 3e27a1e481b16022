#include "ui/main/form1.h"

#include <QCloseEvent>
#include <QIcon>
#include <algorithm>

#include "ui/main/fonts.h"
#include "ui/main/no_result_file.h"
#include "ui/main/twips.h"

namespace zembra::ui {
namespace {

QWidget* makeClientArea(QWidget* window) {
  auto* client = new QWidget(window);
  client->setObjectName(QStringLiteral("Form1Client"));
  client->setAutoFillBackground(true);
  QPalette colors = client->palette();
  colors.setColor(QPalette::Window, bgrColor(colors::kGreen));
  colors.setColor(QPalette::WindowText, windowTextColor());
  client->setPalette(colors);
  client->setFont(formFont());
  return client;
}

}  // namespace

Form1::Form1(GlobalState& state, QWidget* parent) : QMainWindow(parent), state_(state) {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(QStringLiteral("ππ   円周率の計算  目指せ？桁    zembra32 "));
  setWindowIcon(QIcon(QStringLiteral(":/icon.xpm")));
  QWidget* client = makeClientArea(this);
  setCentralWidget(client);
  controls_ = buildForm1Controls(client);
  menus_ = buildForm1Menus(menuBar());
  client->installEventFilter(this);
  resize(px(kClientWidth), px(kClientHeight) + menuBar()->sizeHint().height());
  Form_Load();
}

CaptionLabel* Form1::label(Label label) const {
  switch (label) {
    case Label::Label1: return controls_.Label1;
    case Label::Label2: return controls_.Label2;
    case Label::Label3: return controls_.Label3;
    case Label::Label11: return controls_.Label11;
    case Label::Label25: return controls_.Label25;
  }
  return controls_.Label1;
}

void Form1::Form_Load() {
  move(px(200), px(200));
  state_.ResultFilePath = kNoResultFile;
  state_.CounterStep = 1;
  controls_.Label14->setCaption(QString::number(state_.CounterStep));
  state_.MainListMargin =
      static_cast<float>(kClientHeight) - static_cast<float>(toTwips(controls_.List1->height()));
}

// A window lower than the margin leaves the list 0 high.
void Form1::Form_Resize() {
  const QWidget* client = clientArea();
  controls_.Picture1->resize(client->width(), controls_.Picture1->height());
  const float listHeight =
      static_cast<float>(toTwips(client->height())) - state_.MainListMargin;
  controls_.List1->resize(client->width(), std::max(0, px(static_cast<int>(listHeight))));
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
  if (watched == clientArea() && event->type() == QEvent::Resize) Form_Resize();
  return QMainWindow::eventFilter(watched, event);
}

void Form1::closeEvent(QCloseEvent* event) {
  event->accept();
  emit closed();
}

}  // namespace zembra::ui
