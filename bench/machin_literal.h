#pragma once

// The textbook evaluation of Machin's formula on arrays of doubles, one
// base-10^10 limb per double, with the same floors as machin_gmp.h. Slow on
// purpose: the benchmark compares against it.

#include <vector>

namespace zembra::reference {

// Limbs 0..L as doubles holding exact integers.
std::vector<double> machinLiteral(double n);

}  // namespace zembra::reference
