#include <gtest/gtest.h>

#include <limits>

#include "case_name.hpp"
#include "speed_calc.hpp"

namespace tarnwick {
namespace {

struct FormatCase {
    const char* name;
    float value;
    std::string_view separator;
    std::string_view expected;
};

class Format : public ::testing::TestWithParam<FormatCase> {};

TEST_P(Format, WritesSevenSignificantDigits) {
    EXPECT_EQ(FormatSingle(GetParam().value, GetParam().separator), GetParam().expected);
}

constexpr float kInfinity = std::numeric_limits<float>::infinity();

constexpr FormatCase kFormats[] = {
    // Estimates as the result box shows them.
    {"zero", 0.0f, ".", "0"},
    {"negative_zero", -0.0f, ".", "0"},
    {"whole", 16.0f, ".", "16"},
    {"half_keeps_leading_zero", 0.5f, ".", "0.5"},
    {"seven_digits", 0x1.6a09e6p+2f, ".", "5.656854"},
    {"just_below_ten", 0x1.3ffffep+3f, ".", "9.999999"},
    {"just_above_ten_rounds_to_ten", 0x1.400008p+3f, ".", "10"},
    {"rounds_up", 0x1.df755p+1f, ".", "3.745768"},
    {"trailing_digit_dropped", 0x1.7ffffap+4f, ".", "23.99999"},
    {"negative", -0x1.6a09e6p+2f, ".", "-5.656854"},

    // Rounding to 7 digits: ties to even on the exact binary value, and carries.
    {"tie_rounds_down_to_even", 1234566.5f, ".", "1234566"},
    {"tie_rounds_up_to_even", 1234567.5f, ".", "1234568"},
    {"carry_adds_a_digit", 9.9999996f, ".", "10"},
    {"largest_without_exponent", 9999999.0f, ".", "9999999"},

    // The exponent form: from 1E+07 up, and below 1E-04.
    {"ten_million", 1e7f, ".", "1E+07"},
    {"eight_digits", 12345678.0f, ".", "1.234568E+07"},
    {"largest_float", std::numeric_limits<float>::max(), ".", "3.402823E+38"},
    {"one_ten_thousandth", 0.0001f, ".", "0.0001"},
    {"below_one_ten_thousandth", 0.00009999999f, ".", "9.999999E-05"},
    {"smallest_denormal", std::numeric_limits<float>::denorm_min(), ".", "1.401298E-45"},
    {"negative_exponent_form", -12345678.0f, ".", "-1.234568E+07"},

    // Beyond the float range, or not a number.
    {"infinity", kInfinity, ".", "Infinity"},
    {"minus_infinity", -kInfinity, ".", "-Infinity"},
    {"not_a_number", std::numeric_limits<float>::quiet_NaN(), ".", "NaN"},

    // The user's decimal separator, in the exponent form's mantissa too.
    {"comma", 0x1.6a09e6p+2f, ",", "5,656854"},
    {"comma_in_exponent_form", 12345678.0f, ",", "1,234568E+07"},
    {"comma_unused_for_whole", 16.0f, ",", "16"},
    {"multi_byte_separator", 0.5f, "\u066B", "0\u066B5"},
};

INSTANTIATE_TEST_SUITE_P(, Format, ::testing::ValuesIn(kFormats), testing::CaseName());

}  // namespace
}  // namespace tarnwick
