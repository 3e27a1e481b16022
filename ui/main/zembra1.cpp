#include "ui/main/zembra1.h"

#include "ui/main/no_result_file.h"

namespace zembra::ui {

Zembra1::Zembra1(GlobalState& state, Form1& form, DialogHost& dialogs)
    : state_(state), form_(form), dialogs_(dialogs) {}

void Zembra1::ChooseOutputFile() {
  state_.ResultFilePath = kNoResultFile;
  dialogs_.showFileSelection(QStringLiteral("結果の出力ファイル指定"));
  form_.controls().Label1->setCaption(QString::fromStdString(state_.ResultFilePath));
}

void Zembra1::ChooseDisplayFile() {
  dialogs_.showFileSelection(QStringLiteral("結果の表示ファイル指定"));
}

void Zembra1::ShowResultViewer() { dialogs_.showResultViewer(); }

void Zembra1::ShowCounterOptions() {
  dialogs_.showCounterOptions();
  form_.controls().Label14->setCaption(QString::number(state_.CounterStep));
}

void Zembra1::ShowHelp() { dialogs_.showHelp(); }

void Zembra1::ShowVersion() { dialogs_.showVersion(); }

}  // namespace zembra::ui
