#include "tests/reference/limbs.h"

#include <stdexcept>

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

}  // namespace zembra::reference
