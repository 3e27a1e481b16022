#include "engine/digit_lines.h"

#include "engine/digits/machin_formula.h"

namespace zembra {
namespace {

constexpr std::size_t kGroupsPerLine = 5;

}  // namespace

std::string digitGroup(std::uint64_t limb) {
  std::string group(kDigitsPerLimb, '0');
  for (auto position = group.rbegin(); position != group.rend() && limb > 0; ++position) {
    *position = static_cast<char>('0' + limb % 10);
    limb /= 10;
  }
  return group;
}

void forEachDigitLine(std::span<const std::uint64_t> limbs,
                      const std::function<void(const std::string&)>& emit) {
  const std::string continuation = "  ";
  long printedDigits = 0;
  std::string line = "3.";
  for (std::size_t i = 1; i < limbs.size(); ++i) {
    line += digitGroup(limbs[i]);
    if (i % kGroupsPerLine == 0) {
      printedDigits += kGroupsPerLine * kDigitsPerLimb;
      line += "   : " + std::to_string(printedDigits);  // sign position: a blank
      emit(line);
      line = continuation;
    } else {
      line += "  ";
    }
  }
  if (line != continuation) emit(line);
}

}  // namespace zembra
