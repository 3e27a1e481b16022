#include "tests/reference/reference.h"

#include <cmath>
#include <cstring>
#include <stdexcept>
#include <string>

namespace zembra::reference {
namespace {

// sum += sum_{k=1..terms} (-1)^(k+1) floor(P_k / (2k-1)), where
// P_0 = coefficient * scale and P_k = floor(P_{k-1} / q); power = P_terms.
void addArctanSeries(mpz_ptr sum, mpz_ptr power, mpz_srcptr scale, unsigned long coefficient,
                     unsigned long q, long terms) {
  MpzValue term;
  mpz_mul_ui(power, scale, coefficient);
  for (long k = 1; k <= terms; ++k) {
    mpz_tdiv_q_ui(power, power, q);
    mpz_tdiv_q_ui(term, power, static_cast<unsigned long>(2 * k - 1));
    if (k % 2 == 1)
      mpz_add(sum, sum, term);
    else
      mpz_sub(sum, sum, term);
  }
}

// Splits a non-negative fixed-point integer R = X * B^L into limbs 0..L.
std::vector<std::uint64_t> splitIntoLimbs(mpz_srcptr value, long limbCount) {
  if (mpz_sgn(value) < 0) throw std::logic_error("Machin sum is negative");
  const auto decimalsLength = static_cast<std::size_t>(10 * limbCount);
  std::string digits(mpz_sizeinbase(value, 10) + 2, '\0');
  digits.resize(std::strlen(mpz_get_str(digits.data(), 10, value)));
  if (digits.size() <= decimalsLength) digits.insert(0, decimalsLength + 1 - digits.size(), '0');
  const std::size_t headLength = digits.size() - decimalsLength;
  return limbsFromDecimals(std::stoull(digits.substr(0, headLength)), digits.substr(headLength));
}

}  // namespace

std::string limbDecimals(const std::vector<std::uint64_t>& limbs) {
  std::string decimals;
  for (std::size_t i = 1; i < limbs.size(); ++i) {
    const std::string group = std::to_string(limbs[i]);
    if (group.size() > 10) throw std::invalid_argument("limb out of range: " + group);
    decimals += std::string(10 - group.size(), '0') + group;
  }
  return decimals;
}

std::vector<std::uint64_t> limbsFromDecimals(std::uint64_t integerPart,
                                             const std::string& decimals) {
  if (decimals.size() % 10 != 0)
    throw std::invalid_argument("decimal count is not a multiple of 10");
  std::vector<std::uint64_t> limbs{integerPart};
  for (std::size_t i = 0; i < decimals.size(); i += 10)
    limbs.push_back(std::stoull(decimals.substr(i, 10)));
  return limbs;
}

MachinSizes machinSizes(double n) {
  return {static_cast<long>(std::floor(n / 4.7568 + 1.5 + 2)),
          static_cast<long>(std::floor(n / 1.398 + 1.5 + 2)),
          static_cast<long>(std::floor(n / 10)) + 1};
}

std::vector<std::uint64_t> machinFloorsGmp(double n) {
  const MachinSizes sizes = machinSizes(n);
  MpzValue scale, sum239, sum5, power;
  mpz_ui_pow_ui(scale, 10, static_cast<unsigned long>(10 * sizes.limbCount));
  addArctanSeries(sum239, power, scale, 956, 57121, sizes.terms239);
  addArctanSeries(sum5, power, scale, 80, 25, sizes.terms5);
  mpz_sub(sum5, sum5, sum239);
  return splitIntoLimbs(sum5, sizes.limbCount);
}

void arctanFloorsGmp(mpz_ptr sum, mpz_ptr power, unsigned long coefficient, unsigned long q,
                     long terms, long limbCount) {
  MpzValue scale;
  mpz_ui_pow_ui(scale, 10, static_cast<unsigned long>(10 * limbCount));
  mpz_set_ui(sum, 0);
  addArctanSeries(sum, power, scale, coefficient, q, terms);
}

}  // namespace zembra::reference
