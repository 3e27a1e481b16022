#include "bench/machin_literal.h"

#include <cmath>
#include <cstddef>

#include "tests/reference/reference.h"

namespace zembra::reference {
namespace {

constexpr double kBase = 1e10;

using Limbs = std::vector<double>;

// power /= q limb by limb, remainders pushed one limb down; term = power.
void dividePower(Limbs& power, Limbs& term, double q, std::size_t last) {
  for (std::size_t j = 0; j <= last; ++j) {
    if (power[j] == 0) {
      term[j] = 0;
      continue;
    }
    const double quotient = std::floor(power[j] / q);
    const double rem = power[j] - q * quotient;
    power[j] = quotient;
    term[j] = quotient;
    power[j + 1] += kBase * rem;
  }
}

// term /= d limb by limb, remainders pushed one limb down.
void divideTerm(Limbs& term, double d, std::size_t last) {
  for (std::size_t j = 0; j <= last; ++j) {
    if (term[j] == 0) continue;
    const double quotient = std::floor(term[j] / d);
    const double rem = term[j] - d * quotient;
    term[j] = quotient;
    term[j + 1] += kBase * rem;
  }
}

// sum += term, carrying from the last limb towards limb 0.
void addLimbs(Limbs& sum, const Limbs& term, std::size_t last) {
  double carry = 0;
  for (std::size_t j = last + 1; j-- > 0;) {
    if (term[j] == 0 && carry == 0) continue;
    sum[j] = sum[j] + term[j] + carry;
    carry = 0;
    if (!(sum[j] < kBase)) {
      sum[j] -= kBase;
      carry = 1;
    }
  }
}

// sum -= term, borrowing from the last limb towards limb 0.
void subtractLimbs(Limbs& sum, const Limbs& term, std::size_t last) {
  double borrow = 0;
  for (std::size_t j = last + 1; j-- > 0;) {
    if (term[j] == 0 && borrow == 0) continue;
    sum[j] = sum[j] - term[j] - borrow;
    borrow = 0;
    if (!(sum[j] >= 0)) {
      sum[j] += kBase;
      borrow = 1;
    }
  }
}

// Floored arctan series with P_0 = c, P_k = P_{k-1} / q, terms P_k / (2k-1).
Limbs runSeries(double c, double q, long terms, std::size_t last) {
  Limbs power(last + 2, 0.0);
  Limbs term(last + 2, 0.0);
  Limbs sum(last + 1, 0.0);
  power[0] = c;
  for (long k = 1; k <= terms; ++k) {
    dividePower(power, term, q, last);
    divideTerm(term, static_cast<double>(2 * k - 1), last);
    if (k % 2 == 0)
      subtractLimbs(sum, term, last);
    else
      addLimbs(sum, term, last);
  }
  return sum;
}

}  // namespace

std::vector<double> machinLiteral(double n) {
  const MachinSizes sizes = machinSizes(n);
  const auto last = static_cast<std::size_t>(sizes.limbCount);
  const Limbs sum239 = runSeries(956, 57121, sizes.terms239, last);
  Limbs result = runSeries(80, 25, sizes.terms5, last);
  subtractLimbs(result, sum239, last);
  return result;
}

}  // namespace zembra::reference
