#include <cstdlib>
#include <vector>

#include "engine/kernel/kernel.h"
#include "engine/kernel/kernel_variants.h"

namespace zembra::kernel {
namespace {

// Every variant this processor can run, in order of preference (last best).
// __builtin_cpu_supports asks CPUID and, for AVX and AVX-512, also whether the
// operating system saves the wide registers (XCR0), so a feature the system
// has switched off is not used.
std::vector<Kernel> detectKernels() {
  std::vector<Kernel> kernels{{"portable", kPortableWidth * kPortableRegisters, &portable::runBlock}};
#if defined(ZEMBRA_HAVE_X86_KERNELS)
  __builtin_cpu_init();
  if (__builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma")) {
    kernels.push_back({"avx2", kAvx2Width * kAvx2Registers, &avx2::runBlock});
  }
  if (__builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512dq") &&
      __builtin_cpu_supports("avx512vl")) {
    kernels.push_back({"avx512", kAvx512Width * kAvx512Registers, &avx512::runBlock});
  }
#endif
  return kernels;
}

const std::vector<Kernel>& kernels() {
  static const std::vector<Kernel> detected = detectKernels();
  return detected;
}

}  // namespace

const Kernel* availableKernels(int& count) {
  count = static_cast<int>(kernels().size());
  return kernels().data();
}

const Kernel* kernelNamed(std::string_view name) {
  for (const Kernel& kernel : kernels()) {
    if (kernel.name == name) return &kernel;
  }
  return nullptr;
}

const Kernel& selectedKernel() {
  static const Kernel& chosen = []() -> const Kernel& {
    if (const char* forced = std::getenv("ZEMBRA_KERNEL")) {
      if (const Kernel* kernel = kernelNamed(forced)) return *kernel;
    }
    return kernels().back();
  }();
  return chosen;
}

}  // namespace zembra::kernel
