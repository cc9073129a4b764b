// Formats every one of the 2^32 float bit patterns with FormatSingle and
// compares each with an independent writer built on the C library's "%.6e"
// (correctly rounded in glibc). Opt in: ctest --preset exhaustive.
//
//   speed-calc-exhaustive-format [first last]            (bit patterns, hexadecimal; default all)
//   speed-calc-exhaustive-format --digest [first last]   a digest of every text instead
//
// The digest is for builds whose C library is too slow to check against in
// reasonable time (musl's printf in WebAssembly works in emulated 128-bit
// long double): the same digest as a build that passed the check proves the
// same texts, float by float.

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "bit_cast.hpp"
#include "speed_calc.hpp"

namespace {

// The 7-significant-digit text from "%.6e": trailing zeros dropped, exponent
// form below 1E-04 and from 1E+07 up, otherwise plain digits.
std::string Expected(float value) {
    if (std::isnan(value)) return "NaN";
    if (std::isinf(value)) return value > 0 ? "Infinity" : "-Infinity";
    if (value == 0.0f) return "0";

    char scientific[32];
    std::snprintf(scientific, sizeof scientific, "%.6e", static_cast<double>(value));
    const char* p = scientific;
    std::string sign;
    if (*p == '-') {
        sign = "-";
        ++p;
    }
    std::string digits;
    for (; *p != 'e'; ++p) {
        if (*p != '.') digits += *p;
    }
    const int exponent = std::atoi(p + 1);
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

    if (exponent < -4 || exponent >= 7) {
        std::string text = sign + digits.substr(0, 1);
        if (digits.size() > 1) text += "." + digits.substr(1);
        const int magnitude = std::abs(exponent);
        text += exponent < 0 ? "E-" : "E+";
        if (magnitude < 10) text += "0";
        return text + std::to_string(magnitude);
    }
    if (exponent < 0) return sign + "0." + std::string(static_cast<std::size_t>(-(exponent + 1)), '0') + digits;
    const std::size_t whole = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= whole) return sign + digits + std::string(whole - digits.size(), '0');
    return sign + digits.substr(0, whole) + "." + digits.substr(whole);
}

// Prints a line at every sixteenth of the run, so that a long run shows it is
// alive and how long the rest will take.
void ReportProgress(std::uint64_t before, std::uint64_t added, std::uint64_t total,
                    std::chrono::steady_clock::time_point start) {
    const std::uint64_t step = std::max<std::uint64_t>(total / 16, 1);
    if (before / step == (before + added) / step) return;
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double share = static_cast<double>(before + added) / static_cast<double>(total);
    std::printf("progress: %3.0f%% in %.0f s, about %.0f s to go\n", 100 * share, seconds, (seconds / share) - seconds);
    std::fflush(stdout);
}

// FNV-1a over a block's texts, each ended by a zero byte.
std::uint64_t Fnv1a(std::uint64_t hash, const std::string& text) {
    for (const char c : text) hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001B3;
    return hash * 0x100000001B3;
}

// Mixes a block's number into its digest, so that blocks can be added up in
// any order (the threads finish them in any order) and still be told apart.
std::uint64_t Mix(std::uint64_t value) {
    value ^= value >> 33;
    value *= 0xFF51AFD7ED558CCD;
    value ^= value >> 33;
    return value;
}

}  // namespace

int main(int argc, char* argv[]) {
    const bool digestOnly = argc > 1 && std::string(argv[1]) == "--digest";
    const int rangeAt = digestOnly ? 2 : 1;
    std::uint64_t first = 0;
    std::uint64_t last = 0xFFFFFFFF;
    if (argc == rangeAt + 2) {
        first = std::strtoull(argv[rangeAt], nullptr, 16);
        last = std::strtoull(argv[rangeAt + 1], nullptr, 16);
    }

    std::atomic<std::uint64_t> checked{0};
    std::atomic<std::uint64_t> mismatches{0};
    std::atomic<std::uint64_t> digest{0};
    const auto start = std::chrono::steady_clock::now();

    // Interleaved blocks, so that every thread meets every kind of value.
    const auto check = [&](unsigned thread, unsigned stride) {
        constexpr std::uint64_t block = 1 << 16;
        for (std::uint64_t begin = first + (thread * block); begin <= last; begin += stride * block) {
            const std::uint64_t end = std::min(begin + block - 1, last);
            std::uint64_t blockDigest = 0xCBF29CE484222325;
            for (std::uint64_t bits = begin; bits <= end; ++bits) {
                const auto value = tarnwick::BitCast<float>(static_cast<std::uint32_t>(bits));
                const std::string actual = tarnwick::FormatSingle(value, ".");
                blockDigest = Fnv1a(blockDigest, actual);
                if (digestOnly) continue;
                const std::string expected = Expected(value);
                if (actual != expected && mismatches.fetch_add(1) < 20) {
                    std::printf("0x%08llx: \"%s\" instead of \"%s\"\n", static_cast<unsigned long long>(bits),
                                actual.c_str(), expected.c_str());
                }
            }
            digest += Mix(blockDigest ^ Mix(begin));
            ReportProgress(checked.fetch_add(end - begin + 1), end - begin + 1, last - first + 1, start);
        }
    };

    // Where no thread can be started (WebAssembly built without threads), this one does it all.
    unsigned threads = std::max(1u, std::thread::hardware_concurrency());
    std::vector<std::thread> workers;
    try {
        for (unsigned t = 0; t < threads; ++t) workers.emplace_back(check, t, threads);
    } catch (const std::system_error&) {
        if (!workers.empty()) std::abort();  // some started, some not: start again with fewer
        threads = 1;
        check(0, 1);
    }
    for (std::thread& worker : workers) worker.join();

    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("digest of the texts of 0x%08llx to 0x%08llx: %016llx\n", static_cast<unsigned long long>(first),
                static_cast<unsigned long long>(last), static_cast<unsigned long long>(digest.load()));
    if (digestOnly) {
        std::printf("wrote %llu floats on %u threads in %.0f s\n", static_cast<unsigned long long>(checked.load()),
                    threads, seconds);
        return 0;
    }
    std::printf("%llu passed, %llu failed\n", static_cast<unsigned long long>(checked - mismatches),
                static_cast<unsigned long long>(mismatches.load()));
    std::printf("checked %llu floats on %u threads in %.0f s\n", static_cast<unsigned long long>(checked.load()),
                threads, seconds);
    return mismatches == 0 ? 0 : 1;
}
