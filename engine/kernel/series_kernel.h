#pragma once

// The block kernel, written once with vector extensions and compiled once per
// instruction set (kernel_portable.cpp, kernel_avx2.cpp, kernel_avx512.cpp).
// Include it only from those files, inside their own namespace.
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

#include <cstddef>
#include <utility>

#include "engine/kernel/kernel.h"

namespace detail {

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

// Where the mask is set, `value`; elsewhere 0.
template <int N>
inline Vec<N> select(Mask<N> mask, Vec<N> value) {
  return reinterpret_cast<Vec<N>>(reinterpret_cast<Mask<N>>(value) & mask);
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
  remainder = rest + select<N>(tooBig, divisor);
  return estimate - select<N>(tooBig, zero + 1.0);
}

// The per-lane constants of a block. Lanes past `count` divide by 1 with sign
// 0: they pass the power through unchanged and add nothing, so a short block
// leaves the right power behind.
template <int N, int R>
struct LaneParameters {
  Vec<N> square[R], inverseSquare[R], divisor[R], inverseDivisor[R], sign[R];

  explicit LaneParameters(const zembra::kernel::BlockArgs& args) {
    for (int lane = 0; lane < N * R; ++lane) {
      const int r = lane / N, i = lane % N;
      const bool active = lane < args.count;
      const long k = args.firstTerm + lane;
      square[r][i] = active ? args.square : 1.0;
      divisor[r][i] = active ? static_cast<double>(2 * k - 1) : 1.0;
      sign[r][i] = active ? (k % 2 == 1 ? 1.0 : -1.0) : 0.0;
      inverseSquare[r][i] = 1.0 / square[r][i];
      inverseDivisor[r][i] = 1.0 / divisor[r][i];
    }
  }
};

// R registers of N lanes: N·R terms in flight.
template <int N, int R>
void runBlock(const zembra::kernel::BlockArgs& args) {
  constexpr double B = 1e10;
  constexpr long kLanes = N * R;
  const LaneParameters<N, R> p(args);
  const Vec<N> zero = {};
  Vec<N> powerRemainder[R] = {}, termRemainder[R] = {}, quotient[R] = {}, column[R] = {};
  for (long step = args.first; step <= args.last + kLanes - 1; ++step) {
    const bool inside = step <= args.last;
    const Vec<N> powerIn = zero + (inside ? args.power[step] : 0.0);
    const Vec<N> columnIn = zero + (inside ? args.columns[step] : 0.0);
    for (int r = R - 1; r >= 0; --r) {
      quotient[r] = shiftIn<N>(quotient[r], r > 0 ? quotient[r - 1] : powerIn);
      column[r] = shiftIn<N>(column[r], r > 0 ? column[r - 1] : columnIn);
    }
    for (int r = 0; r < R; ++r) {
      quotient[r] = divide<N>(powerRemainder[r] * B + quotient[r], p.square[r], p.inverseSquare[r],
                              powerRemainder[r]);
      const Vec<N> term = divide<N>(termRemainder[r] * B + quotient[r], p.divisor[r],
                                    p.inverseDivisor[r], termRemainder[r]);
      column[r] += p.sign[r] * term;
    }
    const long limb = step - (kLanes - 1);
    if (limb >= args.first) {
      args.power[limb] = quotient[R - 1][N - 1];
      args.columns[limb] = column[R - 1][N - 1];
    }
  }
}

}  // namespace detail
