#include "engine/sizing.h"

#include <gtest/gtest.h>

#include "tests/reference/machin_gmp.h"

namespace zembra {
namespace {

TEST(Sizing, worked_sizes_come_out_as_documented) {
  struct Row {
    double n;
    long terms239, terms5, limbs;
  };
  for (const Row& row : {Row{0, 3, 3, 1}, Row{10, 5, 10, 2}, Row{100, 24, 75, 11},
                         Row{1000, 213, 718, 101}, Row{327640, 68881, 234366, 32765}}) {
    const SeriesSizes sizes = sizeSeries(row.n);
    EXPECT_EQ(sizes.terms239, row.terms239) << row.n;
    EXPECT_EQ(sizes.terms5, row.terms5) << row.n;
    EXPECT_EQ(sizes.limbCount, row.limbs) << row.n;
  }
}

TEST(Sizing, agrees_with_the_reference_for_whole_and_fractional_counts) {
  for (double n = 0; n <= 327640; n += n < 3000 ? 1 : 997) {
    for (double count : {n, n + 0.5}) {
      const SeriesSizes sizes = sizeSeries(count);
      const reference::MachinSizes expected = reference::machinSizes(count);
      ASSERT_EQ(sizes.terms239, expected.terms239) << count;
      ASSERT_EQ(sizes.terms5, expected.terms5) << count;
      ASSERT_EQ(sizes.limbCount, expected.limbCount) << count;
      ASSERT_EQ(sizes.requestedDecimals, static_cast<long>(n)) << count;
    }
  }
}

TEST(Sizing, a_count_that_is_not_a_multiple_of_ten_still_takes_whole_limbs) {
  EXPECT_EQ(sizeSeries(15).limbCount, 2);
  EXPECT_EQ(sizeSeries(19).limbCount, 2);
  EXPECT_EQ(sizeSeries(20).limbCount, 3);
}

}  // namespace
}  // namespace zembra
