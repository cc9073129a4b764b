#include "panel_markup.h"

#include <array>
#include <cstddef>

#include "form1_description.h"
#include "home_page.h"
#include "window_texts.h"

namespace panel_markup {
namespace {

constexpr int kCssDpi = 96;  // a CSS pixel is 1/96 inch, so zoom and density scale it as DPI scales twips

// In the window's own pixels (--u in page.css): CSS pixels, or the window
// scaled up as a whole on a phone's narrow screen.
std::string Px(int pixels) { return "calc(" + std::to_string(pixels) + " * var(--u))"; }
std::string TwipsPx(int twips) { return Px(form1::TwipsToPixels(twips, kCssDpi)); }

std::string Attribute(std::string_view name, std::string_view value) {
    return " " + std::string(name) + "=\"" + EscapeHtml(value) + "\"";
}

// The element's opening tag up to its own attributes: its name as its id, and its class.
std::string OpenTag(std::string_view tag, const form1::Control& control, std::string_view css_class) {
    return "<" + std::string(tag) + Attribute("id", control.name) + Attribute("class", css_class);
}

// "&Calculate": the text without the ampersand, and the letter after it.
struct AccessKeyText {
    std::string_view before, key, after;
};
AccessKeyText SplitAccessKey(std::string_view caption) {
    const std::size_t amp = caption.find('&');
    if (amp == std::string_view::npos || amp + 1 >= caption.size()) return {caption, {}, {}};
    return {caption.substr(0, amp), caption.substr(amp + 1, 1), caption.substr(amp + 2)};
}

std::string TextBoxHtml(const form1::Control& control) {
    std::string html = OpenTag("input", control, "control") + Attribute("type", "text");
    if (!control.content.empty()) html += Attribute("value", control.content);
    // The focus starts in the first box of the tab order.
    if (control.name == form1::kTabOrder.front()) html += " autofocus";
    // Any text may be typed (units after the number, &H for hexadecimal), so
    // the full keyboard, and no corrections of what is typed.
    html += Attribute("autocomplete", "off") + Attribute("autocapitalize", "off") + Attribute("autocorrect", "off") +
            Attribute("spellcheck", "false");
    // Named after its caption, with its unit, as the desktop windows name it.
    // The name is written out, not taken from the unit's element, which comes
    // after the box: the browser may focus the box while the page is still
    // being read, and say it without its unit.
    if (const form1::BoxCaptions* captions = form1::CaptionsOf(control.name))
        html += Attribute("aria-label", form1::SpokenCaption(*captions));
    return html + ">";
}

std::string ButtonHtml(const form1::Control& control) {
    const AccessKeyText text = SplitAccessKey(control.content);
    std::string html = OpenTag("button", control, "control") + Attribute("type", "button");
    if (text.key.empty()) return html + ">" + EscapeHtml(text.before) + "</button>";
    html += Attribute("accesskey", text.key) + Attribute("aria-keyshortcuts", "Alt+" + std::string(text.key));
    return html + ">" + EscapeHtml(text.before) + "<span class=\"access-key\">" + EscapeHtml(text.key) + "</span>" +
           EscapeHtml(text.after) + "</button>";
}

// A real link, which the browser follows in a new tab; out of the tab order,
// as the window's picture is. The logo is an SVG with its letters drawn as
// outlines, sharp at every zoom and pixel density and the same whatever fonts
// are installed; the largest thing the page paints first, so it is fetched
// at once.
std::string LogoHtml(const form1::Control& control) {
    return OpenTag("a", control, "control") + Attribute("href", kHomePageUrl) + Attribute("target", "_blank") +
           Attribute("rel", "noopener") + Attribute("title", form1::kLogoTooltip) +
           Attribute("aria-label", form1::kLogoLinkName) + Attribute("tabindex", "-1") +
           Attribute("draggable", "false") + "><img" + Attribute("src", "logo.svg") + Attribute("alt", "") +
           Attribute("width", std::to_string(form1::TwipsToPixels(control.place.width, kCssDpi))) +
           Attribute("height", std::to_string(form1::TwipsToPixels(control.place.height, kCssDpi))) +
           Attribute("fetchpriority", "high") + Attribute("draggable", "false") + "></a>";
}

std::string ControlHtml(const form1::Control& control) {
    switch (control.kind) {
    case form1::Kind::TextBox: return TextBoxHtml(control);
    case form1::Kind::PushButton: return ButtonHtml(control);
    case form1::Kind::Picture: return LogoHtml(control);
    case form1::Kind::Caption:
        return OpenTag("span", control, "caption") + ">" + EscapeHtml(control.content) + "</span>";
    case form1::Kind::Line: return OpenTag("hr", control, "line") + ">";
    }
    return {};
}

std::string ControlCss(const form1::Control& control) {
    std::string css = "#" + std::string(control.name) + " { ";
    if (control.kind == form1::Kind::Line) {
        // Both end points are on the line; its width is in pixels, not twips.
        const int left = form1::TwipsToPixels(control.place.left, kCssDpi);
        const int right = form1::TwipsToPixels(control.place.left + control.place.width, kCssDpi);
        css += "left: " + Px(left) + "; top: " + TwipsPx(control.place.top) + "; width: " + Px(right - left + 1) +
               "; height: " + Px(form1::kLineWidthPixels) + ";";
    } else {
        css += "left: " + TwipsPx(control.place.left) + "; top: " + TwipsPx(control.place.top) +
               "; width: " + TwipsPx(control.place.width) + "; height: " + TwipsPx(control.place.height) + ";";
    }
    if (control.colour) {
        css += " background-color: " + CssColour(*control.colour) + ";";
        // A fixed background fixes the text colour too, whatever the colour scheme.
        if (control.kind == form1::Kind::TextBox) css += " color: " + CssColour(form1::kText) + ";";
    }
    return css + " }\n";
}

}  // namespace

std::string CssColour(tarnwick::Colour colour) {
    return "rgb(" + std::to_string(colour.r) + ", " + std::to_string(colour.g) + ", " + std::to_string(colour.b) + ")";
}

std::string EscapeHtml(std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&': escaped += "&amp;"; break;
        case '<': escaped += "&lt;"; break;
        case '>': escaped += "&gt;"; break;
        case '"': escaped += "&quot;"; break;
        case '\'': escaped += "&#39;"; break;
        default: escaped += c;
        }
    }
    return escaped;
}

