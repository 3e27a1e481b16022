#include "ui/main/launchers.h"

#include "ui/main/main_window.h"

namespace zembra::ui {

void Launchers::chooseOutputFile() {
  state_.run.resultFilePath = kNoResultFile;
  openFileSelection(QStringLiteral("結果の出力ファイル指定"));
  showResultFile();
}

void Launchers::chooseDisplayFile() {
  if (openFileSelection(QStringLiteral("結果の表示ファイル指定"))) showResultFile();
}

void Launchers::showResultFile() {
  mainWindow_->controls().resultFileLabel->setCaption(
      QString::fromStdString(state_.run.resultFilePath));
}

void Launchers::showResultViewer() { openResultViewer(); }

void Launchers::showCounterOptions() {
  openCounterOptions();
  mainWindow_->controls().counterStepLabel->setCaption(QString::number(state_.run.counterStep));
}

void Launchers::showHelp() { openHelp(); }

void Launchers::showVersion() { openVersion(); }

}  // namespace zembra::ui
