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
    std::erase(ids, "Form1");
    std::erase(ids, "announcer");
    EXPECT_EQ(ids, expected);
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
        {"txtDSM", R"(aria-labelledby="Label1 Label7")"},
        {"txtMin", R"(value="6")"},
        {"txtCurSpeed", R"(aria-labelledby="Label4 Label5")"},
        {"txtSpeed", R"(aria-labelledby="Label3 Label6")"},
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

TEST(PanelCss, PlacesFromTwipsAtNinetySixToTheInch) {
    const std::string css = PanelCss();
    const char* const rules[] = {
        "#Form1 { width: 279px; height: 206px; background-color: rgb(255, 255, 255); color: rgb(0, 0, 0); }",
        "#txtDSM { left: 104px; top: 64px; width: 89px; height: 19px; background-color: rgb(230, 230, 255); "
        "color: rgb(0, 0, 0); }",
        "#txtSpeed { left: 104px; top: 152px; width: 89px; height: 19px; background-color: rgb(255, 255, 255); "
        "color: rgb(0, 0, 0); }",
        "#cmdCalc { left: 200px; top: 176px; width: 73px; height: 25px; }",
        "#imgLogo { left: 8px; top: 8px; width: 137px; height: 41px; }",
        "#Label5 { left: 200px; top: 112px; width: 41px; height: 17px; }",
        // Both ends on the line, 2 pixels high at any zoom.
        "#Line1 { left: 8px; top: 144px; width: 265px; height: 2px; background-color: rgb(0, 0, 192); }",
    };
    for (const char* rule : rules) EXPECT_NE(css.find(rule), std::string::npos) << rule;
    EXPECT_EQ(Matches(css, R"((#\w+) \{)").size(), 16U);  // the panel and its fifteen controls
}

}  // namespace
