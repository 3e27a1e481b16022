#pragma once

// The compiled variants of the block kernel and their shapes: enough
// independent division chains to hide the latency, few enough to stay in
// registers.
#include "engine/kernel/kernel.h"

namespace zembra::kernel {

// Doubles per register and registers per block for each instruction set.
inline constexpr int kPortableWidth = 2, kPortableRegisters = 4;
inline constexpr int kAvx2Width = 4, kAvx2Registers = 4;
inline constexpr int kAvx512Width = 8, kAvx512Registers = 4;

void runBlockPortable(const BlockArgs& args);
void runBlockAvx2(const BlockArgs& args);
void runBlockAvx512(const BlockArgs& args);

}  // namespace zembra::kernel
