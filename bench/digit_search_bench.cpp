// zembra32-search-bench: the search of a digit sequence over the 327,640
// decimals of one run, as the command-line tool does it, after the run: a
// sequence found once near the end and one found nowhere (every decimal
// read), each digit line fed as the run hands it over. Expected: well under
// 10 ms. The usual Google Benchmark flags work.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

#include "engine/digit_lines.h"
#include "engine/digit_search.h"
#include "engine/digits/pi_digits.h"

namespace {

constexpr long long kDecimals = 327'640;

// The run's digit lines as it hands them over, and its decimals in a row.
struct Run {
  std::vector<std::string> lines;
  std::string decimals;
};

const Run& run() {
  static const Run built = [] {
    Run run;
    const std::vector<std::uint64_t> limbs = zembra::computePiDigits(kDecimals).limbs;
    zembra::forEachDigitLine(limbs,
                             [&run](const std::string& line) { run.lines.push_back(line + "\n"); });
    for (std::size_t i = 1; i < limbs.size(); ++i) {
      const std::string group = std::to_string(limbs[i]);
      run.decimals += std::string(10 - group.size(), '0') + group;
    }
    return run;
  }();
  return built;
}

void search(benchmark::State& state, const std::string& digits) {
  const std::vector<std::string>& lines = run().lines;
  long long found = 0;
  for (auto _ : state) {
    found = 0;
    zembra::DigitScanner scanner = zembra::DigitScanner::forDigitLines(
        digits, kDecimals, [&found](const zembra::DigitMatch&) { ++found; });
    for (const std::string& line : lines) scanner.feed(line);
    benchmark::DoNotOptimize(found);
  }
  state.counters["found"] = static_cast<double>(found);
}

// Places 327,631 … 327,640, the last ten decimals asked for.
void lastDecimals(benchmark::State& state) {
  search(state, run().decimals.substr(kDecimals - 10, 10));
}

BENCHMARK(lastDecimals)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(search, nowhere, std::string("01234567890123456789"))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(search, six_nines, std::string("999999"))->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
