#include "form1_page.h"

#include <emscripten/html5.h>

#include <algorithm>
#include <string>
#include <vector>

#include "form1_description.h"
#include "home_page.h"
#include "report_dialog.h"
#include "window_texts.h"

using emscripten::val;
using tarnwick::Box;
using tarnwick::FailureKind;
using tarnwick::RunFailure;

namespace {

constexpr int kCssDpi = 96;  // a CSS pixel is 1/96 inch, so zoom and density scale it as DPI scales twips

std::string Px(int twips) { return std::to_string(form1::TwipsToPixels(twips, kCssDpi)) + "px"; }

std::string Css(tarnwick::Colour colour) {
    return "rgb(" + std::to_string(colour.r) + ", " + std::to_string(colour.g) + ", " + std::to_string(colour.b) + ")";
}

void SetAttribute(val& element, const char* name, std::string_view value) {
    element.call<void>("setAttribute", std::string(name), std::string(value));
}

void SetStyle(val& element, const char* property, const std::string& value) { element["style"].set(property, value); }

// "&Calculate": the text without the ampersand, and the letter after it.
struct AccessKeyText {
    std::string before, key, after;
};
AccessKeyText SplitAccessKey(std::string_view caption) {
    const std::size_t amp = caption.find('&');
    if (amp == std::string_view::npos || amp + 1 >= caption.size()) return {std::string(caption), "", ""};
    return {std::string(caption.substr(0, amp)), std::string(caption.substr(amp + 1, 1)),
            std::string(caption.substr(amp + 2))};
}

EM_BOOL OnCalculateClick(int /*eventType*/, const EmscriptenMouseEvent* /*event*/, void* page) {
    static_cast<Form1Page*>(page)->cmdCalc_Click();
    return EM_TRUE;
}

}  // namespace

Form1Page::Form1Page()
    : document_(val::global("document")),
      panel_(document_.call<val>("createElement", std::string("main"))),
      announcer_(document_.call<val>("createElement", std::string("div"))),
      boxes_{val::undefined(), val::undefined(), val::undefined(), val::undefined()} {
    document_.set("title", std::string(form1::kTitle));
    SetAttribute(panel_, "id", "Form1");
    SetAttribute(panel_, "aria-label", form1::kTitle);
    SetStyle(panel_, "width", Px(form1::kClientWidth));
    SetStyle(panel_, "height", Px(form1::kClientHeight));
    SetStyle(panel_, "backgroundColor", Css(form1::kBackground));
    SetStyle(panel_, "color", Css(form1::kText));

    // What a screen reader says after each calculation, without moving the focus.
    SetAttribute(announcer_, "id", "announcer");
    SetAttribute(announcer_, "aria-live", "polite");
    SetAttribute(announcer_, "class", "visually-hidden");

    CreateControls();
    val body = document_["body"];
    body.call<void>("append", panel_);
    body.call<void>("append", announcer_);
    FitFont();

    emscripten_set_click_callback("#cmdCalc", this, EM_FALSE, OnCalculateClick);
    BoxElement(Box::txtDSM).call<void>("focus");
}

// In the order a reader meets them, which is the keyboard's too (no element
// has a positive tabindex): the logo, then each row in the tab order: a
// caption, its box and its unit; the button; the rule last.
void Form1Page::CreateControls() {
    std::array<bool, form1::kControls.size()> created{};
    const auto create = [&](std::size_t index) {
        if (index >= created.size() || created[index]) return;
        created[index] = true;
        panel_.call<void>("append", CreateControl(index));
    };

    create(form1::IndexOf("imgLogo"));
    for (const std::string_view name : form1::kTabOrder) {
        if (!form1::TakesFocus(form1::ControlNamed(name).kind)) continue;
        const form1::BoxCaptions* captions = form1::CaptionsOf(name);
        if (captions != nullptr) create(form1::IndexOf(captions->name));
        create(form1::IndexOf(name));
        if (captions != nullptr) create(form1::IndexOf(captions->unit));
    }
    for (std::size_t i = 0; i < form1::kControls.size(); ++i) create(i);

    for (const form1::BoxCaptions& row : form1::kBoxCaptions) {
        val box = panel_.call<val>("querySelector", "#" + std::string(row.control));
        boxes_[static_cast<std::size_t>(row.box)] = box;
    }
}

