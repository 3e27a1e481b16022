#include "tests/reference/reference.h"

#include <mpfr.h>

#include <cmath>
#include <optional>

namespace zembra::reference {
namespace {

// floor(pi * 10^digits), possibly one too small: both roundings go down and
// 64 spare bits keep the total error far below one unit.
void scaledPiFromBelow(mpz_ptr out, std::size_t digits) {
  const double bits = std::ceil(static_cast<double>(digits) * std::log2(10.0));
  mpfr_t pi;
  mpfr_init2(pi, static_cast<mpfr_prec_t>(bits) + 64);
  mpfr_const_pi(pi, MPFR_RNDD);
  MpzValue scale;
  mpz_ui_pow_ui(scale, 10, digits);
  mpfr_mul_z(pi, pi, scale, MPFR_RNDD);
  mpfr_get_z(out, pi, MPFR_RNDD);
  mpfr_clear(pi);
}

// Cuts `guard` extra digits off. A value one unit short can only change the
// kept digits when the true guard digits are all 0 (ours then read all 9),
// so a guard of all 9s, or all 0s, is refused and the caller retries.
std::optional<std::string> piDecimalsWithGuard(std::size_t count, std::size_t guard) {
  MpzValue scaled;
  scaledPiFromBelow(scaled, count + guard);
  MpzValue guardScale;
  mpz_ui_pow_ui(guardScale, 10, guard);
  MpzValue tail;
  mpz_tdiv_qr(scaled, tail, scaled, guardScale);
  mpz_sub_ui(guardScale, guardScale, 1);
  const mpz_srcptr guardDigits = tail;
  if (mpz_sgn(guardDigits) == 0 || mpz_cmp(guardDigits, guardScale) == 0) return std::nullopt;
  return decimalString(scaled).substr(1);
}

}  // namespace

std::string piDecimals(std::size_t count) {
  for (std::size_t guard = 40;; guard *= 2) {
    if (auto decimals = piDecimalsWithGuard(count, guard)) return *decimals;
  }
}

}  // namespace zembra::reference
