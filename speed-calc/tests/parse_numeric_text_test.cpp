#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "case_name.hpp"
#include "same_bits.hpp"
#include "speed_calc.hpp"

namespace tarnwick {
namespace {

using testing::SameBits;

struct ParseCase {
    const char* name;
    std::string text;
    double expected;
};

class Parse : public ::testing::TestWithParam<ParseCase> {};

TEST_P(Parse, ReadsTheNumber) {
    EXPECT_TRUE(SameBits(ParseNumericText(GetParam().text), GetParam().expected)) << "text: " << GetParam().text;
}

constexpr double kMaxDouble = std::numeric_limits<double>::max();

// Texts at the limits of correct rounding (their digits from Python's exact Decimal arithmetic).
// clang-format off
// Exactly halfway between 0 and the smallest denormal, 2^-1075, all 752 digits.
const std::string kHalfSmallestDenormal =
        "0.00000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
        "0000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
        "0000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
        "0000000000000000000000000247032822920623272088284396434110686182529901307162382212792841250337753635"
        "1043759326499181808179961898982823477228588654633283551779698981993873980053909390631503565951557022"
        "6392290858392449105184435931802849936536152500319370457678249219365623669863658480757001585769269903"
        "7063119282795585513329278343384093519780155312465972635795746227664652728272200563740064854999770965"
        "9947045402082816622623785739345073633900796776193057750674017632467360096895134053553745851666113422"
        "3766678604162159680461914467291840300530057530849048765391711386591646239524912623653881879636239373"
        "2804238910186723484976682350898633885879256283027559956575244555072551893136908362547791869486679949"
        "68324049705821028513185451396213837722826145437693412532098591327667236328125";
// Exactly halfway between the largest double and 2^1024: 2^1024 - 2^970.
const std::string kHalfwayBeyondLargest =
        "1797693134862315807937289714053034150799341327100378269361737789804449682927647509466490179775872070"
        "9633028641669288791094655554785194040263065748867150582068190890200070838367627385484581771153176447"
        "5730270069855571366959622842914819860834936475292719074168444365510704342711559699508093042880177904"
        "174497792";
// One below it.
const std::string kJustBelowThatHalfway =
        "1797693134862315807937289714053034150799341327100378269361737789804449682927647509466490179775872070"
        "9633028641669288791094655554785194040263065748867150582068190890200070838367627385484581771153176447"
        "5730270069855571366959622842914819860834936475292719074168444365510704342711559699508093042880177904"
        "174497791";
// clang-format on

const ParseCase kNumbers[] = {
    // Plain numbers.
    {"integer", "6", 6},
    {"decimal", "2.5", 2.5},
    {"negative", "-3", -3},
    {"plus_sign", "+4", 4},
    {"negative_zero", "-0", -0.0},
    {"leading_point", ".5", 0.5},
    {"trailing_point", "5.", 5},
    {"negative_leading_point", "-.25", -0.25},
    {"leading_zeros", "000012", 12},
    {"exponent", "1.5E2", 150},
    {"lower_case_exponent", "1.5e2", 150},
    {"negative_exponent", "25e-1", 2.5},
    {"exponent_with_plus", "1E+2", 100},
    {"correctly_rounded", "0.1", 0.1},
    {"largest_double", "1.7976931348623157e308", kMaxDouble},

    // Spaces, tabs and line feeds are removed wherever they stand.
    {"blank_inside_digits", "1 2.5", 12.5},
    {"blanks_around", "  8  ", 8},
    {"tab_and_line_feed", "\t-\n3", -3},
    {"blank_inside_exponent", "1 E 2", 100},
    {"blank_inside_hex_prefix", "& H 1F", 31},
    {"blank_after_exponent_letter", "1e 5", 1e5},
    {"blank_after_exponent_sign", "2e+ 3", 2000},
    {"blank_after_sign", "- 5", -5},
    {"blank_after_point", ". 5", 0.5},
    {"blanks_after_number", "8  ", 8},

    // Reading stops at the first character that cannot continue the number.
    {"unit_after_number", "8 Mbps", 8},
    {"comma_is_not_a_separator", "1,5", 1},
    {"second_point", "1.2.3", 1.2},
    {"point_in_exponent", "2e3.5", 2000},
    {"carriage_return_ends", "1\r5", 1},
    {"no_break_space_ends", "1\u00A05", 1},
    {"exponent_without_digits", "1e", 1},
    {"exponent_sign_without_digits", "1e+", 1},
    {"exponent_letter_then_text", "3Ex", 3},

    // No digit read: 0.
    {"empty", "", 0},
    {"only_blanks", " \t\n", 0},
    {"letters", "abc", 0},
    {"only_sign", "-", 0},
    {"only_point", ".", 0},
    {"sign_and_point", "+.", 0},
    {"double_sign", "--5", 0},
    {"exponent_alone", "E5", 0},
    {"c_hex_prefix", "0x10", 0},
    {"infinity_word", "inf", 0},
    {"nan_word", "nan", 0},
    {"fullwidth_digit", "\uFF11", 0},
    {"carriage_return_first", "\r5", 0},

    // Hexadecimal and octal: 32-bit two's complement.
    {"hex", "&H1F", 31},
    {"hex_lower_case", "&hff", 255},
    {"hex_largest_positive", "&H7FFFFFFF", 2147483647},
    {"hex_all_ones_is_minus_one", "&HFFFFFFFF", -1},
    {"hex_smallest_negative", "&H80000000", -2147483648.0},
    {"hex_leading_zeros", "&H0000000001", 1},
    {"hex_stops_at_non_digit", "&H1G", 1},
    {"hex_without_digits", "&H", 0},
    {"hex_then_non_digit", "&Hz", 0},
    {"octal", "&O17", 15},
    {"octal_lower_case", "&o777", 511},
    {"octal_all_ones_is_minus_one", "&O37777777777", -1},
    {"octal_stops_at_eight", "&O78", 7},
    {"octal_without_digits", "&O", 0},
    {"ampersand_other_letter", "&X12", 0},
    {"sign_before_ampersand", "-&H10", 0},

    // Too small for a double: zero, not a failure.
    {"too_small", "1e-400", 0},
    {"too_small_negative", "-1e-400", -0.0},
    {"too_small_many_digits", "123456e-400", 0},
    {"too_small_after_zeros", "0.0000000001e-320", 0},
    {"zero_with_huge_exponent", "0e99999", 0},
    {"smallest_denormal", "4.9406564584124654e-324", 0x1p-1074},
    {"huge_exponent_of_a_fraction", "0.0000000001e310", 1e300},

    // Correctly rounded, to nearest with ties to even, whatever the digits.
    {"tie_rounds_down_to_even", "9007199254740993", 0x1p53},
    {"tie_rounds_up_to_even", "9007199254740995", 0x1.0000000000002p+53},
    {"just_above_a_tie", "9007199254740993.000000000000000000000001", 0x1.0000000000001p+53},
    {"denormal", "4e-320", 0x0.0000000001fap-1022},
    {"largest_denormal", "2.2250738585072011e-308", 0x0.fffffffffffffp-1022},
    {"smallest_normal", "2.2250738585072012e-308", 0x1p-1022},
    {"tie_at_half_the_smallest_denormal", kHalfSmallestDenormal, 0.0},
    {"just_above_half_the_smallest_denormal", kHalfSmallestDenormal + "1", 0x1p-1074},
    {"digit_beyond_the_800th_counts", kHalfSmallestDenormal + std::string(100, '0') + "1", 0x1p-1074},
    {"just_below_the_tie_above_the_largest", kJustBelowThatHalfway, kMaxDouble},

    // Long texts and large exponents: the reader counts an exponent up to a
    // bound of its own, far beyond fast_float's (65,536).
    // A paste of a million digits (the page's test pastes twenty million
    // characters; WebAssembly's tests have 16 MB in all).
    {"a_million_digits", "3." + std::string(1'000'000, '3'), 0x1.aaaaaaaaaaaabp+1},
    {"exponent_at_the_bound", "1e-9999", 0},
    {"exponent_past_the_bound", "1e-10000", 0},
    {"zeros_make_up_for_a_large_exponent", "0." + std::string(70'000, '0') + "15e70001", 1.5},
    {"digits_make_up_for_a_large_negative_exponent", "25" + std::string(70'000, '0') + "e-70000", 25},
    {"large_exponent_and_a_point", "12" + std::string(70'000, '0') + ".5e-70001", 1.2},
};

INSTANTIATE_TEST_SUITE_P(, Parse, ::testing::ValuesIn(kNumbers), testing::CaseName());

// Where the user's decimal separator is a comma, it is a decimal point too.
class ParseWithCommaSeparator : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseWithCommaSeparator, ReadsTheNumber) {
    EXPECT_TRUE(SameBits(ParseNumericText(GetParam().text, ","), GetParam().expected)) << "text: " << GetParam().text;
}

const ParseCase kCommaNumbers[] = {
    {"comma_is_the_point", "9,5", 9.5},
    {"full_stop_still_the_point", "9.5", 9.5},
    {"one_point_a_number_comma_first", "1,5.2", 1.5},
    {"one_point_a_number_full_stop_first", "1.5,2", 1.5},
    {"leading_comma", ",5", 0.5},
    {"trailing_comma", "5,", 5},
    {"negative", "-2,5", -2.5},
    {"exponent", "1,5E2", 150},
    {"comma_in_the_exponent_ends_it", "1e2,5", 100},
    {"blanks_around_the_comma", "1 , 5", 1.5},
    {"only_a_comma", ",", 0},
    {"the_result_read_back", "5,656854", 5.656854},
    {"correctly_rounded", "0,1", 0.1},
    {"many_digits", "3," + std::string(1000, '3'), 0x1.aaaaaaaaaaaabp+1},
    {"large_exponent", "0," + std::string(70'000, '0') + "15e70001", 1.5},
    {"hex_unchanged", "&H1,F", 1},
    {"unit_after", "2,5 Mbps", 2.5},
};

INSTANTIATE_TEST_SUITE_P(, ParseWithCommaSeparator, ::testing::ValuesIn(kCommaNumbers), testing::CaseName());

// Any other separator leaves the comma what it is: the end of the number.
TEST(ParseWithOtherSeparators, TheCommaEndsTheNumber) {
    for (const std::string_view separator : {".", "\u066B", ",,", ""}) {
        EXPECT_EQ(ParseNumericText("1,5", separator), 1.0) << "separator: " << separator;
        EXPECT_EQ(ParseNumericText("1.5", separator), 1.5) << "separator: " << separator;
    }
}

struct OverflowCase {
    const char* name;
    std::string text;
};

class ParseOverflow : public ::testing::TestWithParam<OverflowCase> {};

TEST_P(ParseOverflow, Throws) {
    try {
        (void)ParseNumericText(GetParam().text);
        ADD_FAILURE() << "no failure for " << GetParam().text;
    } catch (const RunFailure& failure) {
        EXPECT_EQ(failure.kind(), FailureKind::Overflow);
    }
}

const OverflowCase kOverflows[] = {
    {"beyond_double", "1e400"},
    {"negative_beyond_double", "-1e400"},
    {"just_beyond_largest_double", "1.8e308"},
    {"huge_exponent", "1e99999999999999999999"},
    {"large_exponent", "1e70000"},
    {"digits_past_a_large_negative_exponent", "1" + std::string(70'400, '0') + "e-70000"},
    {"long_digit_run", std::string(400, '9')},
    {"long_digit_run_with_point", std::string(400, '9') + ".5"},
    {"tie_above_the_largest_rounds_up", kHalfwayBeyondLargest},
    {"hex_beyond_32_bits", "&H100000000"},
    {"octal_beyond_32_bits", "&O40000000000"},
};

INSTANTIATE_TEST_SUITE_P(, ParseOverflow, ::testing::ValuesIn(kOverflows), testing::CaseName());

}  // namespace
}  // namespace tarnwick
