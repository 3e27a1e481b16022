#pragma once

#include <memory>
#include <string>

#include "engine/result_file/result_file.h"
#include "engine/result_file/result_output.h"

namespace zembra {

// Classifies the result path and opens the output its target calls for (see
// ResultFile). Throws RunError (naming `path`) for refused targets and
// std::system_error for everything else that fails.
std::unique_ptr<ResultOutput> chooseResultOutput(const std::string& path,
                                                 const ResultFileOptions& options);

}  // namespace zembra
