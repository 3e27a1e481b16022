// The references agree with the known values of the floored Machin arithmetic
// and with each other, so that the engine's tests can trust them.
#include <gtest/gtest.h>

#include "tests/reference/reference.h"

namespace zembra::reference {
namespace {

TEST(Reference, floors_give_the_known_values_and_pi_truncates_exactly) {
  EXPECT_EQ(machinFloorsGmp(0), (std::vector<std::uint64_t>{3, 1416210294}));
  EXPECT_EQ(machinFloorsGmp(10), (std::vector<std::uint64_t>{3, 1415926535, 8979169693}));
  const std::vector<std::uint64_t> hundred = machinFloorsGmp(100);
  ASSERT_EQ(hundred.size(), 12U);
  EXPECT_EQ(limbDecimals(hundred).substr(0, 100), piDecimals(100));
  EXPECT_EQ(hundred[11], 8214811559U);
  // Cuts inside the run of nines after decimal 761 stay truncations.
  const std::string longest = piDecimals(2000);
  for (std::size_t count : {1, 761, 762, 765, 1607}) {
    EXPECT_EQ(piDecimals(count), longest.substr(0, count)) << count;
  }
}

}  // namespace
}  // namespace zembra::reference
