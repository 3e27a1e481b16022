// The kernel compiled for AVX-512.
#include "engine/kernel/kernel_variants.h"
#include "engine/kernel/series_kernel.h"

namespace zembra::kernel {

void runBlockAvx512(const BlockArgs& args) {
  detail::runBlock<kAvx512Width, kAvx512Registers>(args);
}

}  // namespace zembra::kernel
