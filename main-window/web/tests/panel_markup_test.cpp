#include "panel_markup.h"

#include "form1_description.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <string_view>
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

// What the rule of this element's id says, from its "{" to its "}".
std::string RuleOf(const std::string& css, std::string_view id) {
    const std::size_t rule = css.find("#" + std::string(id) + " {");
    if (rule == std::string::npos) return {};
    const std::size_t open = css.find('{', rule);
    return css.substr(open, css.find('}', open) - open + 1);
}

// The number of the CSS property in this element's rule, in the window's
// pixels (calc(N * var(--u))); -1 where the rule or the property is missing.
int PixelsOf(const std::string& css, std::string_view id, const std::string& property) {
    const std::string body = RuleOf(css, id);
    std::smatch found;
    if (!std::regex_search(body, found, std::regex("[ {;]" + property + R"(: calc\((\d+) \* var\(--u\)\))"))) return -1;
    return std::stoi(found[1]);
}

// In the window's pixels (--u): CSS pixels, scaled up as a whole on a phone;
// each control where the description puts it at 96 dpi.
TEST(PanelCss, PlacesFromTwipsAtNinetySixToTheInch) {
    const std::string css = PanelCss();
    const auto px = [](int twips) { return form1::TwipsToPixels(twips, 96); };
    EXPECT_EQ(PixelsOf(css, "Form1", "width"), px(form1::kClientWidth));
    EXPECT_EQ(PixelsOf(css, "Form1", "height"), px(form1::kClientHeight));
    for (const form1::Control& control : form1::kControls) {
        const form1::Twips& place = control.place;
        const int left = PixelsOf(css, control.name, "left");
        const int top = PixelsOf(css, control.name, "top");
        EXPECT_EQ(left, px(place.left)) << control.name;
        EXPECT_EQ(top, px(place.top)) << control.name;
        if (control.kind == form1::Kind::Line) {
            // Both ends on the line, 2 pixels high at any DPI.
            EXPECT_EQ(left + PixelsOf(css, control.name, "width"), px(place.left + place.width) + 1);
            EXPECT_EQ(PixelsOf(css, control.name, "height"), form1::kLineWidthPixels);
        } else {
            EXPECT_EQ(PixelsOf(css, control.name, "width"), px(place.width)) << control.name;
            EXPECT_EQ(PixelsOf(css, control.name, "height"), px(place.height)) << control.name;
        }
    }
}

std::string Css(const tarnwick::Colour& colour) {
    return "rgb(" + std::to_string(colour.r) + ", " + std::to_string(colour.g) + ", " + std::to_string(colour.b) + ")";
}

// The description's colours: a box's background with the text colour beside
// it, the line's colour, and nothing of its own for the rest.
TEST(PanelCss, ColoursFromTheDescription) {
    const std::string css = PanelCss();
    EXPECT_NE(RuleOf(css, "Form1")
                  .find("background-color: " + Css(form1::kBackground) + "; color: " + Css(form1::kText) + ";"),
              std::string::npos);
    for (const form1::Control& control : form1::kControls) {
        const std::string rule = RuleOf(css, control.name);
        if (control.kind == form1::Kind::TextBox) {
            EXPECT_NE(rule.find("background-color: " + Css(*control.colour) + "; color: " + Css(form1::kText) + ";"),
                      std::string::npos)
                << control.name;
        } else if (control.colour) {
            EXPECT_NE(rule.find("background-color: " + Css(*control.colour) + ";"), std::string::npos) << control.name;
        } else {
            EXPECT_EQ(rule.find("background-color"), std::string::npos) << control.name;
        }
    }
    EXPECT_EQ(Matches(css, R"((#\w+) \{)").size(), 16U);  // the panel and its fifteen controls
}

}  // namespace
