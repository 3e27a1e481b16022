#pragma once

// The block kernel, written once with vector extensions and compiled once per
// instruction set (kernel_portable.cpp, kernel_avx2.cpp, kernel_avx512.cpp).
// Each of those files defines ZEMBRA_KERNEL_VARIANT, the namespace that keeps
// its compiled copy apart from the others.
//
// Skewed wavefront: lane i works on term k0 + i, and at step s it handles limb
// j = s − i. The long division of term k by q at limb j needs the quotient
// limb of term k − 1 at limb j, which lane i − 1 produced one step earlier, so
// every step shifts the quotients one lane up and feeds the stored power limb
// into lane 0. The column sums travel the same way: lane 0 loads column s,
// every lane adds its term limb as the column passes, and the last lane
// stores it. All lanes are independent within a step, so many division chains
// are in flight at once instead of one.
//
// Exactness: every value is an integer below 2^53 held in a double. The
// remainder of a division by q (≤ 57121) or by d = 2k − 1 (< 2^19) is below
// the divisor, so a partial dividend r·B + limb is below d·B < 4.7·10^15.
// A quotient is estimated by rounding x·(1/d) to the nearest integer, which is
// ⌊x/d⌋ or ⌊x/d⌋ + 1 (the estimate is off by far less than ½); the exact
// remainder x − est·d then tells which, and one correction fixes it.
//
// Where the power of every lane is zero and divides without remainder (from
// args.powerZeroFrom on), a step only continues the division by 2k − 1 of the
// remainders: r ← r·B mod d, term limb ⌊r·B/d⌋.

#include <sched.h>

#include <cstddef>
#include <utility>

#include "engine/digits/kernel/kernel.h"
#include "engine/digits/machin_formula.h"

#ifndef ZEMBRA_KERNEL_VARIANT
#error "define ZEMBRA_KERNEL_VARIANT before including series_kernel.h"
#endif

namespace zembra::kernel::ZEMBRA_KERNEL_VARIANT {

// Small helpers of the kernel's own. Library templates (std::min, atomics,
// std::this_thread) would be compiled here for this instruction set as weak
// copies that the linker may pick for the whole program.
inline long smaller(long a, long b) { return a < b ? a : b; }
inline long larger(long a, long b) { return a < b ? b : a; }

// N doubles in one register of the target, and the matching integer masks.
template <int N>
struct VectorOf {
  typedef double type __attribute__((vector_size(N * sizeof(double))));
  typedef long long mask __attribute__((vector_size(N * sizeof(double))));
};
template <int N>
using Vec = typename VectorOf<N>::type;
template <int N>
using Mask = typename VectorOf<N>::mask;

template <int N, std::size_t... I>
inline Vec<N> shiftInImpl(Vec<N> lanes, Vec<N> previous, std::index_sequence<I...>) {
  return __builtin_shufflevector(lanes, previous, 2 * N - 1, I...);
}

// Lane 0 takes the last lane of `previous`, lane i takes lane i − 1.
template <int N>
inline Vec<N> shiftIn(Vec<N> lanes, Vec<N> previous) {
  return shiftInImpl<N>(lanes, previous, std::make_index_sequence<N - 1>{});
}

// value + addend where the mask is set. AVX-512 does this in one masked
// instruction; elsewhere an AND with the mask is cheaper than a blend.
template <int N>
inline Vec<N> addWhere(Mask<N> mask, Vec<N> value, Vec<N> addend) {
#if defined(__AVX512F__)
  return mask ? value + addend : value;
#else
  return value + reinterpret_cast<Vec<N> >(reinterpret_cast<Mask<N> >(addend) & mask);
#endif
}

// ⌊x / divisor⌋ lane by lane, and the remainder. Adding and subtracting 2^52
// rounds to the nearest integer (the values stay below 2^34).
template <int N>
inline Vec<N> divide(Vec<N> x, Vec<N> divisor, Vec<N> inverse, Vec<N>& remainder) {
  const Vec<N> zero = {};
  const Vec<N> round = zero + 4503599627370496.0;  // 2^52
  const Vec<N> estimate = (x * inverse + round) - round;
  const Vec<N> rest = x - estimate * divisor;
  const Mask<N> tooBig = rest < zero;
  remainder = addWhere<N>(tooBig, rest, divisor);
  return addWhere<N>(tooBig, estimate, zero - 1.0);
}

// One block in flight: R registers of N lanes, N·R terms.
template <int N, int R>
class Wavefront {
 public:
  static constexpr long kLanes = N * R;

