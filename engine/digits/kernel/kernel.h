#pragma once

// The long-division kernel: advances a series by a block of consecutive terms.
//
// The series keeps two arrays over limbs 0 … last, both read and written in
// place:
//   power[j]   — the running power c / q^k, one normalised limb per element;
//   columns[j] — signed column sums Σ ±term_k[j], not carried (normalised
//                once, after the last term).
// One block takes the power after term k0 − 1 and leaves the power after
// term k0 + count − 1, having added ±⌊power_k / (2k − 1)⌋ of each term of the
// block into the columns (+ for odd k, − for even k). Limbs before `first`
// are zero in the power and are left untouched.
//
// Blocks of the same series may run at the same time on several threads, one
// behind the other: a block reads limb j only once the block before it has
// published (through `ready`) that it is done with limb j, and it publishes
// its own progress through `done`. Both are plain longs that the kernels
// read and write with the compiler's __atomic built-ins: the kernels, compiled
// for other instruction sets, use no library templates whose copies the
// linker could share with the rest of the program.

#include <span>
#include <string_view>

namespace zembra::kernel {

struct BlockArgs {
  double* power;
  double* columns;
  long first;      // first limb that may be non-zero in the power
  long last;       // last limb of both arrays
  double square;   // q: 25 or 57121
  long firstTerm;  // k0
  int count;       // terms in this block, 1 … lanes
  // From this limb on, the power of every term of the block is zero and its
  // division leaves no remainder (see powerVanishesFrom); > last if never.
  long powerZeroFrom;
  const long* ready;  // limbs the previous block is done with; nullptr: all
  long* done;         // limbs this block is done with; may be nullptr
};

using BlockFunction = void (*)(const BlockArgs&);

struct Kernel {
  std::string_view name;  // "portable", "avx2", "avx512"
  int lanes;              // terms a block can hold
  BlockFunction run;
};

// Every kernel this processor can run, portable first, the widest last.
std::span<const Kernel> availableKernels();

// The kernel a run uses, and whether it is the one asked for.
struct KernelChoice {
  enum class Taken { AsAsked, NotAKernel, CannotRunHere };
  const Kernel* kernel;
  Taken taken = Taken::AsAsked;  // AsAsked also when none was asked
};

// `asked` names a kernel (nullptr: none asked): that one if it is among
// `available`, else the widest available (the last).
KernelChoice chooseKernel(const char* asked, std::span<const Kernel> available);

// The choice for this process, made once from ZEMBRA_KERNEL.
const KernelChoice& kernelChoice();
inline const Kernel& selectedKernel() { return *kernelChoice().kernel; }

}  // namespace zembra::kernel
