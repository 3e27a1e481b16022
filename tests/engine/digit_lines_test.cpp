#include "engine/digit_lines.h"

#include <gtest/gtest.h>

namespace zembra {
namespace {

std::vector<std::string> linesOf(const std::vector<std::uint64_t>& limbs) {
  std::vector<std::string> lines;
  forEachDigitLine(limbs, [&](const std::string& line) { lines.push_back(line); });
  return lines;
}

TEST(DigitLines, a_group_is_ten_digits_with_leading_zeros) {
  EXPECT_EQ(digitGroup(0), "0000000000");
  EXPECT_EQ(digitGroup(7), "0000000007");
  EXPECT_EQ(digitGroup(123456789), "0123456789");
  EXPECT_EQ(digitGroup(9999999999), "9999999999");
}

TEST(DigitLines, a_single_limb_makes_one_partial_line) {
  EXPECT_EQ(linesOf({3, 1416210294}), std::vector<std::string>{"3.1416210294  "});
}

TEST(DigitLines, five_limbs_make_one_full_line_and_no_partial_line) {
  EXPECT_EQ(linesOf({3, 1, 2, 3, 4, 5}),
            std::vector<std::string>{"3.0000000001  0000000002  0000000003  0000000004  "
                                     "0000000005   : 50"});
}

TEST(DigitLines, the_largest_count_ends_on_a_full_line) {
  std::vector<std::uint64_t> limbs(32766, 0);  // 32,765 fractional limbs
  limbs[0] = 3;
  const auto lines = linesOf(limbs);
  EXPECT_EQ(lines.size(), 6553u);
  EXPECT_EQ(lines.back().substr(lines.back().size() - 11), "   : 327650");
}

}  // namespace
}  // namespace zembra
