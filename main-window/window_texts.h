// The texts Form1 shows besides its controls' own: the failure reports, the
// logo's tooltip and what a screen reader hears. UTF-8, for every front-end.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "form1_description.h"
#include "speed_calc.hpp"

namespace form1 {

// The title of a failure report.
inline constexpr std::string_view kReportTitle = "Tarnwick";

// The logo: its tooltip, and its name as a link for a screen reader.
inline constexpr std::string_view kLogoTooltip = "Go to Velmor.example";
inline constexpr std::string_view kLogoLinkName = "Velmor.example";
inline constexpr std::string_view kLogoLinkDescription =
    "Opens the maker's home page, www.velmor.example, in your web browser";

// The report of a failure of this kind, in plain words, with what to do about it.
std::string FailureMessage(tarnwick::FailureKind kind);

// The report of a failure the program does not expect (a fault of its own).
std::string UnexpectedFailureMessage(std::string_view description);

// The report of the failure being handled: called in a catch block, for
// whatever left a handler.
std::string CurrentFailureMessage();

// Runs an event's handler: the report of whatever failure left it, or none.
// No other code of the program catches a failure: the handler stops at the
// failing step (the boxes keep what it wrote before), and the failure stops
// here, before it could reach the system's code that called the window,
// which then shows the report in its own way.
template <typename Handler>
std::optional<std::string> FailureOf(Handler&& handler) {
    try {
        handler();
        return std::nullopt;
    } catch (...) {
        return CurrentFailureMessage();
    }
}

// The verdict that a colour of the result box shows, in words ("higher than
// the current speed"), so that a screen reader gets what the colour tells the
// eye; empty for a colour that is no verdict's (the white before the first
// calculation is Equal's colour too, so the window asks only after one).
std::string_view VerdictInWords(tarnwick::Colour colour);

// A box's caption as a screen reader says it, with the unit beside the box
// after it ("DS Margin, dB"): by its caption alone, or by its unit alone, the
// two margins sound alike.
std::string SpokenCaption(const BoxCaptions& row);

// The result of a calculation as a screen reader announces it, with its unit
// and, after it, its verdict ("16 in Mbps, higher than the current speed").
std::string ResultAnnouncement(std::string_view result, std::string_view verdict);

}  // namespace form1
