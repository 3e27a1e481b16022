#pragma once

// The compiled variants of the block kernel and their shapes. More registers
// mean more independent division chains in flight; the counts are the
// fastest measured (zembra32-cli 327640), a few spills included.
#include "engine/kernel/kernel.h"

namespace zembra::kernel {

// Doubles per register and registers per block for each instruction set.
inline constexpr int kPortableWidth = 2, kPortableRegisters = 8;
inline constexpr int kAvx2Width = 4, kAvx2Registers = 6;
inline constexpr int kAvx512Width = 8, kAvx512Registers = 6;

void runBlockPortable(const BlockArgs& args);
void runBlockAvx2(const BlockArgs& args);
void runBlockAvx512(const BlockArgs& args);

}  // namespace zembra::kernel
