// How the head is summed. B = 10^10, n the shown limbs, g = last − n the
// guard limbs, d_k = 2k − 1, s_k = (−1)^(k−1), K the head's terms.
//
// The powers are exact: 80·B^n / 25^k = 2^(2k+3) · 10^(10n−2k+1) is an
// integer P_k while k ≤ 5n, as the fives of B^n still cover 25^k. So
//     ⌊P_k / d_k⌋ = (P_k − r_k) / d_k,   r_k = P_k mod d_k,
// and each remainder r_k is small, below d_k < 2^19: a modular power of 2
// and 10 gives it in about twenty steps. The head at n limbs is
//     H = Σ s_k ⌊P_k / d_k⌋ = X − Y,   X = Σ s_k P_k / d_k,  Y = Σ s_k r_k / d_k.
//
// Binary splitting gives X. Over the terms a … b − 1, P_k = P_{b−1}·25^(b−1−k):
//     Σ s_k P_k / d_k = P_{b−1} · U(a,b) / D(a,b),
//     D(a,b) = Π d_k,   U(a,b) = Σ s_k 25^(b−1−k) D(a,b) / d_k,
// and the halves [a,m) and [m,b) combine as
//     D = D_a·D_m,   U = U_a·25^(b−m)·D_m + U_m·D_a,
// so the integers grow with the number of terms, not with the precision,
// up to one big division per chunk of terms.
//
// X and Y are summed in fixed point with kFractionBits fractional bits,
// every piece floored: X comes out low by less than one unit per chunk, Y
// off by less than one unit per term. H is an integer, so (X − Y)·2^F rounded to the
// nearest multiple of 2^F is exactly H·2^F while chunks + K < 2^(F−1).
//
// The guard limbs: at last = n + g limbs the power is B^g·P_k, and the long
// division by d_k goes on from the remainder r_k over g zero limbs: limb
// n + j of the term is ⌊r·B / d_k⌋, r ← r·B mod d_k, for j = 1 … g. H fills
// the columns 0 … n, the sums of those limbs the columns n + 1 … last.
#include "engine/digits/arctan5_head.h"

#include <gmpxx.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "engine/digits/gmp_arena.h"
#include "engine/digits/machin_formula.h"

