#include "form1_page.h"

#include <emscripten/html5.h>

#include <optional>
#include <string>

#include "form1_description.h"
#include "page_elements.h"
#include "panel_markup.h"
#include "report_dialog.h"
#include "window_texts.h"

using tarnwick::Box;
using tarnwick::FailureKind;
using tarnwick::RunFailure;

namespace {

constexpr std::string_view kAnnouncer = "announcer";  // a polite live region

// The id of a box's element, once it is known to be in the page.
std::string_view BoxElement(Box box) {
    for (const form1::BoxCaptions& row : form1::kBoxCaptions)
        if (row.box == box && page_elements::Exists(row.control)) return row.control;
    throw RunFailure(FailureKind::ControlAccess);
}

EM_BOOL OnCalculateClick(int /*eventType*/, const EmscriptenMouseEvent* /*event*/, void* page) {
    static_cast<Form1Page*>(page)->cmdCalc_Click();
    return EM_TRUE;
}

}  // namespace

Form1Page::Form1Page() {
    for (const form1::BoxCaptions& row : form1::kBoxCaptions) BoxElement(row.box);
    if (!page_elements::Exists(kAnnouncer)) throw RunFailure(FailureKind::ControlAccess);
    emscripten_set_click_callback("#cmdCalc", this, EM_FALSE, OnCalculateClick);
}

// Whatever failure leaves a handler is reported here, in one place; the page goes on working.
template <typename Handler>
void Form1Page::Dispatch(Handler handler) {
    if (const std::optional<std::string> message = form1::FailureOf(handler)) ShowReport(form1::kReportTitle, *message);
}

void Form1Page::cmdCalc_Click() {
    Dispatch([this] { tarnwick::cmdCalc_Click(*this); });
}

std::string Form1Page::GetBoxText(Box box) { return page_elements::Value(BoxElement(box)); }

void Form1Page::SetBoxBackColour(Box box, tarnwick::Colour colour) {
    const std::string_view element = BoxElement(box);
    page_elements::SetBackgroundColour(element, panel_markup::CssColour(colour));
    // The verdict in words, for those who do not see the colour or cannot
    // tell the pale green from the white: for screen readers and in the
    // tooltip.
    if (box == Box::txtSpeed) {
        verdict_ = form1::VerdictInWords(colour);
        page_elements::SetAttribute(element, "aria-description", verdict_);
        page_elements::SetAttribute(element, "title", verdict_);
    }
}

void Form1Page::SetBoxText(Box box, std::string_view text) {
    page_elements::SetValue(BoxElement(box), text);
    if (box == Box::txtSpeed) page_elements::SetTextContent(kAnnouncer, form1::ResultAnnouncement(text, verdict_));
}
