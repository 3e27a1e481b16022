#pragma once

#include <QString>
#include <QStringList>
#include <functional>

#include "ui/main/dialog_host.h"

namespace zembra::ui::test {

// Secondary windows that record each opening and act on the global state
// the way the real window would, as the test says.
class FakeDialogs final : public DialogHost {
 public:
  QStringList openings;  // "Form2 <title>", "Form3", "Form4", "Form5", "Form6"
  std::function<void(const QString& title)> onFileSelection;
  std::function<void()> onCounterOptions;
  std::function<void()> onResultViewer;

  void showFileSelection(const QString& title) override {
    openings << QStringLiteral("Form2 ") + title;
    if (onFileSelection) onFileSelection(title);
  }
  void showVersion() override { openings << QStringLiteral("Form3"); }
  void showCounterOptions() override {
    openings << QStringLiteral("Form4");
    if (onCounterOptions) onCounterOptions();
  }
  void showHelp() override { openings << QStringLiteral("Form5"); }
  void showResultViewer() override {
    openings << QStringLiteral("Form6");
    if (onResultViewer) onResultViewer();
  }
};

}  // namespace zembra::ui::test
