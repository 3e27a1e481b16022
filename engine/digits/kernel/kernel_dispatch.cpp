#include <algorithm>
#include <cstdlib>
#include <vector>

#include "engine/digits/kernel/kernel.h"
#include "engine/digits/kernel/kernel_variants.h"

namespace zembra::kernel {
namespace {

// Every variant this processor can run, in order of preference (last best).
// __builtin_cpu_supports asks CPUID and, for AVX and AVX-512, also whether the
// operating system saves the wide registers (XCR0), so a feature the system
// has switched off is not used.
std::vector<Kernel> detectKernels() {
  std::vector<Kernel> kernels{
      {"portable", kPortableWidth * kPortableRegisters, &portable::runBlock}};
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

std::span<const Kernel> availableKernels() { return kernels(); }

KernelChoice chooseKernel(const char* asked, std::span<const Kernel> available) {
  if (!asked || !*asked) return {&available.back()};
  const std::string_view name(asked);
  for (const Kernel& kernel : available) {
    if (kernel.name == name) return {&kernel};
  }
  constexpr std::string_view known[] = {"portable", "avx2", "avx512"};
  const bool isKernel = std::find(std::begin(known), std::end(known), name) != std::end(known);
  return {&available.back(),
          isKernel ? KernelChoice::Taken::CannotRunHere : KernelChoice::Taken::NotAKernel};
}

const KernelChoice& kernelChoice() {
  static const KernelChoice chosen = chooseKernel(std::getenv("ZEMBRA_KERNEL"), kernels());
  return chosen;
}

}  // namespace zembra::kernel
