// The block kernel for any x86-64 or other processor: the baseline instruction set.
#define ZEMBRA_KERNEL_VARIANT portable
#include "engine/digits/kernel/kernel_variants.h"
#include "engine/digits/kernel/series_kernel.h"

namespace zembra::kernel::portable {

void runBlock(const BlockArgs& args) { runWavefront<kPortableWidth, kPortableRegisters>(args); }

}  // namespace zembra::kernel::portable
