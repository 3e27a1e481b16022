#include <mpfr.h>

#include <cmath>

#include "tests/reference/reference.h"

namespace zembra::reference {

// π lies between its roundings down and up, so where their truncations to `count` decimals
// agree, that is π's; where they differ, more bits are taken.
std::string piDecimals(std::size_t count) {
  const double bits = std::ceil(static_cast<double>(count + 1) * std::log2(10.0));
  for (mpfr_prec_t extra = 64;; extra *= 2) {
    std::string truncated[2];
    for (const mpfr_rnd_t rounding : {MPFR_RNDD, MPFR_RNDU}) {
      mpfr_t pi;
      mpfr_init2(pi, static_cast<mpfr_prec_t>(bits) + extra);
      mpfr_const_pi(pi, rounding);
      mpfr_exp_t exponent = 0;
      char* digits = mpfr_get_str(nullptr, &exponent, 10, count + 1, pi, MPFR_RNDZ);
      truncated[rounding == MPFR_RNDU] = digits + 1;  // the decimals after the 3
      mpfr_free_str(digits);
      mpfr_clear(pi);
    }
    if (truncated[0] == truncated[1]) return truncated[0];
  }
}

}  // namespace zembra::reference
