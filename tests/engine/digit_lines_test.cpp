#include "engine/digit_lines.h"

#include <gtest/gtest.h>

namespace zembra {
namespace {

std::vector<std::string> linesOf(const std::vector<std::uint64_t>& limbs) {
  std::vector<std::string> lines;
  forEachDigitLine(limbs, [&](const std::string& line) { lines.push_back(line); });
  return lines;
}

// Groups of ten digits with leading zeros, five to a line that ends with its
// decimal count; a last partial line only when groups are left over.
TEST(DigitLines, groups_of_ten_five_to_a_line_and_a_partial_line_only_for_the_rest) {
  EXPECT_EQ(linesOf({3, 1416210294}), std::vector<std::string>{"3.1416210294  "});
  EXPECT_EQ(linesOf({3, 1, 2, 3, 4, 9999999999, 123456789}),
            (std::vector<std::string>{"3.0000000001  0000000002  0000000003  0000000004  "
                                      "9999999999   : 50",
                                      "  0123456789  "}));
  std::vector<std::uint64_t> limbs(32766, 0);  // the largest count: 32,765 fractional limbs
  limbs[0] = 3;
  const auto lines = linesOf(limbs);
  EXPECT_EQ(lines.size(), 6553u);
  EXPECT_EQ(lines.back().substr(lines.back().size() - 11), "   : 327650");
}

}  // namespace
}  // namespace zembra
