#pragma once

#include <string>

namespace zembra::ui {

// ResultFilePath when no result file is chosen: one blank.
inline const std::string kNoResultFile(" ");

}  // namespace zembra::ui
