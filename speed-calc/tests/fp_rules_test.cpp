// The flags each operation raises by IEEE 754's rules: what the estimate's
// status tests see on a platform without hardware flags.
#include <gtest/gtest.h>

#include <functional>
#include <limits>

#include "case_name.hpp"
#include "fp_status.hpp"

namespace tarnwick {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
// Which bit pattern signals is the platform's (legacy MIPS has the opposite).
constexpr double kSignallingNaN = std::numeric_limits<double>::signaling_NaN();
constexpr double kMax = std::numeric_limits<double>::max();
constexpr auto kFloatMax = static_cast<double>(std::numeric_limits<float>::max());

struct RuleCase {
    const char* name;
    std::function<void(FpStatus&)> operation;
    FpFlags expected;
};

class FlagRule : public ::testing::TestWithParam<RuleCase> {};

TEST_P(FlagRule, RaisesWhatIeee754Raises) {
    FpStatus status;
    status.Clear();
    GetParam().operation(status);
    EXPECT_EQ(status.RaisedByRules(), GetParam().expected);
}

const RuleCase kRules[] = {
    {"ordinary_sum", [](FpStatus& s) { s.Add(1, 2); }, 0},
    {"sum_beyond_double", [](FpStatus& s) { s.Add(kMax, kMax); }, kOverflow},
    {"infinity_plus_finite", [](FpStatus& s) { s.Add(kInf, kMax); }, 0},
    {"opposite_infinities_added", [](FpStatus& s) { s.Add(kInf, -kInf); }, kInvalidOperation},
    {"equal_infinities_subtracted", [](FpStatus& s) { s.Subtract(-kInf, -kInf); }, kInvalidOperation},
    {"opposite_infinities_subtracted", [](FpStatus& s) { s.Subtract(kInf, -kInf); }, 0},
    {"quiet_nan_passes_quietly", [](FpStatus& s) { s.Add(kNaN, 1); }, 0},
    {"signalling_nan_is_invalid", [](FpStatus& s) { s.Add(1, kSignallingNaN); }, kInvalidOperation},
    {"product_beyond_double", [](FpStatus& s) { s.Multiply(kMax, 6); }, kOverflow},
    {"zero_times_infinity", [](FpStatus& s) { s.Multiply(-0.0, kInf); }, kInvalidOperation},
    {"division_by_zero", [](FpStatus& s) { s.Divide(-6, 0); }, kDivisionByZero},
    {"zero_by_zero", [](FpStatus& s) { s.Divide(0, -0.0); }, kInvalidOperation},
    {"infinity_by_infinity", [](FpStatus& s) { s.Divide(kInf, -kInf); }, kInvalidOperation},
    {"infinity_by_zero", [](FpStatus& s) { s.Divide(kInf, 0); }, 0},
    {"quotient_beyond_double", [](FpStatus& s) { s.Divide(kMax, 0.5); }, kOverflow},
    {"narrowing_within_float", [](FpStatus& s) { s.Narrow(kFloatMax); }, 0},
    {"narrowing_rounds_down_to_float_max", [](FpStatus& s) { s.Narrow(0x1.fffffefffffffp+127); }, 0},
    {"narrowing_rounds_up_to_infinity", [](FpStatus& s) { s.Narrow(-0x1.ffffffp+127); }, kOverflow},
    {"narrowing_an_infinity", [](FpStatus& s) { s.Narrow(kInf); }, 0},
    {"log_of_positive", [](FpStatus& s) { s.Log(8); }, 0},
    {"log_of_zero", [](FpStatus& s) { s.Log(-0.0); }, kDivisionByZero},
    {"log_of_negative", [](FpStatus& s) { s.Log(-kInf); }, kInvalidOperation},
    {"power_beyond_double", [](FpStatus& s) { s.PowerOf2(1024); }, kOverflow},
    {"power_of_infinity", [](FpStatus& s) { s.PowerOf2(kInf); }, 0},
    {"flags_accumulate", [](FpStatus& s) { s.Divide(s.Log(0), 0); }, kDivisionByZero},
    {"every_flag",
     [](FpStatus& s) {
         s.Add(kInf, -kInf);
         s.Divide(1, 0);
         s.Add(kMax, kMax);
     },
     kInvalidOperation | kDivisionByZero | kOverflow},
};

INSTANTIATE_TEST_SUITE_P(, FlagRule, ::testing::ValuesIn(kRules), testing::CaseName());

TEST(FlagRules, ClearedStatusHasNone) {
    FpStatus status;
    status.Divide(1, 0);
    status.Clear();
    EXPECT_EQ(status.RaisedByRules(), 0);
    EXPECT_EQ(status.Raised(), 0);
}

}  // namespace
}  // namespace tarnwick
