// What a run says of ZEMBRA_THREADS and ZEMBRA_KERNEL, and how a message quotes what the user gave.
#include "engine/environment_notes.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <tuple>

#include "engine/digits/kernel/kernel.h"
#include "engine/digits/worker_pool.h"
#include "engine/quoted.h"

namespace zembra {
namespace {

// ZEMBRA_THREADS as written, on 4 processors: the threads a run uses, and what it is told.
TEST(ThreadCount, a_positive_whole_number_up_to_the_processors_is_taken_and_anything_else_said) {
  const std::string notNumber =
      " is not a positive whole number; using 4 threads, one per processor";
  const std::string tooMany =
      " is more than the 4 processors this program may run on; using 4 threads";
  const std::tuple<const char*, int, std::string> cases[] = {
      {nullptr, 4, ""},      {"", 4, ""},
      {"1", 1, ""},          {"4", 4, ""},
      {"04", 4, ""},         {"5", 4, tooMany},
      {"99999", 4, tooMany}, {"99999999999999999999", 4, tooMany},
      {"0", 4, notNumber},   {"-2", 4, notNumber},
      {"two", 4, notNumber}, {"7x", 4, notNumber},
      {" 3", 4, notNumber},  {"+3", 4, notNumber},
      {"2.5", 4, notNumber}, {"-99999999999999999999", 4, notNumber},
  };
  for (const auto& [asked, threads, note] : cases) {
    const ThreadCount count = chooseThreadCount(asked, 4);
    EXPECT_EQ(count.threads, threads) << (asked ? asked : "unset");
    EXPECT_EQ(threadCountNote(asked, count),
              note.empty() ? "" : "ZEMBRA_THREADS=" + std::string(asked) + note);
  }
  EXPECT_EQ(
      threadCountNote("2", chooseThreadCount("2", 1)),
      "ZEMBRA_THREADS=2 is more than the 1 processor this program may run on; using 1 thread");
  // The variable is read at every run.
  ::setenv("ZEMBRA_THREADS", "1", 1);
  EXPECT_EQ(WorkerPool::defaultSize(), 1);
  ::unsetenv("ZEMBRA_THREADS");  // the later tests take the processors' count
  EXPECT_GE(WorkerPool::defaultSize(), 1);
}

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
