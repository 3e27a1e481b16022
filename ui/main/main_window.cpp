#include "ui/main/main_window.h"

#include <QCloseEvent>
#include <QIcon>
#include <algorithm>

#include "ui/common/design.h"
#include "ui/common/fonts.h"
#include "ui/common/program_state.h"

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

MainWindow::MainWindow(ProgramState& state, QWidget* parent) : QMainWindow(parent) {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(QStringLiteral("ππ   円周率の計算  目指せ？桁    zembra32 "));
  setWindowIcon(QIcon(QStringLiteral(":/icon.xpm")));
  QWidget* client = makeClientArea(this);
  setCentralWidget(client);
  controls_ = buildMainWindowControls(client);
  menus_ = buildMainMenus(menuBar());
  client->installEventFilter(this);
  resize(px(kClientWidth), px(kClientHeight) + menuBar()->sizeHint().height());
  setStartState(state);
}

// The window's place, the program state's start values, and the list's
// margin as designed.
void MainWindow::setStartState(ProgramState& state) {
  move(px(200), px(200));
  state.run.resultFilePath = kNoResultFile;
  state.run.counterStep = 1;
  controls_.counterStepLabel->setCaption(QString::number(state.run.counterStep));
  listBottomMargin_ = static_cast<float>(kClientHeight) -
                      static_cast<float>(toTwips(controls_.digitList->height()));
}

// The strip and the list fill the width; the list keeps its bottom margin,
// and a window lower than the margin leaves it 0 high.
void MainWindow::fitListToWindow() {
  const QWidget* client = clientArea();
  controls_.pictureStrip->resize(client->width(), controls_.pictureStrip->height());
  const float listHeight = static_cast<float>(toTwips(client->height())) - listBottomMargin_;
  controls_.digitList->resize(client->width(), std::max(0, px(static_cast<int>(listHeight))));
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == clientArea() && event->type() == QEvent::Resize) fitListToWindow();
  return QMainWindow::eventFilter(watched, event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  event->accept();
  emit closed();
}

}  // namespace zembra::ui
