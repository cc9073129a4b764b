// Under Wine or on Windows: text there and back between UTF-8 and UTF-16,
// and the ANSI text handed to ShellExecuteA.
#include <gtest/gtest.h>

#include <string>

#include "utf16.h"

namespace {

struct RoundTrip {
    const char* name;
    std::string utf8;
    std::wstring utf16;
};

class Utf16RoundTrip : public testing::TestWithParam<RoundTrip> {};

TEST_P(Utf16RoundTrip, ConvertsBothWays) {
    EXPECT_EQ(Utf16(GetParam().utf8), GetParam().utf16);
    EXPECT_EQ(Utf8(GetParam().utf16), GetParam().utf8);
}

INSTANTIATE_TEST_SUITE_P(Texts, Utf16RoundTrip,
                         testing::Values(RoundTrip{"empty", "", L""},
                                         RoundTrip{"ascii", "Max New Speed:", L"Max New Speed:"},
                                         RoundTrip{"two_bytes", "\xC3\xA9t\xC3\xA9", L"\u00E9t\u00E9"},
                                         // Outside the first plane: one code point, two UTF-16 units.
                                         RoundTrip{"surrogate_pair", "a\xF0\x9F\x98\x80z", L"a\U0001F600z"},
                                         RoundTrip{"embedded_nul", std::string("a\0b", 3), std::wstring(L"a\0b", 3)}),
                         [](const testing::TestParamInfo<RoundTrip>& info) { return std::string(info.param.name); });

TEST(AnsiCodePage, KeepsAnAsciiAddressAsItIs) {
    EXPECT_EQ(AnsiCodePage(Utf16("http://www.velmor.example")), "http://www.velmor.example");
    EXPECT_EQ(AnsiCodePage(L""), "");
}

}  // namespace
