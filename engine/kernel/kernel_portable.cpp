// The kernel for any processor: plain doubles, vectorised as far as the
// baseline instruction set allows.
#include "engine/kernel/kernel_variants.h"
#include "engine/kernel/series_kernel.h"

namespace zembra::kernel {

void runBlockPortable(const BlockArgs& args) {
  detail::runBlock<kPortableWidth, kPortableRegisters>(args);
}

}  // namespace zembra::kernel
