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

// The same texts for every reader: made once, on first use.
const std::vector<std::string>& Typed() {
    static const std::vector<std::string> texts = Texts(1, 7);
    return texts;
}
const std::vector<std::string>& Long() {
    static const std::vector<std::string> texts = Texts(16, 19);
    return texts;
}
const std::vector<std::string>& Huge() {
    static const std::vector<std::string> texts = Texts(800, 800);
    return texts;
}

void Read(benchmark::State& state, double (*read)(const std::string&), const std::vector<std::string>& (*texts)()) {
    const std::vector<std::string>& all = texts();
    for (auto _ : state) {  // NOLINT(clang-analyzer-deadcode.DeadStores): the loop variable is unused by design
        for (const std::string& text : all) benchmark::DoNotOptimize(read(text));
    }
    // The time of one text, as the figure to compare.
    state.counters["per_text"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * static_cast<double>(all.size()),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

BENCHMARK_CAPTURE(Read, typed_ParseNumericText, &ByParseNumericText, &Typed);
BENCHMARK_CAPTURE(Read, typed_strtod, &ByStrtod, &Typed);
BENCHMARK_CAPTURE(Read, typed_from_chars, &ByFromChars, &Typed);
BENCHMARK_CAPTURE(Read, 16_to_19_digits_ParseNumericText, &ByParseNumericText, &Long);
BENCHMARK_CAPTURE(Read, 16_to_19_digits_strtod, &ByStrtod, &Long);
BENCHMARK_CAPTURE(Read, 16_to_19_digits_from_chars, &ByFromChars, &Long);
BENCHMARK_CAPTURE(Read, 800_digits_ParseNumericText, &ByParseNumericText, &Huge);
BENCHMARK_CAPTURE(Read, 800_digits_strtod, &ByStrtod, &Huge);
BENCHMARK_CAPTURE(Read, 800_digits_from_chars, &ByFromChars, &Huge);

}  // namespace

BENCHMARK_MAIN();
