#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "case_name.hpp"
#include "headroom_estimate.hpp"
#include "same_bits.hpp"
#include "speed_calc.hpp"

namespace tarnwick {
namespace {

using testing::SameBits;
constexpr float inf = std::numeric_limits<float>::infinity();
constexpr float nan = std::numeric_limits<float>::quiet_NaN();

class Estimate : public ::testing::Test {
protected:
    void SetUp() override { status.Clear(); }
    FpStatus status;
};

struct EstimateCase {
    const char* name;
    float dsMargin, minMargin, currentSpeed;
    float expected;
    SpeedVerdict verdict;
};

class EstimateValue : public Estimate, public ::testing::WithParamInterface<EstimateCase> {};

TEST_P(EstimateValue, IsExactToTheLastBit) {
    const EstimateCase& c = GetParam();
    const float estimate = EstimateMaxSpeed(c.dsMargin, c.minMargin, c.currentSpeed, status);
    EXPECT_TRUE(SameBits(estimate, c.expected));
    status.Clear();  // an estimate beyond the float range flags an overflow, which the next would see
    EXPECT_TRUE(SameBits(EstimateMaxSpeed(c.dsMargin, c.minMargin, c.currentSpeed), c.expected));
    EXPECT_EQ(CompareSpeeds(estimate, c.currentSpeed), c.verdict);
}

// Expected values come from estimate_oracle.py, which evaluates the same steps
// with correctly rounded logarithms and powers in decimal arithmetic.
constexpr EstimateCase kEstimates[] = {
    // Every 6 dB above the minimum doubles the speed, every 6 dB below halves it.
    {"six_db_above_doubles", 12, 6, 8, 0x1p+4f, SpeedVerdict::Higher},
    {"equal_margins_keep_8", 6, 6, 8, 0x1p+3f, SpeedVerdict::Equal},
    {"three_db_below", 3, 6, 8, 0x1.6a09e6p+2f, SpeedVerdict::Lower},
    {"six_db_below_halves", 0, 6, 8, 0x1p+2f, SpeedVerdict::Lower},
    {"eighteen_db_above", 24, 6, 8, 0x1p+6f, SpeedVerdict::Higher},
    {"negative_margins", -3, -6, 8, 0x1.6a09e6p+3f, SpeedVerdict::Higher},
    {"fractional_inputs", 9.5f, 6, 2.5f, 0x1.df755p+1f, SpeedVerdict::Higher},
    {"sum_narrows_to_zero", 6, 6, 0.5f, 0x1p-1f, SpeedVerdict::Equal},
    {"below_minimum_at_speed_1", 0, 6, 1, 0x1p-1f, SpeedVerdict::Lower},
    {"far_below_minimum_gives_0", -1000, 0, 1, 0.0f, SpeedVerdict::Lower},
    {"six_above_at_24", 12, 6, 24, 0x1.7ffffap+5f, SpeedVerdict::Higher},

    // Equal margins: only the narrowing of 6 * log2(C) + D to a float decides
    // the last bit, and it depends on the margins themselves.
    {"margins_0_speed_24_exact", 0, 0, 24, 0x1.8p+4f, SpeedVerdict::Equal},
    {"margins_6_speed_24_below", 6, 6, 24, 0x1.7ffffap+4f, SpeedVerdict::Lower},
    {"margins_50_speed_24_below", 50, 50, 24, 0x1.7ffffap+4f, SpeedVerdict::Lower},
    {"margins_0_speed_10_below", 0, 0, 10, 0x1.3ffffep+3f, SpeedVerdict::Lower},
    {"margins_6_speed_10_below", 6, 6, 10, 0x1.3ffffep+3f, SpeedVerdict::Lower},
    {"margins_50_speed_10_above", 50, 50, 10, 0x1.400008p+3f, SpeedVerdict::Higher},
    {"margins_minus20_speed_10_exact", -20, -20, 10, 0x1.4p+3f, SpeedVerdict::Equal},
    {"margins_0_speed_2p5_exact", 0, 0, 2.5f, 0x1.4p+1f, SpeedVerdict::Equal},
    {"margins_6_speed_2p5_below", 6, 6, 2.5f, 0x1.3ffffep+1f, SpeedVerdict::Lower},
    {"margins_6_speed_3_exact", 6, 6, 3, 0x1.8p+1f, SpeedVerdict::Equal},
    {"margins_50_speed_3_below", 50, 50, 3, 0x1.7ffffap+1f, SpeedVerdict::Lower},
    {"margins_6_speed_7_exact", 6, 6, 7, 0x1.cp+2f, SpeedVerdict::Equal},
    {"margins_50_speed_7_above", 50, 50, 7, 0x1.c00006p+2f, SpeedVerdict::Higher},
    {"margins_6_speed_1p5_exact", 6, 6, 1.5f, 0x1.8p+0f, SpeedVerdict::Equal},
    {"margins_50_speed_1p5_below", 50, 50, 1.5f, 0x1.7ffffap+0f, SpeedVerdict::Lower},
    {"margins_6_speed_100_below", 6, 6, 100, 0x1.8ffffep+6f, SpeedVerdict::Lower},
    {"margins_6_speed_0p1_exact", 6, 6, 0.1f, 0x1.99999ap-4f, SpeedVerdict::Equal},

    // Inputs that went beyond the float range while being typed: the estimate
    // carries on with infinities unless two of them cancel.
    {"infinite_ds_margin", inf, 6, 8, inf, SpeedVerdict::Higher},
    {"infinite_minimum_margin", 6, inf, 8, 0.0f, SpeedVerdict::Lower},
    {"opposite_infinite_margins_up", inf, -inf, 8, inf, SpeedVerdict::Higher},
    {"opposite_infinite_margins_down", -inf, inf, 8, 0.0f, SpeedVerdict::Lower},
    // An estimate beyond the float range is +infinity, reported as nothing.
    {"estimate_beyond_float_range", 6000, 0, 1, inf, SpeedVerdict::Higher},
};

INSTANTIATE_TEST_SUITE_P(, EstimateValue, ::testing::ValuesIn(kEstimates), testing::CaseName());

struct FailureCase {
    const char* name;
    float dsMargin, minMargin, currentSpeed;
    FpFlags flagsBefore;  // floating-point flags already raised when the estimate starts
    FailureKind expected;
};

class EstimateFailure : public Estimate, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(EstimateFailure, ThrowsTheKindOfTheFirstFaultyStep) {
    const FailureCase& c = GetParam();
    status.Raise(c.flagsBefore);
    try {
        (void)EstimateMaxSpeed(c.dsMargin, c.minMargin, c.currentSpeed, status);
        ADD_FAILURE() << "no failure";
    } catch (const RunFailure& failure) {
        EXPECT_EQ(failure.kind(), c.expected);
    }
}

constexpr FailureCase kFailures[] = {
    // A current speed of 0 or less has no logarithm.
    {"current_speed_zero", 12, 6, 0, 0, FailureKind::InvalidArgument},
    {"current_speed_negative_zero", 12, 6, -0.0f, 0, FailureKind::InvalidArgument},
    {"current_speed_negative", 12, 6, -8, 0, FailureKind::InvalidArgument},
    {"current_speed_minus_infinity", 12, 6, -inf, 0, FailureKind::InvalidArgument},
    {"logarithm_before_flags", 12, 6, 0, kOverflow, FailureKind::InvalidArgument},
    // Infinite margins of the same sign cancel: infinity minus infinity.
    {"both_margins_plus_infinity", inf, inf, 8, 0, FailureKind::InvalidOperation},
    {"both_margins_minus_infinity", -inf, -inf, 8, 0, FailureKind::InvalidOperation},
    // The status is read, not cleared: flags raised since the caller last
    // cleared it count, invalid operation before division by zero before overflow.
    {"overflow_flag_before", 12, 6, 8, kOverflow, FailureKind::Overflow},
    {"division_flag_before", 12, 6, 8, kDivisionByZero | kOverflow, FailureKind::DivisionByZero},
    {"invalid_flag_before", 12, 6, 8, kInvalidOperation | kDivisionByZero | kOverflow, FailureKind::InvalidOperation},
};

INSTANTIATE_TEST_SUITE_P(, EstimateFailure, ::testing::ValuesIn(kFailures), testing::CaseName());

struct CompareCase {
    const char* name;
    float estimated, current;
    SpeedVerdict expected;
};

class Comparison : public ::testing::TestWithParam<CompareCase> {};

TEST_P(Comparison, IsExact) { EXPECT_EQ(CompareSpeeds(GetParam().estimated, GetParam().current), GetParam().expected); }

constexpr CompareCase kComparisons[] = {
    {"equal", 8, 8, SpeedVerdict::Equal},
    {"one_bit_above", 0x1.400002p+3f, 10, SpeedVerdict::Higher},
    {"one_bit_below", 0x1.3ffffep+3f, 10, SpeedVerdict::Lower},
    {"signed_zeros_are_equal", -0.0f, 0.0f, SpeedVerdict::Equal},
    {"infinities_are_equal", inf, inf, SpeedVerdict::Equal},
    {"infinity_above", inf, 8, SpeedVerdict::Higher},
    {"nan_estimate", nan, 8, SpeedVerdict::Lower},
    {"nan_current", 8, nan, SpeedVerdict::Lower},
};

INSTANTIATE_TEST_SUITE_P(, Comparison, ::testing::ValuesIn(kComparisons), testing::CaseName());

TEST(VerdictColour, LightRedWhiteLightGreen) {
    EXPECT_EQ(VerdictColour(SpeedVerdict::Lower), (Colour{255, 180, 180}));
    EXPECT_EQ(VerdictColour(SpeedVerdict::Equal), (Colour{255, 255, 255}));
    EXPECT_EQ(VerdictColour(SpeedVerdict::Higher), (Colour{200, 255, 200}));
}

}  // namespace
}  // namespace tarnwick
