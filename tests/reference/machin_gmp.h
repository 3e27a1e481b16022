#pragma once

// Machin's formula pi = 16 arctan(1/5) - 4 arctan(1/239) on fixed-point
// integers X * B^L with B = 10^10, every step floored, evaluated exactly with
// GMP: one division by q and one by 2k - 1 per term.

#include <gmp.h>

#include <cstdint>
#include <vector>

namespace zembra::reference {

struct MachinSizes {
  long terms239;
  long terms5;
  long limbCount;
};

// Series lengths and limb count L for a digit count n >= 0.
MachinSizes machinSizes(double n);

// Limbs 0..L of the floored sum: limb 0 is the integer part, limb i holds
// decimals 10(i-1)+1 .. 10i.
std::vector<std::uint64_t> machinFloorsGmp(double n);
std::vector<std::uint64_t> machinFloorsGmp(long terms239, long terms5, long limbCount);

// One floored series alone: sum = sum_{k=1..terms} (-1)^(k+1) floor(P_k / (2k-1)),
// P_0 = coefficient * B^limbCount, P_k = floor(P_{k-1} / q); and power = P_terms.
void arctanFloorsGmp(mpz_ptr sum, mpz_ptr power, unsigned long coefficient, unsigned long q,
                     long terms, long limbCount);

}  // namespace zembra::reference
