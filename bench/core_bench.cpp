// Time per call of the three calculations and of reading and writing field texts (target: under 1 µs each).
#include "calculations.h"

#include <benchmark/benchmark.h>

namespace {

using namespace kelvaro;

void BM_ComputeVerticalLoads(benchmark::State& state) {
  float Z = 0.9f, J = 6, B = 5.5f, W = 4.4f, Pmax = 100, Pmin = 30;
  for (auto _ : state) {
    benchmark::DoNotOptimize(Z), benchmark::DoNotOptimize(Pmax);
    benchmark::DoNotOptimize(ComputeVerticalLoads(Z, J, B, W, Pmax, Pmin));
  }
}
BENCHMARK(BM_ComputeVerticalLoads);

void BM_ComputeMinWheelPressure(benchmark::State& state) {
  float Pmax = 100, G = 20, Q = 10;
  for (auto _ : state) {
    benchmark::DoNotOptimize(Pmax);
    benchmark::DoNotOptimize(ComputeMinWheelPressure(Pmax, G, Q, FieldText{"2"}));
  }
}
BENCHMARK(BM_ComputeMinWheelPressure);

void BM_ComputeHorizontalLoads(benchmark::State& state) {
  float G1 = 3.5f, Q = 10, AlphaH = 0.12f, Z = 0.9f, N = 4, B = 5.5f, W = 4.4f;
  for (auto _ : state) {
    benchmark::DoNotOptimize(G1);
    benchmark::DoNotOptimize(ComputeHorizontalLoads(G1, Q, AlphaH, Z, N, FieldText{"6"}, B, W));
  }
}
BENCHMARK(BM_ComputeHorizontalLoads);

void BM_ParseAndFormat(benchmark::State& state) {
  for (auto _ : state) {
    const auto value = ParseFieldValue("１００．５");
    benchmark::DoNotOptimize(FormatResult(value ? *value : 0.0f));
  }
}
BENCHMARK(BM_ParseAndFormat);

}  // namespace
