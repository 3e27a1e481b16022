#pragma once

#include <QMessageBox>
#include <QString>
#include <QWidget>
#include <memory>
#include <string>

#include "engine/error.h"

namespace zembra::ui {

// Why a run failed: the program's own sentence in Japanese, the file, and the
// system's reason in the user's language where the system has it.
QString runFailureMessage(const Error& error);

// The message in a box with an OK button, not yet shown.
std::unique_ptr<QMessageBox> makeRunFailureBox(QWidget* parent, const Error& error);

// The same box, shown modally.
void showRunFailure(QWidget* parent, const Error& error);

// Says, in a box shown modally, that a run stopped while it overwrote the
// result file left a copy of the file's earlier content at `backup`.
void showLeftoverBackupNotice(QWidget* parent, const std::string& backup);

}  // namespace zembra::ui
