// The block kernel compiled for the avx2 instruction set.
#define ZEMBRA_KERNEL_VARIANT avx2
#include "engine/digits/kernel/kernel_variants.h"
#include "engine/digits/kernel/series_kernel.h"

namespace zembra::kernel::avx2 {

void runBlock(const BlockArgs& args) { runWavefront<kAvx2Width, kAvx2Registers>(args); }

}  // namespace zembra::kernel::avx2
