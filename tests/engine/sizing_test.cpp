#include "engine/sizing.h"

#include <gtest/gtest.h>

namespace zembra {
namespace {

TEST(Sizing, known_counts_take_their_known_sizes) {
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

TEST(Sizing, a_count_that_is_not_a_multiple_of_ten_still_takes_whole_limbs) {
  EXPECT_EQ(sizeSeries(15).limbCount, 2);
  EXPECT_EQ(sizeSeries(19).limbCount, 2);
  EXPECT_EQ(sizeSeries(20).limbCount, 3);
  EXPECT_EQ(sizeSeries(45000.5).requestedDecimals, 45000);
}

}  // namespace
}  // namespace zembra
