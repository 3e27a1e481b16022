#pragma once

// The compiled variants of the block kernel and their shapes. More registers
// mean more independent division chains in flight; the counts are the
// fastest measured (zembra32-cli 327640), a few spills included.
#include "engine/digits/kernel/kernel.h"

namespace zembra::kernel {

// Doubles per register and registers per block for each instruction set.
inline constexpr int kPortableWidth = 2, kPortableRegisters = 8;
inline constexpr int kAvx2Width = 4, kAvx2Registers = 6;
inline constexpr int kAvx512Width = 8, kAvx512Registers = 6;

// Each variant lives in a namespace of its own, and everything its object file
// defines lies inside it (scripts/check-kernel-symbols verifies this).
namespace portable {
void runBlock(const BlockArgs& args);
}
namespace avx2 {
void runBlock(const BlockArgs& args);
}
namespace avx512 {
void runBlock(const BlockArgs& args);
}

}  // namespace zembra::kernel
