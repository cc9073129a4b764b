// The window's description: twips to pixels as every window rounds them, and
// a layout that holds together at every scale.
#include "form1_description.h"

#include <gtest/gtest.h>

#include <set>
#include <string_view>

namespace {

struct Rounding {
    int twips, dpi, pixels;
};

TEST(TwipsToPixels, RoundsToTheNearestPixelHalvesUp) {
    const Rounding cases[] = {
        {0, 96, 0},       {15, 96, 1},      {7, 96, 0},       {8, 96, 1},  // 15 twips a pixel at 96 dpi
        {1560, 96, 104},  {4185, 96, 279},  {3090, 96, 206},  {3960, 96, 264},
        {4185, 144, 419},                                                        // 418.5: the half goes up
        {3090, 144, 309}, {4185, 192, 558}, {4185, 288, 837}, {1335, 120, 111},  // 111.25
    };
    for (const Rounding& c : cases)
        EXPECT_EQ(form1::TwipsToPixels(c.twips, c.dpi), c.pixels) << c.twips << " twips at " << c.dpi << " dpi";
}

TEST(Layout, EveryControlIsInsideTheClientAreaAtEveryScale) {
    for (const int dpi : {96, 120, 144, 192, 288}) {
        const auto px = [dpi](int twips) { return form1::TwipsToPixels(twips, dpi); };
        for (const form1::Control& control : form1::kControls) {
            const form1::Twips& place = control.place;
            EXPECT_LE(px(place.left + place.width), px(form1::kClientWidth)) << control.name << " at " << dpi;
            EXPECT_LE(px(place.top + place.height), px(form1::kClientHeight)) << control.name << " at " << dpi;
            EXPECT_GE(place.left, 0) << control.name;
            EXPECT_GE(place.top, 0) << control.name;
        }
    }
}

TEST(Layout, NamesAreOnceEachAndTheTabOrderNamesControls) {
    std::set<std::string_view> names;
    for (const form1::Control& control : form1::kControls) EXPECT_TRUE(names.insert(control.name).second);
    std::set<std::string_view> inOrder;
    for (const std::string_view name : form1::kTabOrder) {
        EXPECT_TRUE(names.count(name) == 1) << name;
        EXPECT_TRUE(inOrder.insert(name).second) << name << " twice in the tab order";
    }
}

}  // namespace
