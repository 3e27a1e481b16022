#include <cmath>
#include <stdexcept>
#include <string>

#include "tests/reference/reference.h"

namespace zembra::reference {

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
  MpzValue sum239, sum5, power;
  arctanFloorsGmp(sum239, power, 956, 57121, sizes.terms239, sizes.limbCount);
  arctanFloorsGmp(sum5, power, 80, 25, sizes.terms5, sizes.limbCount);
  mpz_sub(sum5, sum5, sum239);
  // Limbs L down to 1 are the remainders of successive divisions by B; limb 0 what is left.
  std::vector<std::uint64_t> limbs(static_cast<std::size_t>(sizes.limbCount) + 1);
  for (std::size_t i = limbs.size() - 1; i > 0; --i) {
    limbs[i] = mpz_tdiv_q_ui(sum5, sum5, 10'000'000'000UL);
  }
  limbs[0] = mpz_get_ui(sum5);
  return limbs;
}

void arctanFloorsGmp(mpz_ptr sum, mpz_ptr power, unsigned long coefficient, unsigned long q,
                     long terms, long limbCount) {
  MpzValue term;
  mpz_ui_pow_ui(power, 10, static_cast<unsigned long>(10 * limbCount));
  mpz_mul_ui(power, power, coefficient);
  mpz_set_ui(sum, 0);
  for (long k = 1; k <= terms; ++k) {
    mpz_tdiv_q_ui(power, power, q);
    mpz_tdiv_q_ui(term, power, static_cast<unsigned long>(2 * k - 1));
    (k % 2 == 1 ? mpz_add : mpz_sub)(sum, sum, term);
  }
}

}  // namespace zembra::reference
