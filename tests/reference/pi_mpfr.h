#pragma once

// Decimals of pi from MPFR, used as the ground truth for every digit test.

#include <cstddef>
#include <string>

namespace zembra::reference {

// The first `count` decimals of pi after "3.", truncated (never rounded).
std::string piDecimals(std::size_t count);

}  // namespace zembra::reference