  explicit Wavefront(const BlockArgs& args) : args_(args) {
    // Lanes past `count` divide by 1 with sign 0: they pass the power through
    // unchanged and add nothing, so a short block leaves the right power.
    for (int lane = 0; lane < kLanes; ++lane) {
      const int r = lane / N, i = lane % N;
      const bool active = lane < args.count;
      const long k = args.firstTerm + lane;
      square_[r][i] = active ? args.square : 1.0;
      divisor_[r][i] = active ? static_cast<double>(2 * k - 1) : 1.0;
      sign_[r][i] = active ? (k % 2 == 1 ? 1.0 : -1.0) : 0.0;
      inverseSquare_[r][i] = 1.0 / square_[r][i];
      inverseDivisor_[r][i] = 1.0 / divisor_[r][i];
    }
  }

  void fullStep(long step) {
    const bool inside = step <= args_.last;
    const Vec<N> powerIn = zero_ + (inside ? args_.power[step] : 0.0);
    const Vec<N> columnIn = zero_ + (inside ? args_.columns[step] : 0.0);
    for (int r = R - 1; r >= 0; --r) {
      quotient_[r] = shiftIn<N>(quotient_[r], r > 0 ? quotient_[r - 1] : powerIn);
      column_[r] = shiftIn<N>(column_[r], r > 0 ? column_[r - 1] : columnIn);
    }
    for (int r = 0; r < R; ++r) {
      quotient_[r] = divide<N>(powerRemainder_[r] * kBase + quotient_[r], square_[r],
                               inverseSquare_[r], powerRemainder_[r]);
      const Vec<N> term = divide<N>(termRemainder_[r] * kBase + quotient_[r], divisor_[r],
                                    inverseDivisor_[r], termRemainder_[r]);
      column_[r] += sign_[r] * term;
    }
    const long limb = step - (kLanes - 1);
    if (limb >= args_.first) {
      args_.power[limb] = quotient_[R - 1][N - 1];
      args_.columns[limb] = column_[R - 1][N - 1];
    }
  }

  // A step where every lane's power limb is zero: the power stays as it is.
  void remainderStep(long step) {
    const Vec<N> columnIn = zero_ + (step <= args_.last ? args_.columns[step] : 0.0);
    for (int r = R - 1; r >= 0; --r) {
      column_[r] = shiftIn<N>(column_[r], r > 0 ? column_[r - 1] : columnIn);
    }
    for (int r = 0; r < R; ++r) {
      const Vec<N> term =
          divide<N>(termRemainder_[r] * kBase, divisor_[r], inverseDivisor_[r], termRemainder_[r]);
      column_[r] += sign_[r] * term;
    }
    args_.columns[step - (kLanes - 1)] = column_[R - 1][N - 1];
  }

 private:
  static constexpr auto kBase = static_cast<double>(kLimbBase);
  const BlockArgs& args_;
  const Vec<N> zero_ = {};
  Vec<N> square_[R], inverseSquare_[R], divisor_[R], inverseDivisor_[R], sign_[R];
  Vec<N> powerRemainder_[R] = {}, termRemainder_[R] = {}, quotient_[R] = {}, column_[R] = {};
};

// Steps between two looks at the previous block's progress.
inline constexpr long kStepsPerChunk = 512;

inline void waitUntilReady(const BlockArgs& args, long limb) {
  if (!args.ready) return;
  for (int spins = 0; __atomic_load_n(args.ready, __ATOMIC_ACQUIRE) < limb; ++spins) {
    if (spins > 64) sched_yield();
  }
}

template <int N, int R>
void runWavefront(const BlockArgs& args) {
  using Front = Wavefront<N, R>;
  Front front(args);
  const long end = args.last + Front::kLanes - 1;
  // The first step at which the last lane, too, has reached the zero power.
  const long remainderOnlyFrom = larger(args.first, args.powerZeroFrom + Front::kLanes - 1);
  for (long chunk = args.first; chunk <= end; chunk += kStepsPerChunk) {
    const long chunkEnd = smaller(end, chunk + kStepsPerChunk - 1);
    waitUntilReady(args, smaller(chunkEnd, args.last));
    long step = chunk;
    for (; step <= chunkEnd && step < remainderOnlyFrom; ++step) front.fullStep(step);
    for (; step <= chunkEnd; ++step) front.remainderStep(step);
    if (args.done) __atomic_store_n(args.done, chunkEnd - (Front::kLanes - 1), __ATOMIC_RELEASE);
  }
}

}  // namespace zembra::kernel::ZEMBRA_KERNEL_VARIANT
