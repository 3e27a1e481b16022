// The kernel compiled for AVX2 with FMA.
#include "engine/kernel/kernel_variants.h"
#include "engine/kernel/series_kernel.h"

namespace zembra::kernel {

void runBlockAvx2(const BlockArgs& args) { detail::runBlock<kAvx2Width, kAvx2Registers>(args); }

}  // namespace zembra::kernel
