#include "panel_markup.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

namespace {

using panel_markup::EscapeHtml;
using panel_markup::PanelCss;
using panel_markup::PanelHtml;

std::vector<std::string> Matches(const std::string& text, const std::string& pattern) {
    std::vector<std::string> found;
    const std::regex re(pattern);
    for (auto it = std::sregex_iterator(text.begin(), text.end(), re); it != std::sregex_iterator(); ++it)
        found.push_back((*it)[1]);
    return found;
}

// The element of this id, from its "<" to its ">".
std::string OpeningTag(const std::string& html, const std::string& id) {
    const std::size_t at = html.find("id=\"" + id + "\"");
    if (at == std::string::npos) return {};
    const std::size_t start = html.rfind('<', at);
    return html.substr(start, html.find('>', at) - start + 1);
}

TEST(EscapeHtml, MakesEveryMarkupCharacterText) {
    const struct {
        const char* text;
        const char* escaped;
    } cases[] = {
        {"", ""},
        {"DS Margin", "DS Margin"},
        {"&Calculate", "&amp;Calculate"},
        {"<script>", "&lt;script&gt;"},
        {R"(say "hi")", "say &quot;hi&quot;"},
        {"it's", "it&#39;s"},
        {"µ ±", "µ ±"},  // UTF-8 passes through
    };
    for (const auto& c : cases) EXPECT_EQ(EscapeHtml(c.text), c.escaped) << c.text;
}

TEST(PanelHtml, ControlsInReadingAndKeyboardOrder) {
    // The logo, then each row: caption, box, unit; the button; the rule.
    const std::vector<std::string> expected{"imgLogo", "Label1",   "txtDSM", "Label7",      "Label2",
                                            "txtMin",  "Label8",   "Label4", "txtCurSpeed", "Label5",
                                            "Label3",  "txtSpeed", "Label6", "cmdCalc",     "Line1"};
    std::vector<std::string> ids = Matches(PanelHtml(), R"re( id="([^"]+)")re");
    // The window, its title bar and its panel come first, the announcer last.
    for (const char* frame : {"window", "title", "Form1", "announcer"}) std::erase(ids, frame);
    EXPECT_EQ(ids, expected);
}

TEST(PanelHtml, TitleBarIsThePagesOneHeading) {
    const std::string html = PanelHtml();
    const std::vector<std::string> one_heading{"Tarnwick by Velmor"};
    EXPECT_EQ(Matches(html, R"(<h\d[^>]*>([^<]*)</h\d>)"), one_heading);
    EXPECT_NE(html.find(R"(<main id="window" aria-labelledby="title">)"), std::string::npos);
    EXPECT_LT(html.find("<h1"), html.find(R"(<div id="Form1")"));
}

TEST(PanelHtml, NothingTheContentSecurityPolicyForbidsOrTheKeyboardSkips) {
    const std::string html = PanelHtml();
    EXPECT_EQ(html.find("style="), std::string::npos);
    EXPECT_EQ(html.find("<script"), std::string::npos);
    const std::vector<std::string> only_the_logo{"-1"};
    EXPECT_EQ(Matches(html, R"re(tabindex="(-?\d+)")re"), only_the_logo);
}

TEST(PanelHtml, ControlsAsTheyStart) {
    const std::string html = PanelHtml();
    const struct {
        const char* id;
        const char* expected_in_tag;
    } cases[] = {
        {"txtDSM", " autofocus"},
        {"txtDSM", R"(aria-label="DS Margin, dB")"},
        {"txtMin", R"(value="6")"},
        {"txtCurSpeed", R"(aria-label="Current speed:, in Mbps")"},
        {"txtSpeed", R"(aria-label="Max New Speed:, in Mbps")"},
        {"cmdCalc", R"(accesskey="C")"},
        {"cmdCalc", R"(type="button")"},
        {"imgLogo", R"(href="http://www.velmor.example")"},
        {"imgLogo", R"(title="Go to Velmor.example")"},
        {"imgLogo", R"(aria-label="Velmor.example")"},
        {"imgLogo", R"(rel="noopener")"},
    };
    for (const auto& c : cases)
        EXPECT_NE(OpeningTag(html, c.id).find(c.expected_in_tag), std::string::npos)
            << c.id << ": " << c.expected_in_tag;
    const std::vector<std::string> one_input{"input"};
    EXPECT_EQ(Matches(html, R"(<(\w+)[^>]* autofocus)"), one_input);
    EXPECT_EQ(OpeningTag(html, "txtSpeed").find("value="), std::string::npos);
    EXPECT_NE(html.find(R"(><span class="access-key">C</span>alculate</button>)"), std::string::npos);
    EXPECT_NE(html.find(R"(<span id="Label4" class="caption">Current speed:</span>)"), std::string::npos);
}

// In the window's pixels (--u): CSS pixels, scaled up as a whole on a phone.
TEST(PanelCss, PlacesFromTwipsAtNinetySixToTheInch) {
    const std::string css = PanelCss();
    const char* const rules[] = {
        "#Form1 { width: calc(279 * var(--u)); height: calc(206 * var(--u)); background-color: rgb(255, 255, 255); "
        "color: rgb(0, 0, 0); }",
        "#txtDSM { left: calc(104 * var(--u)); top: calc(64 * var(--u)); width: calc(89 * var(--u)); height: calc(19 * "
        "var(--u)); background-color: rgb(230, 230, 255); "
        "color: rgb(0, 0, 0); }",
        "#txtSpeed { left: calc(104 * var(--u)); top: calc(152 * var(--u)); width: calc(89 * var(--u)); height: "
        "calc(19 * var(--u)); background-color: rgb(255, 255, 255); "
        "color: rgb(0, 0, 0); }",
        "#cmdCalc { left: calc(200 * var(--u)); top: calc(176 * var(--u)); width: calc(73 * var(--u)); height: calc(25 "
        "* var(--u)); }",
        "#imgLogo { left: calc(8 * var(--u)); top: calc(8 * var(--u)); width: calc(137 * var(--u)); height: calc(41 * "
        "var(--u)); }",
        "#Label5 { left: calc(200 * var(--u)); top: calc(112 * var(--u)); width: calc(41 * var(--u)); height: calc(17 "
        "* var(--u)); }",
        // Both ends on the line, 2 pixels high at any DPI.
        "#Line1 { left: calc(8 * var(--u)); top: calc(144 * var(--u)); width: calc(265 * var(--u)); height: calc(2 * "
        "var(--u)); background-color: rgb(0, 0, 192); }",
    };
    for (const char* rule : rules) EXPECT_NE(css.find(rule), std::string::npos) << rule;
    EXPECT_EQ(Matches(css, R"((#\w+) \{)").size(), 16U);  // the panel and its fifteen controls
}

}  // namespace
