#pragma once

#include <QMessageBox>
#include <QWidget>
#include <memory>
#include <string>

namespace zembra::ui {

// The question asked before a run replaces an existing file that is not a
// result file: はい replaces it, いいえ (also Esc, and the default) keeps it.
// The box is not yet shown.
std::unique_ptr<QMessageBox> makeReplaceQuestionBox(QWidget* parent, const std::string& path);

// Asks the question modally; true for はい.
bool askToReplaceFile(QWidget* parent, const std::string& path);

}  // namespace zembra::ui
