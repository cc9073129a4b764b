// How long one press of Calculate takes, and its parts.
#include <benchmark/benchmark.h>

#include <string>

#include "speed_calc.hpp"

namespace {

using tarnwick::Box;
using tarnwick::Colour;

// Boxes held in memory, as cheap as a view can be.
class MemoryView : public tarnwick::CalcView {
public:
    std::string GetBoxText(Box box) override {
        switch (box) {
        case Box::txtDSM: return "9.5";
        case Box::txtMin: return "6";
        case Box::txtCurSpeed: return "2.5";
        case Box::txtSpeed: break;
        }
        return result;
    }
    void SetBoxBackColour(Box, Colour c) override { colour = c; }
    void SetBoxText(Box, std::string_view text) override { result = text; }

    std::string result;
    Colour colour{};
};

void WholeCalculation(benchmark::State& state) {
    MemoryView view;
    for (auto _ : state) {  // NOLINT(clang-analyzer-deadcode.DeadStores): the loop variable is unused by design
        tarnwick::cmdCalc_Click(view);
        benchmark::DoNotOptimize(view.result);
    }
}
BENCHMARK(WholeCalculation);

void ParseNumericText(benchmark::State& state) {
    std::string text = "9.5";
    for (auto _ : state) {  // NOLINT(clang-analyzer-deadcode.DeadStores): the loop variable is unused by design
        benchmark::DoNotOptimize(text);
        benchmark::DoNotOptimize(tarnwick::ParseNumericText(text));
    }
}
BENCHMARK(ParseNumericText);

void EstimateMaxSpeed(benchmark::State& state) {
    float ds = 9.5f;
    const float min = 6.0f;
    const float current = 2.5f;
    for (auto _ : state) {  // NOLINT(clang-analyzer-deadcode.DeadStores): the loop variable is unused by design
        benchmark::DoNotOptimize(ds);
        benchmark::DoNotOptimize(tarnwick::EstimateMaxSpeed(ds, min, current));
    }
}
BENCHMARK(EstimateMaxSpeed);

void FormatSingle(benchmark::State& state) {
    float value = 3.745767593383789f;
    for (auto _ : state) {  // NOLINT(clang-analyzer-deadcode.DeadStores): the loop variable is unused by design
        benchmark::DoNotOptimize(value);
        benchmark::DoNotOptimize(tarnwick::FormatSingle(value));
    }
}
BENCHMARK(FormatSingle);

}  // namespace

BENCHMARK_MAIN();
