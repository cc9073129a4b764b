// How fast typed numbers are read: ParseNumericText beside the C library's
// strtod and the standard library's std::from_chars, over the same texts,
// in three groups: numbers as people type them (1 to 7 digits), 16 to 19
// digits (a value pasted from elsewhere), and 800 digits.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "speed_calc.hpp"

namespace {

// 1,000 texts of `fewest` to `most` digits, most with a full stop within
// their first 300 digits (so that each is a double), from a fixed seed: the
// same texts every run.
std::vector<std::string> Texts(int fewest, int most) {
    std::mt19937 random(20261211);
    std::uniform_int_distribution<int> length(fewest, most);
    std::uniform_int_distribution<int> digit(0, 9);
    std::vector<std::string> texts;
    for (int i = 0; i < 1000; ++i) {
        const int digits = length(random);
        const int point = 1 + (i % std::min(digits, 300));
        std::string text;
        for (int d = 0; d < digits; ++d) {
            if (d == point) text += '.';
            text += static_cast<char>('0' + digit(random));
        }
        texts.push_back(text);
    }
    return texts;
}

double ByParseNumericText(const std::string& text) { return tarnwick::ParseNumericText(text); }
double ByStrtod(const std::string& text) { return std::strtod(text.c_str(), nullptr); }
double ByFromChars(const std::string& text) {
    double value = 0.0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

void ReadAll(benchmark::State& state, double (*read)(const std::string&), const std::vector<std::string>* texts) {
    for (auto _ : state) {  // NOLINT(clang-analyzer-deadcode.DeadStores): the loop variable is unused by design
        for (const std::string& text : *texts) benchmark::DoNotOptimize(read(text));
    }
    // The time of one text, as the figure to compare.
    state.counters["per_text"] = benchmark::Counter(static_cast<double>(state.iterations() * texts->size()),
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> typed = Texts(1, 7);
    const std::vector<std::string> long_ = Texts(16, 19);
    const std::vector<std::string> huge = Texts(800, 800);
    for (const auto& [group, texts] : {std::pair{"typed", &typed}, {"16-19 digits", &long_}, {"800 digits", &huge}}) {
        for (const auto& [name, read] : {std::pair{"ParseNumericText", &ByParseNumericText},
                 {"strtod", &ByStrtod}, {"from_chars", &ByFromChars}}) {
            benchmark::RegisterBenchmark((std::string(group) + "/" + name).c_str(), ReadAll, read, texts);
        }
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}