namespace zembra {
namespace {

constexpr int kFractionBits = 40;
constexpr auto kBase = static_cast<std::uint64_t>(kLimbBase);
constexpr auto kSquare = static_cast<unsigned long>(kArctan5.square);
// Terms whose D and U are built one term at a time; and terms per chunk,
// each ending in one big division (measured at 327,640 digits).
constexpr long kLeafTerms = 64;
constexpr long kChunkTerms = 1L << 15;
// Terms between two looks at the stop flag where no big integers are involved.
constexpr long kTermsBetweenStopChecks = 4096;

void checkStop(const std::atomic<bool>& stop) {
  if (stop.load(std::memory_order_relaxed)) throw Arctan5Stopped{};
}

unsigned long divisor(long k) { return static_cast<unsigned long>(2 * k - 1); }

// D(a,b) and U(a,b) of the terms a … b − 1. Every operation below is one GMP
// call on these, without temporaries, so that the memory GMP takes is the
// one the arena was sized by.
struct Split {
  mpz_class product;  // D
  mpz_class sum;      // U
};

// Adds the terms one at a time: [a,k) and {k} combine with D_m = d_k, U_m = s_k.
void splitLeaf(long a, long b, Split& out) {
  out.product = 1;
  out.sum = 0;
  for (long k = a; k < b; ++k) {
    out.sum *= kSquare * divisor(k);
    if (k % 2 == 1) {
      out.sum += out.product;
    } else {
      out.sum -= out.product;
    }
    out.product *= divisor(k);
  }
}

void split(long a, long b, Split& out, const std::atomic<bool>& stop) {
  checkStop(stop);
  if (b - a <= kLeafTerms) return splitLeaf(a, b, out);
  const long m = a + (b - a) / 2;
  Split right;
  split(a, m, out, stop);
  split(m, b, right, stop);
  mpz_class factor;
  mpz_ui_pow_ui(factor.get_mpz_t(), kSquare, static_cast<unsigned long>(b - m));
  factor *= right.product;
  out.sum *= factor;  // U_a·25^(b−m)·D_m
  mpz_addmul(out.sum.get_mpz_t(), right.sum.get_mpz_t(), out.product.get_mpz_t());  // + U_m·D_a
  out.product *= right.product;                                                     // D_a·D_m
}

// Adds ⌊P_{b−1}·U(a,b)·2^F / D(a,b)⌋ to fixedX, where
// P_{b−1} = 2^(2b+1)·10^(10n−2b+3) = 2^(10n+4)·5^(10n−2b+3).
void addChunk(long a, long b, long n, mpz_class& fixedX, const std::atomic<bool>& stop) {
  Split chunk;
  split(a, b, chunk, stop);
  mpz_class scaled;
  mpz_ui_pow_ui(scaled.get_mpz_t(), 5, static_cast<unsigned long>(10 * n - 2 * b + 3));
  scaled *= chunk.sum;
  scaled <<= static_cast<mp_bitcnt_t>(10 * n + 4 + kFractionBits);
  checkStop(stop);
  mpz_fdiv_q(scaled.get_mpz_t(), scaled.get_mpz_t(), chunk.product.get_mpz_t());
  fixedX += scaled;
}

// 2^a·10^b mod d for d < 2^19, one pass over the bits of both exponents from
// the top: x ← x²·2^(bit of a)·10^(bit of b) mod d, below 20·2^38 before the
// reduction.
std::uint64_t powerRemainder(std::uint64_t a, std::uint64_t b, std::uint64_t d) {
  std::uint64_t x = 1 % d;
  for (int bit = std::bit_width(a | b) - 1; bit >= 0; --bit) {
    std::uint64_t y = x * x;
    if ((a >> bit) & 1) y *= 2;
    if ((b >> bit) & 1) y *= 10;
    x = y % d;
  }
  return x;
}

// What the small remainders r_k give: Y·2^F floored term by term, and the
// column sums of the guard limbs n + 1 … n + g.
struct Remainders {
  std::int64_t fixedY = 0;
  std::vector<std::int64_t> guardColumns;
};

Remainders sumRemainders(long terms, long n, long guard, const std::atomic<bool>& stop) {
  Remainders out;
  out.guardColumns.assign(static_cast<std::size_t>(guard), 0);
  for (long k = 1; k <= terms; ++k) {
    if (k % kTermsBetweenStopChecks == 0) checkStop(stop);
    const std::uint64_t d = divisor(k);
    std::uint64_t r = powerRemainder(static_cast<std::uint64_t>(2 * k + 3),
                                     static_cast<std::uint64_t>(10 * n - 2 * k + 1), d);
    const std::int64_t sign = k % 2 == 1 ? 1 : -1;
    out.fixedY += sign * static_cast<std::int64_t>((r << kFractionBits) / d);
    for (std::int64_t& column : out.guardColumns) {
      const std::uint64_t dividend = r * kBase;  // below 2^19·2^34
      column += sign * static_cast<std::int64_t>(dividend / d);
      r = dividend % d;
    }
  }
  return out;
}

// H = Σ s_k ⌊P_k / d_k⌋ over k = 1 … terms, at n limbs.
void sumHead(long terms, long n, const Remainders& remainders, mpz_class& head,
             const std::atomic<bool>& stop) {
  long chunks = 0;
  head = 0;
  for (long a = 1; a <= terms; a += kChunkTerms, ++chunks) {
    addChunk(a, std::min(terms + 1, a + kChunkTerms), n, head, stop);
  }
  head -= static_cast<long>(remainders.fixedY);  // (X − Y)·2^F, off by less than chunks + terms
  head += 1UL << (kFractionBits - 1);
  mpz_class offset;
  mpz_fdiv_r_2exp(offset.get_mpz_t(), head.get_mpz_t(), kFractionBits);
  mpz_fdiv_q_2exp(head.get_mpz_t(), head.get_mpz_t(), kFractionBits);
  offset -= 1UL << (kFractionBits - 1);
  if (mpz_cmpabs_ui(offset.get_mpz_t(), static_cast<unsigned long>(chunks + terms)) >= 0 ||
      sgn(head) < 0) {
    throw std::logic_error("arctan(1/5) head outside its error bound");
  }
}

// Written into a string of our own: GMP's own would come from the arena.
std::string decimalDigits(const mpz_class& value) {
  std::string digits(mpz_sizeinbase(value.get_mpz_t(), 10) + 2, '\0');
  mpz_get_str(digits.data(), 10, value.get_mpz_t());
  digits.resize(digits.find('\0'));
  return digits;
}

// Adds digits·10^exponent to limbs 0 … last (limb last holds the units).
void addDecimal(std::string_view digits, long exponent, std::vector<double>& limbs) {
  static constexpr double kTens[10] = {1, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9};
  const auto last = static_cast<long>(limbs.size()) - 1;
  long place = exponent + static_cast<long>(digits.size()) - 1;  // of digits[0]
  for (const char digit : digits) {
    limbs[static_cast<std::size_t>(last - place / 10)] += (digit - '0') * kTens[place % 10];
    --place;
  }
}

}  // namespace

long arctan5HeadTerms(long shownTerms, long shownLimbs) {
  return std::max(0L, std::min(shownTerms, 5 * shownLimbs));
}

Arctan5Head computeArctan5Head(long terms, long shownLimbs, long last,
                               const std::atomic<bool>& stop) {
  if (terms < 1 || shownLimbs < 1 || last < shownLimbs || terms > 5 * shownLimbs) {
    throw std::invalid_argument("arctan(1/5) head: sizes outside the exact powers");
  }
  const long n = shownLimbs;
  const long guard = last - n;
  // All GMP needs, reserved before its first call (see gmp_arena.h); it
  // outlives every big integer below.
  useGmpArenas();
  GmpArena arena(headArenaBytes(last));
  const GmpArena::Use use(arena);
  const Remainders remainders = sumRemainders(terms, n, guard, stop);
  mpz_class value;
  sumHead(terms, n, remainders, value, stop);
  Arctan5Head head;
  head.columns.assign(static_cast<std::size_t>(last) + 1, 0.0);
  addDecimal(decimalDigits(value), 10 * guard, head.columns);
  for (long j = 0; j < guard; ++j) {
    head.columns[static_cast<std::size_t>(n + 1 + j)] =
        static_cast<double>(remainders.guardColumns[static_cast<std::size_t>(j)]);
  }
  // 80·B^last / 25^K = 2^(2K+3)·10^(10·last − 2K + 1)
  value = 1;
  value <<= static_cast<mp_bitcnt_t>(2 * terms + 3);
  head.power.assign(static_cast<std::size_t>(last) + 1, 0.0);
  addDecimal(decimalDigits(value), 10 * last - 2 * terms + 1, head.power);
  return head;
}

}  // namespace zembra
