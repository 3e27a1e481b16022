#include "ui/main/launchers.h"

#include "ui/main/main_window.h"

namespace zembra::ui {

void Launchers::chooseOutputFile() {
  state_.resultFilePath = kNoResultFile;
  windows_.openFileSelection(QStringLiteral("結果の出力ファイル指定"));
  showResultFile();
}

void Launchers::chooseDisplayFile() {
  if (windows_.openFileSelection(QStringLiteral("結果の表示ファイル指定"))) showResultFile();
}

void Launchers::showResultFile() {
  window_.controls().resultFileLabel->setCaption(QString::fromStdString(state_.resultFilePath));
}

void Launchers::showCounterOptions() {
  windows_.openCounterOptions();
  window_.controls().counterStepLabel->setCaption(QString::number(state_.run.counterStep));
}

}  // namespace zembra::ui