val Form1Page::CreateControl(std::size_t index) {
    const form1::Control& control = form1::kControls[index];
    val element = val::undefined();
    switch (control.kind) {
    case form1::Kind::TextBox: {
        element = document_.call<val>("createElement", std::string("input"));
        SetAttribute(element, "type", "text");
        element.set("value", std::string(control.content));
        // Any text may be typed (units after the number, &H for hexadecimal),
        // so the full keyboard, and no corrections of what is typed.
        for (const char* off : {"autocomplete", "autocapitalize", "autocorrect"}) SetAttribute(element, off, "off");
        SetAttribute(element, "spellcheck", "false");
        // Named after its caption, with its unit, as a reader takes the row.
        if (const form1::BoxCaptions* captions = form1::CaptionsOf(control.name))
            SetAttribute(element, "aria-labelledby", std::string(captions->name) + " " + std::string(captions->unit));
        SetStyle(element, "backgroundColor", Css(*control.colour));
        SetStyle(element, "color", Css(form1::kText));
        break;
    }
    case form1::Kind::PushButton: {
        element = document_.call<val>("createElement", std::string("button"));
        SetAttribute(element, "type", "button");
        const AccessKeyText text = SplitAccessKey(control.content);
        element.call<void>("append", text.before);
        if (!text.key.empty()) {
            val key = document_.call<val>("createElement", std::string("span"));
            SetAttribute(key, "class", "access-key");
            key.set("textContent", text.key);
            element.call<void>("append", key);
            SetAttribute(element, "accesskey", text.key);
            SetAttribute(element, "aria-keyshortcuts", "Alt+" + text.key);
        }
        element.call<void>("append", text.after);
        break;
    }
    case form1::Kind::Picture: {
        // A real link, which the browser follows in a new tab. Out of the tab
        // order, as the window's picture is.
        element = document_.call<val>("createElement", std::string("a"));
        SetAttribute(element, "href", kHomePageUrl);
        SetAttribute(element, "target", "_blank");
        SetAttribute(element, "rel", "noopener");
        SetAttribute(element, "title", form1::kLogoTooltip);
        SetAttribute(element, "aria-label", form1::kLogoLinkName);
        SetAttribute(element, "tabindex", "-1");
        SetAttribute(element, "draggable", "false");
        val picture = document_.call<val>("createElement", std::string("img"));
        SetAttribute(picture, "src", "logo.png");
        SetAttribute(picture, "alt", "");
        SetAttribute(picture, "width", std::to_string(form1::TwipsToPixels(control.place.width, kCssDpi)));
        SetAttribute(picture, "height", std::to_string(form1::TwipsToPixels(control.place.height, kCssDpi)));
        SetAttribute(picture, "draggable", "false");
        element.call<void>("append", picture);
        break;
    }
    case form1::Kind::Caption:
        element = document_.call<val>("createElement", std::string("span"));
        element.set("textContent", std::string(control.content));
        break;
    case form1::Kind::Line: {
        // Both end points are on the line; its width is in pixels and does not scale.
        element = document_.call<val>("createElement", std::string("hr"));
        const int left = form1::TwipsToPixels(control.place.left, kCssDpi);
        const int right = form1::TwipsToPixels(control.place.left + control.place.width, kCssDpi);
        SetStyle(element, "left", std::to_string(left) + "px");
        SetStyle(element, "top", Px(control.place.top));
        SetStyle(element, "width", std::to_string(right - left + 1) + "px");
        SetStyle(element, "height", std::to_string(form1::kLineWidthPixels) + "px");
        SetStyle(element, "backgroundColor", Css(*control.colour));
        SetAttribute(element, "id", control.name);
        SetAttribute(element, "class", "line");
        return element;
    }
    }
    SetAttribute(element, "id", control.name);
    SetAttribute(element, "class", control.kind == form1::Kind::Caption ? "caption" : "control");
    SetStyle(element, "left", Px(control.place.left));
    SetStyle(element, "top", Px(control.place.top));
    SetStyle(element, "width", Px(control.place.width));
    SetStyle(element, "height", Px(control.place.height));
    return element;
}

// The layout is fixed and the captions do not grow, so the one font is the
// page's size or smaller: the largest at which every caption and the
// button's text fit their boxes.
void Form1Page::FitFont() {
    std::vector<val> texts;
    for (const form1::Control& control : form1::kControls) {
        if (control.kind == form1::Kind::Caption || control.kind == form1::Kind::PushButton)
            texts.push_back(document_.call<val>("getElementById", std::string(control.name)));
    }
    const auto fits = [&] {
        return std::all_of(texts.begin(), texts.end(), [](const val& text) {
            return text["scrollWidth"].as<int>() <= text["clientWidth"].as<int>() &&
                   text["scrollHeight"].as<int>() <= text["clientHeight"].as<int>();
        });
    };
    for (int tenths = 130; tenths > 80 && !fits(); tenths -= 5)
        SetStyle(panel_, "fontSize", std::to_string(tenths / 10) + "." + std::to_string(tenths % 10) + "px");
}

// No code of the program catches a failure: it leaves the handler, which stops
// at the failing step, and is reported here, in one place. The page goes on
// working, and the boxes keep what the handler wrote before it stopped.
template <typename Handler>
void Form1Page::Dispatch(Handler handler) {
    std::string message;
    try {
        handler();
        return;
    } catch (...) {
        message = form1::CurrentFailureMessage();
    }
    ShowReport(form1::kReportTitle, message);
}

void Form1Page::cmdCalc_Click() {
    Dispatch([this] { tarnwick::cmdCalc_Click(*this); });
}

val Form1Page::BoxElement(Box box) const {
    const auto index = static_cast<std::size_t>(box);
    if (index >= boxes_.size() || !boxes_[index]["isConnected"].as<bool>())
        throw RunFailure(FailureKind::ControlAccess);
    return boxes_[index];
}

std::string Form1Page::GetBoxText(Box box) { return BoxElement(box)["value"].as<std::string>(); }

void Form1Page::SetBoxBackColour(Box box, tarnwick::Colour colour) {
    val element = BoxElement(box);
    SetStyle(element, "backgroundColor", Css(colour));
    // The verdict in words, for those who do not see the colour.
    if (box == Box::txtSpeed) {
        verdict_ = form1::VerdictInWords(colour);
        SetAttribute(element, "aria-description", verdict_);
    }
}

void Form1Page::SetBoxText(Box box, std::string_view text) {
    val element = BoxElement(box);
    element.set("value", std::string(text));
    if (box == Box::txtSpeed) {
        const form1::BoxCaptions& row = *form1::CaptionsOf("txtSpeed");
        std::string announcement = std::string(text) + " " + std::string(form1::ControlNamed(row.unit).content);
        if (!verdict_.empty()) announcement += ", " + verdict_;
        announcer_.set("textContent", announcement);
    }
}
