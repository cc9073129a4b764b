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

TEST(CommaLocale, TypedTextStillUsesTheFullStop) {
    EXPECT_EQ(ParseNumericText("2.5"), 2.5);
    EXPECT_EQ(ParseNumericText("5,656854"), 5.0);
}

}  // namespace
}  // namespace tarnwick
