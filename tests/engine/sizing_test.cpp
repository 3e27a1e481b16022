#include "engine/sizing.h"

#include <gtest/gtest.h>

#include <cmath>

#include "tests/reference/reference.h"

namespace zembra {
namespace {

// The series lengths and limbs the references use, for whole, fractional and
// the largest counts.
TEST(Sizing, every_count_takes_the_sizes_of_the_reference_and_whole_limbs) {
  for (double n = 0; n <= 327640; n += n < 2000 ? 0.25 : 997.5) {
    const SeriesSizes sizes = sizeSeries(n);
    const reference::MachinSizes expected = reference::machinSizes(n);
    ASSERT_EQ(sizes.terms239, expected.terms239) << n;
    ASSERT_EQ(sizes.terms5, expected.terms5) << n;
    ASSERT_EQ(sizes.limbCount, expected.limbCount) << n;
    ASSERT_EQ(sizes.requestedDecimals, static_cast<long>(std::floor(n))) << n;
  }
  EXPECT_EQ(sizeSeries(327640).limbCount, 32765);
}

}  // namespace
}  // namespace zembra
