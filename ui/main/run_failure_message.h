#pragma once

#include <QString>
#include <QWidget>

#include "engine/run_error.h"

namespace zembra::ui {

// Why a run failed, in Japanese, with the file and the system's reason.
QString runFailureMessage(const RunError& error);

// The message in a modal box with an OK button.
void showRunFailure(QWidget* parent, const RunError& error);

}  // namespace zembra::ui
