// The block kernel compiled for the avx512 instruction set.
#define ZEMBRA_KERNEL_VARIANT avx512
#include "engine/digits/kernel/kernel_variants.h"
#include "engine/digits/kernel/series_kernel.h"

namespace zembra::kernel::avx512 {

void runBlock(const BlockArgs& args) { runWavefront<kAvx512Width, kAvx512Registers>(args); }

}  // namespace zembra::kernel::avx512
