#pragma once

// Conversions between limb vectors and decimal strings. A limb vector holds
// the integer part in limb 0 and ten decimals per limb after it, base 10^10.

#include <cstdint>
#include <string>
#include <vector>

namespace zembra::reference {

inline constexpr std::uint64_t kLimbBase = 10'000'000'000ULL;

// Decimals held by limbs 1..L, each limb written as exactly 10 digits.
std::string limbDecimals(const std::vector<std::uint64_t>& limbs);

// {integerPart, then one limb per 10 decimals}; decimals.size() must be a
// multiple of 10.
std::vector<std::uint64_t> limbsFromDecimals(std::uint64_t integerPart,
                                             const std::string& decimals);

}  // namespace zembra::reference
