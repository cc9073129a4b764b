// Run with LC_ALL=de_DE.UTF-8: the user's separator is a comma.
#include <gtest/gtest.h>

#include "recording_view.hpp"
#include "speed_calc.hpp"

namespace tarnwick {
namespace {

TEST(CommaLocale, ResultUsesTheUsersSeparator) {
    testing::RecordingView view("3", "6", "8");
    cmdCalc_Click(view);
    EXPECT_EQ(view.text(Box::txtSpeed), "5,656854");
}

TEST(CommaLocale, ExponentFormUsesTheUsersSeparator) { EXPECT_EQ(FormatSingle(12345678.0f), "1,234568E+07"); }

TEST(CommaLocale, TypedTextTakesTheCommaAndTheFullStop) {
    EXPECT_EQ(ParseNumericText("2.5"), 2.5);
    EXPECT_EQ(ParseNumericText("2,5"), 2.5);
}

// Margins copied from a router's page ("SN Margin 9,5"), and a result typed back.
TEST(CommaLocale, ReadsWhatTheUserWrites) {
    testing::RecordingView view("9,5", "6", "2,5");
    cmdCalc_Click(view);
    EXPECT_EQ(view.text(Box::txtSpeed), "3,745768");
    EXPECT_EQ(view.colour(Box::txtSpeed), VerdictColour(SpeedVerdict::Higher));

    testing::RecordingView again("12", "6", view.text(Box::txtSpeed));
    cmdCalc_Click(again);
    EXPECT_EQ(again.text(Box::txtSpeed), "7,491537");  // 3,745768 read as itself, not as 3
}

}  // namespace
}  // namespace tarnwick
