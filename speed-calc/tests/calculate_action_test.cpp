#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "case_name.hpp"
#include "fp_status.hpp"
#include "recording_view.hpp"
#include "speed_calc.hpp"

namespace tarnwick {
namespace {

using testing::RecordingView;

constexpr Colour kLightRed{255, 180, 180};
constexpr Colour kWhite{255, 255, 255};
constexpr Colour kLightGreen{200, 255, 200};

// What txtSpeed shows before each calculation, so that a failure can be seen
// to leave it alone.
constexpr Colour kEarlierColour{1, 2, 3};
const std::string kEarlierText = "earlier result";

const std::vector<std::string> kAllOperations = {"read txtDSM", "read txtMin", "read txtCurSpeed", "colour txtSpeed",
                                                 "write txtSpeed"};
const std::vector<std::string> kReadsOnly = {"read txtDSM", "read txtMin", "read txtCurSpeed"};

struct CalculationCase {
    const char* name;
    std::string dsMargin, minMargin, currentSpeed;
    std::string text;  // the result box's text afterwards
    Colour colour;
};

class Calculation : public ::testing::TestWithParam<CalculationCase> {};

TEST_P(Calculation, WritesColourThenText) {
    const CalculationCase& c = GetParam();
    RecordingView view(c.dsMargin, c.minMargin, c.currentSpeed);
    view.Show(Box::txtSpeed, kEarlierText, kEarlierColour);

    cmdCalc_Click(view);

    EXPECT_EQ(view.text(Box::txtSpeed), c.text);
    EXPECT_EQ(view.colour(Box::txtSpeed), c.colour);
    EXPECT_EQ(view.operations(), kAllOperations);
}

const CalculationCase kCalculations[] = {
    {"six_db_to_spare", "12", "6", "8", "16", kLightGreen},
    {"no_margin_to_spare", "6", "6", "8", "8", kWhite},
    {"margin_below_minimum", "3", "6", "8", "5.656854", kLightRed},
    {"equal_margins_shows_a_loss", "6", "6", "10", "9.999999", kLightRed},
    {"equal_margins_shows_ten_in_green", "50", "50", "10", "10", kLightGreen},
    {"equal_margins_exact", "6", "6", "3", "3", kWhite},
    {"fractions", "9.5", "6", "2.5", "3.745768", kLightGreen},
    {"empty_ds_margin_reads_0", "", "6", "1", "0.5", kLightRed},
    {"estimate_underflows_to_0", "-1000", "0", "1", "0", kLightRed},
    {"unit_typed_after_speed", "12", "6", "8 Mbps", "16", kLightGreen},
    {"default_minimum_kept_with_blanks", " 1 2 ", "6", "\t8\n", "16", kLightGreen},
    {"hex_speed", "12", "6", "&H8", "16", kLightGreen},
    {"margin_beyond_float_range", "1e39", "6", "8", "Infinity", kLightGreen},
    {"opposite_margins_beyond_float_range", "-1e39", "1e39", "8", "0", kLightRed},
    {"estimate_beyond_float_range", "1000", "0", "8", "Infinity", kLightGreen},
};

INSTANTIATE_TEST_SUITE_P(, Calculation, ::testing::ValuesIn(kCalculations), testing::CaseName());

struct FailureCase {
    const char* name;
    std::string dsMargin, minMargin, currentSpeed;
    std::optional<std::size_t> failingOperation;  // the view operation that fails, if any
    FailureKind kind;
    std::vector<std::string> operations;  // what the action did before it stopped
    Colour colour;                        // txtSpeed's colour afterwards
};

class CalculationFailure : public ::testing::TestWithParam<FailureCase> {};

TEST_P(CalculationFailure, StopsAtTheFailingStep) {
    const FailureCase& c = GetParam();
    RecordingView view(c.dsMargin, c.minMargin, c.currentSpeed);
    view.Show(Box::txtSpeed, kEarlierText, kEarlierColour);
    if (c.failingOperation) view.FailOperation(*c.failingOperation);

    try {
        cmdCalc_Click(view);
        ADD_FAILURE() << "no failure";
    } catch (const RunFailure& failure) {
        EXPECT_EQ(failure.kind(), c.kind);
    }

    EXPECT_EQ(view.operations(), c.operations);
    EXPECT_EQ(view.text(Box::txtSpeed), kEarlierText);
    EXPECT_EQ(view.colour(Box::txtSpeed), c.colour);
    if (c.failingOperation) {
        EXPECT_EQ(FpStatus{}.Raised(), 0) << "the status is cleared after a failed view operation";
    }
}

const std::vector<std::string> kFirstRead = {"read txtDSM"};
const std::vector<std::string> kTwoReads = {"read txtDSM", "read txtMin"};
const std::vector<std::string> kUpToColour = {"read txtDSM", "read txtMin", "read txtCurSpeed", "colour txtSpeed"};

const FailureCase kFailures[] = {
    // A current speed that reads as 0 or less has no logarithm.
    {"empty_current_speed", "12", "6", "", {}, FailureKind::InvalidArgument, kReadsOnly, kEarlierColour},
    {"zero_current_speed", "12", "6", "0", {}, FailureKind::InvalidArgument, kReadsOnly, kEarlierColour},
    {"negative_current_speed", "12", "6", "-8", {}, FailureKind::InvalidArgument, kReadsOnly, kEarlierColour},
    {"words_for_current_speed", "12", "6", "eight", {}, FailureKind::InvalidArgument, kReadsOnly, kEarlierColour},
    {"current_speed_too_small_for_float",
     "12",
     "6",
     "1e-50",
     {},
     FailureKind::InvalidArgument,
     kReadsOnly,
     kEarlierColour},

    // A typed number beyond the double range stops the action right after its box is read.
    {"ds_margin_beyond_double", "1e400", "6", "8", {}, FailureKind::Overflow, kFirstRead, kEarlierColour},
    {"minimum_beyond_double", "12", "-1e400", "8", {}, FailureKind::Overflow, kTwoReads, kEarlierColour},
    {"current_speed_beyond_double", "12", "6", "1e400", {}, FailureKind::Overflow, kReadsOnly, kEarlierColour},
    // Beyond the float range only: the narrowing's overflow flag reaches the estimate.
    {"current_speed_beyond_float", "12", "6", "1e39", {}, FailureKind::Overflow, kReadsOnly, kEarlierColour},
    // Margins beyond the float range with the same sign: infinity minus infinity.
    {"both_margins_beyond_float", "1e39", "1e39", "8", {}, FailureKind::InvalidOperation, kReadsOnly, kEarlierColour},

    // A box that cannot be reached or written, at each of the five operations.
    {"cannot_read_ds_margin", "12", "6", "8", 0, FailureKind::ControlAccess, kFirstRead, kEarlierColour},
    {"cannot_read_minimum", "12", "6", "8", 1, FailureKind::ControlAccess, kTwoReads, kEarlierColour},
    {"cannot_read_current_speed", "12", "6", "8", 2, FailureKind::ControlAccess, kReadsOnly, kEarlierColour},
    {"cannot_colour_result", "12", "6", "8", 3, FailureKind::ControlAccess, kUpToColour, kEarlierColour},
    // The colour was written before the text: new colour, old text.
    {"cannot_write_result", "12", "6", "8", 4, FailureKind::ControlAccess, kAllOperations, kLightGreen},
};

INSTANTIATE_TEST_SUITE_P(, CalculationFailure, ::testing::ValuesIn(kFailures), testing::CaseName());

TEST(CalculationStatus, FlagsFromTheEarlierMarginsDoNotCount) {
    // Narrowing 1e39 to a float overflows; the next read clears that flag.
    RecordingView view("12", "1e39", "8");
    cmdCalc_Click(view);
    EXPECT_EQ(view.text(Box::txtSpeed), "0");
    EXPECT_EQ(view.colour(Box::txtSpeed), kLightRed);
}

}  // namespace
}  // namespace tarnwick
