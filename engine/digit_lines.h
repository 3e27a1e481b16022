#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>

// The lines of digits a run prints: five groups of ten digits to a line, the
// first line starting "3.", the others with two blanks, each full line ending
// in "   :" and the running count of decimals; a last partial line ends in two
// blanks and has no count.

namespace zembra {

// Ten digits of one limb, leading zeros kept.
std::string digitGroup(std::uint64_t limb);

// Builds the lines from limbs[1 …] (limbs[0], the integer part, is not
// printed) and hands each to `emit`, first to last.
void forEachDigitLine(std::span<const std::uint64_t> limbs,
                      const std::function<void(const std::string&)>& emit);

}  // namespace zembra
