// Time per call of the three calculations and of reading and writing field texts (target: under 1 µs each), and of
// the several-cranes search at its largest (target: under 1 ms).
#include "calculations.h"
#include "crane_arrangement.h"

#include <benchmark/benchmark.h>

#include <array>
#include <string>

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

// Four different four-wheel cranes, two of them asymmetric, free order, up to four on the rail: every group, order,
// way round and wheel, with the working and the notes written.
void BM_CraneArrangementFourByFour(benchmark::State& state) {
  CraneArrangementTexts texts{.J1 = "6", .J2 = "12", .maxOnRail = "4"};
  const std::array<std::array<std::string, 4>, 4> cranes{{{"300", "10", "1.6+5.2+1.6", ""},
                                                          {"250", "9.5", "1.5+5+1.5", "0.6"},
                                                          {"200", "9", "1.4+4.8+1.4", ""},
                                                          {"280", "10.5", "1.6+5.6+1.6", "1"}}};
  for (const auto& [Pmax, B, spacings, end] : cranes) {
    texts.cranes.push_back({.Pmax = Pmax,
                            .Pmin = "60",
                            .B = B,
                            .wheelsPerSide = "4",
                            .spacings = spacings,
                            .endDistance = end,
                            .alphaH = "0.1",
                            .Q = "32",
                            .Q1 = "11"});
  }
  for (auto _ : state) {
    benchmark::DoNotOptimize(texts);
    benchmark::DoNotOptimize(CalculateCraneArrangement(texts));
  }
}
BENCHMARK(BM_CraneArrangementFourByFour)->Unit(benchmark::kMicrosecond);

}  // namespace
