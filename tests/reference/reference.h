#pragma once

// Independent references for the tests and the benchmark: Machin's formula
// π = 16 arctan(1/5) − 4 arctan(1/239) on fixed-point integers X·B^L with
// B = 10^10, every step floored, evaluated exactly with GMP; and MPFR's π.
// A limb vector holds the integer part in limb 0 and ten decimals per limb.

#include <gmp.h>

#include <cstdint>
#include <string>
#include <vector>

namespace zembra::reference {

// Owning GMP integer, passed straight to the mpz_* functions.
class MpzValue {
 public:
  MpzValue() { mpz_init(value_); }
  ~MpzValue() { mpz_clear(value_); }
  MpzValue(const MpzValue&) = delete;
  MpzValue& operator=(const MpzValue&) = delete;
  operator mpz_ptr() { return value_; }
  operator mpz_srcptr() const { return value_; }

 private:
  mpz_t value_;
};

// The first `count` decimals of π after "3.", truncated (never rounded).
std::string piDecimals(std::size_t count);

// Decimals held by limbs 1..L, each limb written as exactly 10 digits.
std::string limbDecimals(const std::vector<std::uint64_t>& limbs);
// {integerPart, then one limb per 10 decimals}; a multiple of 10 decimals.
std::vector<std::uint64_t> limbsFromDecimals(std::uint64_t integerPart,
                                             const std::string& decimals);

struct MachinSizes {
  long terms239;
  long terms5;
  long limbCount;
};

// Series lengths and limb count L for a digit count n >= 0.
MachinSizes machinSizes(double n);

// Limbs 0..L of the floored Machin sum.
std::vector<std::uint64_t> machinFloorsGmp(double n);

// One floored series: sum = Σ_{k=1..terms} (−1)^(k+1) ⌊P_k / (2k−1)⌋, with
// P_0 = coefficient·B^limbCount, P_k = ⌊P_{k−1} / q⌋; and power = P_terms.
void arctanFloorsGmp(mpz_ptr sum, mpz_ptr power, unsigned long coefficient, unsigned long q,
                     long terms, long limbCount);

}  // namespace zembra::reference
