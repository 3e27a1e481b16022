#include <gtest/gtest.h>

#include <tuple>

#include "engine/digits/kernel/kernel.h"
#include "engine/environment_notes.h"
#include "engine/quoted.h"

namespace zembra {
namespace {

// ZEMBRA_KERNEL as written, on a processor that runs the portable and AVX2 kernels only.
TEST(KernelChoice, an_available_kernel_is_taken_and_anything_else_gives_the_widest_and_says_so) {
  const kernel::Kernel available[] = {{"portable", 8, nullptr}, {"avx2", 16, nullptr}};
  const std::tuple<const char*, const char*, std::string> cases[] = {
      {nullptr, "avx2", ""},
      {"", "avx2", ""},
      {"portable", "portable", ""},
      {"avx2", "avx2", ""},
      {"avx512", "avx2", "ZEMBRA_KERNEL=avx512 cannot run on this processor; using avx2"},
      {"AVX2", "avx2", "ZEMBRA_KERNEL=AVX2 is not a kernel (portable, avx2 or avx512); using avx2"},
      {"bogus\n", "avx2",
       "ZEMBRA_KERNEL='bogus'$'\\n' is not a kernel (portable, avx2 or avx512); using avx2"},
  };
  for (const auto& [asked, chosen, note] : cases) {
    const kernel::KernelChoice choice = kernel::chooseKernel(asked, available);
    EXPECT_EQ(choice.kernel->name, chosen) << (asked ? asked : "unset");
    EXPECT_EQ(kernelNote(asked, choice), note);
  }
}

// Printable text, UTF-8 included, stays; anything else is quoted as a shell reads it back.
TEST(QuotedForMessage, quotes_only_text_with_unprintable_bytes_and_escapes_them) {
  const std::pair<std::string, std::string> cases[] = {
      {"pi.txt", "pi.txt"},
      {"a b/円周率.txt", "a b/円周率.txt"},
      {"", ""},
      {"a\x1b[31mRED", "'a'$'\\033''[31mRED'"},
      {"line\nnext", "'line'$'\\n''next'"},
      {"it's\t", "'it'\\''s'$'\\t'"},
      {"\x7f", "$'\\177'"},
      {"\xff\xfe", "$'\\377\\376'"},  // not UTF-8
      {"\xc2\x9b", "$'\\302\\233'"},  // a C1 control
      {"\xe5\x86", "$'\\345\\206'"},  // a character cut short
  };
  for (const auto& [text, shown] : cases) EXPECT_EQ(quotedForMessage(text), shown) << text;
}

}  // namespace
}  // namespace zembra
