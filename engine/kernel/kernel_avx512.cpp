// The block kernel compiled for the avx512 instruction set.
#define ZEMBRA_KERNEL_VARIANT avx512
#include "engine/kernel/kernel_variants.h"
#include "engine/kernel/series_kernel.h"

namespace zembra::kernel {

void runBlockAvx512(const BlockArgs& args) {
  avx512::runBlock<kAvx512Width, kAvx512Registers>(args);
}

}  // namespace zembra::kernel
