// Where the processor keeps the floating-point flags: the flags that FpStatus
// derives by IEEE 754's rules, which are all that WebAssembly has, agree with
// the processor's own, operation by operation and over whole estimates, for
// numbers of every class.
#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

#include "bit_cast.hpp"
#include "fp_status.hpp"
#include "headroom_estimate.hpp"
#include "same_bits.hpp"
#include "speed_calc.hpp"

namespace tarnwick {
namespace {

using Limits = std::numeric_limits<double>;
using FloatLimits = std::numeric_limits<float>;

// Doubles of every class, both signs: zeros, denormals, normals at the float
// and double limits and around the narrowing's rounding boundary,
// infinities, and NaNs, quiet and signalling.
std::vector<double> EdgeDoubles() {
    const auto floatMax = static_cast<double>(FloatLimits::max());
    const auto floatOverflowBoundary = BitCast<double>(std::uint64_t{0x47EFFFFFF0000000});  // 2^128 - 2^103
    const std::vector<double> magnitudes = {
        0.0,
        Limits::denorm_min(),
        BitCast<double>(std::uint64_t{0x000FFFFFFFFFFFFF}),  // the largest denormal
        Limits::min(),
        static_cast<double>(FloatLimits::denorm_min()),
        static_cast<double>(FloatLimits::min()),
        0.5,
        1.0,
        2.0,
        6.0,
        8.0,
        1e300,
        floatMax,
        std::nextafter(floatOverflowBoundary, 0.0),
        floatOverflowBoundary,
        std::nextafter(floatMax * 2, Limits::infinity()),
        Limits::max() / 2,
        Limits::max(),
        Limits::infinity(),
        Limits::quiet_NaN(),
        Limits::signaling_NaN(),
    };
    std::vector<double> values;
    for (const double magnitude : magnitudes) {
        values.push_back(magnitude);
        values.push_back(-magnitude);
    }
    return values;
}

// Doubles from random bit patterns: every class turns up, normals most often.
std::vector<double> RandomDoubles(std::size_t count) {
    std::mt19937_64 random(20261208);
    std::vector<double> values(count);
    for (double& value : values) value = BitCast<double>(random());
    return values;
}

// What the processor flagged beside what the rules derived, after one operation.
struct Flags {
    FpFlags processor, rules;
};

template <typename Operation>
Flags FlagsOf(Operation operation) {
    FpStatus status;
    status.Clear();
    operation(status);
    return {status.Raised(), status.RaisedByRules()};
}

::testing::AssertionResult Agree(const Flags& flags, double a, double b) {
    if (flags.processor == flags.rules) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "processor " << int{flags.processor} << ", rules " << int{flags.rules}
                                         << " for " << testing::Describe(a) << " and " << testing::Describe(b);
}

void ExpectAgreementOnEveryOperation(const std::vector<double>& left, const std::vector<double>& right) {
    for (const double a : left) {
        EXPECT_TRUE(Agree(FlagsOf([&](FpStatus& s) { s.Narrow(a); }), a, 0)) << "narrowing";
        // The C libraries differ on the logarithm of 0 and of negative
        // numbers (mingw-w64's raises nothing), which the estimate never
        // takes: it fails with InvalidArgument first.
        if (!std::islessequal(a, 0.0)) {
            EXPECT_TRUE(Agree(FlagsOf([&](FpStatus& s) { s.Log(a); }), a, 0)) << "logarithm";
        }
        EXPECT_TRUE(Agree(FlagsOf([&](FpStatus& s) { s.PowerOf2(a); }), a, 0)) << "power of 2";
        for (const double b : right) {
            EXPECT_TRUE(Agree(FlagsOf([&](FpStatus& s) { s.Add(a, b); }), a, b)) << "sum";
            EXPECT_TRUE(Agree(FlagsOf([&](FpStatus& s) { s.Subtract(a, b); }), a, b)) << "difference";
            EXPECT_TRUE(Agree(FlagsOf([&](FpStatus& s) { s.Multiply(a, b); }), a, b)) << "product";
            EXPECT_TRUE(Agree(FlagsOf([&](FpStatus& s) { s.Divide(a, b); }), a, b)) << "quotient";
        }
    }
}

TEST(DerivedFlags, AgreeWithTheProcessorOnEdgeNumbers) {
    ExpectAgreementOnEveryOperation(EdgeDoubles(), EdgeDoubles());
}

TEST(DerivedFlags, AgreeWithTheProcessorOnRandomNumbers) {
    ExpectAgreementOnEveryOperation(RandomDoubles(300), RandomDoubles(300));
    ExpectAgreementOnEveryOperation(RandomDoubles(100), EdgeDoubles());
}

// The whole estimate, from the narrowing of the current speed on, as the
// Calculate action runs it: the same flags at the end, so the same failure.
TEST(DerivedFlags, AgreeWithTheProcessorOverWholeEstimates) {
    std::vector<double> typed = EdgeDoubles();
    for (const double value : RandomDoubles(12)) typed.push_back(value);
    const std::vector<double> speeds = {8.0, 0.1, 1e-300, 3e38, 1e39, Limits::infinity(), Limits::max()};
    for (const double d : typed) {
        for (const double m : typed) {
            for (const double c : speeds) {
                // The margins' narrowing flags are cleared when the next box is read.
                const auto dsMargin = static_cast<float>(d);
                const auto minMargin = static_cast<float>(m);
                FpStatus status;
                status.Clear();
                const float currentSpeed = status.Narrow(c);
                try {
                    (void)EstimateMaxSpeed(dsMargin, minMargin, currentSpeed, status);
                    // NOLINTNEXTLINE(bugprone-empty-catch): a failing estimate's flags are compared too
                } catch (const RunFailure&) {
                }
                ASSERT_EQ(status.Raised(), status.RaisedByRules())
                    << testing::Describe(d) << ", " << testing::Describe(m) << ", " << testing::Describe(c);
            }
        }
    }
}

// Flags raised by anything else in the thread since the status was last
// cleared count: the status is the processor's.
TEST(HardwareStatus, SeesFlagsRaisedByOthers) {
    std::feclearexcept(FE_ALL_EXCEPT);
    std::feraiseexcept(FE_OVERFLOW);
    try {
        (void)EstimateMaxSpeed(12, 6, 8);
        ADD_FAILURE() << "no failure";
    } catch (const RunFailure& failure) {
        EXPECT_EQ(failure.kind(), FailureKind::Overflow);
    }
}

TEST(HardwareStatus, FlagsNotLookedAtDoNotFail) {
    std::feclearexcept(FE_ALL_EXCEPT);
    std::feraiseexcept(FE_UNDERFLOW | FE_INEXACT);
    EXPECT_TRUE(testing::SameBits(EstimateMaxSpeed(12, 6, 8), 16.0f));
}

}  // namespace
}  // namespace tarnwick
