// Times one run of each evaluation of pi's digits at a few counts, then
// prints a summary table with the ratios against the engine.
//
//   --skip-large-literal           skip the double loops at the largest count
//   ZEMBRA_BENCH_SKIP_LARGE_LITERAL=1   same, from the environment

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "bench/machin_literal.h"
#include "engine/digits/pi_digits.h"
#include "tests/reference/reference.h"

namespace {

const std::vector<double> kCounts{10'000, 100'000, 327'640};

enum class Method { Engine, Literal, Gmp };

// Seconds per (method, count), filled in by the benchmark bodies.
std::map<std::pair<Method, double>, double> g_seconds;

void runOnce(benchmark::State& state, Method method, double n, const std::function<void()>& work) {
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    work();
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    g_seconds[{method, n}] = elapsed.count();
  }
}

void registerRun(const std::string& name, Method method, double n, std::function<void()> work) {
  benchmark::RegisterBenchmark(
      (name + "/" + std::to_string(static_cast<long>(n))).c_str(),
      [method, n, work](benchmark::State& state) { runOnce(state, method, n, work); })
      ->UseRealTime()
      ->Iterations(1)
      ->Unit(benchmark::kSecond);
}

void registerAll(bool skipLargeLiteral) {
  for (const double n : kCounts) {
    registerRun("engine", Method::Engine, n,
                [n] { benchmark::DoNotOptimize(zembra::computePiDigits(n)); });
    if (!(skipLargeLiteral && n == kCounts.back()))
      registerRun("literal", Method::Literal, n,
                  [n] { benchmark::DoNotOptimize(zembra::reference::machinLiteral(n)); });
    registerRun("gmp", Method::Gmp, n,
                [n] { benchmark::DoNotOptimize(zembra::reference::machinFloorsGmp(n)); });
  }
}

// Removes `flag` from argv if present, so the benchmark library never sees it.
bool takeFlag(int& argc, char** argv, const char* flag) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], flag) != 0) continue;
    for (int j = i; j < argc; ++j) argv[j] = argv[j + 1];
    --argc;
    return true;
  }
  return false;
}

std::string processorModel() {
  std::ifstream cpuinfo("/proc/cpuinfo");
  for (std::string line; std::getline(cpuinfo, line);) {
    if (line.rfind("model name", 0) == 0) return line.substr(line.find(':') + 2);
  }
  return "unknown";
}

std::string cell(Method method, double n) {
  const auto found = g_seconds.find({method, n});
  if (found == g_seconds.end()) return "-";
  char text[32];
  std::snprintf(text, sizeof text, "%.3f", found->second);
  return text;
}

std::string ratio(Method method, double n) {
  const auto top = g_seconds.find({method, n});
  const auto engine = g_seconds.find({Method::Engine, n});
  if (top == g_seconds.end() || engine == g_seconds.end() || engine->second <= 0) return "-";
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", top->second / engine->second);
  return text;
}

void printSummary() {
  std::printf("\nProcessor: %s\n", processorModel().c_str());
  std::printf("%9s %11s %11s %11s %15s %11s\n", "N", "engine s", "literal s", "GMP s",
              "literal/engine", "GMP/engine");
  for (const double n : kCounts) {
    std::printf("%9ld %11s %11s %11s %15s %11s\n", static_cast<long>(n),
                cell(Method::Engine, n).c_str(), cell(Method::Literal, n).c_str(),
                cell(Method::Gmp, n).c_str(), ratio(Method::Literal, n).c_str(),
                ratio(Method::Gmp, n).c_str());
  }
}

}  // namespace

int main(int argc, char** argv) {
  const char* fromEnvironment = std::getenv("ZEMBRA_BENCH_SKIP_LARGE_LITERAL");
  const bool skipLargeLiteral =
      takeFlag(argc, argv, "--skip-large-literal") ||
      (fromEnvironment && std::strcmp(fromEnvironment, "0") != 0 && *fromEnvironment != '\0');
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  registerAll(skipLargeLiteral);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  printSummary();
  return 0;
}