// The window: its title bar, the page's heading, above the panel. In the
// panel, the controls in the order a reader meets them, which is the
// keyboard's too (no element has a positive tabindex): the logo, then each
// row in the tab order: a caption, its box and its unit; the button; the
// rule last.
std::string PanelHtml() {
    std::string html = "<main id=\"window\" aria-labelledby=\"title\">\n<h1 id=\"title\">" + EscapeHtml(form1::kTitle) +
                       "</h1>\n<div id=\"Form1\">\n";
    std::array<bool, form1::kControls.size()> written{};
    const auto write = [&](std::size_t index) {
        if (index >= written.size() || written[index]) return;
        written[index] = true;
        html += ControlHtml(form1::kControls[index]) + "\n";
    };
    write(form1::IndexOf("imgLogo"));
    for (const std::string_view name : form1::kTabOrder) {
        if (!form1::TakesFocus(form1::ControlNamed(name).kind)) continue;
        const form1::BoxCaptions* captions = form1::CaptionsOf(name);
        if (captions != nullptr) write(form1::IndexOf(captions->name));
        write(form1::IndexOf(name));
        if (captions != nullptr) write(form1::IndexOf(captions->unit));
    }
    for (std::size_t i = 0; i < form1::kControls.size(); ++i) write(i);
    // What a screen reader says after each calculation, without moving the focus.
    return html + "</div>\n</main>\n<div id=\"announcer\" class=\"visually-hidden\" aria-live=\"polite\"></div>\n";
}

std::string PanelCss() {
    std::string css = "#Form1 { width: " + TwipsPx(form1::kClientWidth) + "; height: " + TwipsPx(form1::kClientHeight) +
                      "; background-color: " + CssColour(form1::kBackground) + "; color: " + CssColour(form1::kText) +
                      "; }\n";
    for (const form1::Control& control : form1::kControls) css += ControlCss(control);
    return css;
}

}  // namespace panel_markup
