// Form1 as data: the window's properties, its fifteen controls and its tab
// order, held once for every front-end (the Qt window on Linux, the Win32
// window on Windows). Each front-end walks these tables to create its native
// controls and converts twips to its own pixels at its own DPI.
#pragma once

#include <array>
#include <optional>
#include <stdexcept>
#include <string_view>

#include "speed_calc.hpp"

namespace form1 {

using tarnwick::Colour;

inline constexpr Colour kWhite{255, 255, 255};
inline constexpr Colour kInputBlue{230, 230, 255};
inline constexpr Colour kLineBlue{0, 0, 192};
// Wherever the window fixes a background it fixes the text colour too, so
// that a dark desktop theme cannot paint its light text on our white.
inline constexpr Colour kText{0, 0, 0};

// Twips are 1/1440 inch: 15 twips are one pixel at 96 dots per inch.
struct Twips {
    int left, top, width, height;
};

// Pixels at `dpi` dots per inch, rounded to the nearest.
constexpr int TwipsToPixels(int twips, int dpi) { return (twips * dpi + 720) / 1440; }

enum class Kind { TextBox, PushButton, Picture, Caption, Line };

struct Control {
    std::string_view name;
    Kind kind;
    // A line runs from (left, top) to (left + width, top) and has no height.
    Twips place;
    // A box's first text, a caption's or the button's text (UTF-8, with & before an access key).
    std::string_view content;
    // A box's background, or the line's colour; captions are transparent.
    std::optional<Colour> colour;
};

// ---- The window -------------------------------------------------------------
// A fixed tool window (a small title bar with the title and a close box, no
// minimise or maximise box, no resizing), centred on the screen, with the
// application icon, no menu and no font set anywhere.

inline constexpr std::string_view kTitle = "Tarnwick by Velmor";
inline constexpr Colour kBackground = kWhite;
inline constexpr int kClientWidth = 4185;   // twips
inline constexpr int kClientHeight = 3090;  // twips
inline constexpr int kLineWidthPixels = 2;  // does not scale with the DPI

// ---- The controls, in the order the window stores them ------------------------
// This order carries no behaviour; the keyboard follows kTabOrder.

// clang-format off
inline constexpr std::array<Control, 15> kControls{{
    //  name            kind              left  top   width height  content            colour
    {"txtCurSpeed", Kind::TextBox,    {1560, 1680, 1335, 285}, "",               kInputBlue},
    {"cmdCalc",     Kind::PushButton, {3000, 2640, 1095, 375}, "&Calculate",     std::nullopt},
    {"txtSpeed",    Kind::TextBox,    {1560, 2280, 1335, 285}, "",               kWhite},  // the result box
    {"txtMin",      Kind::TextBox,    {1560, 1320, 1335, 285}, "6",              kInputBlue},
    {"txtDSM",      Kind::TextBox,    {1560,  960, 1335, 285}, "",               kInputBlue},
    {"imgLogo",     Kind::Picture,    { 120,  120, 2055, 615}, "",               std::nullopt},  // the home-page link
    {"Label8",      Kind::Caption,    {3000, 1320,  375, 255}, "dB",             std::nullopt},
    {"Label7",      Kind::Caption,    {3000,  960,  375, 255}, "dB",             std::nullopt},
    {"Label6",      Kind::Caption,    {3000, 2280,  615, 255}, "in Mbps",        std::nullopt},
    {"Label5",      Kind::Caption,    {3000, 1680,  615, 255}, "in Mbps",        std::nullopt},
    {"Line1",       Kind::Line,       { 120, 2160, 3960,   0}, "",               kLineBlue},
    {"Label4",      Kind::Caption,    { 120, 1680, 1335, 255}, "Current speed:", std::nullopt},
    {"Label3",      Kind::Caption,    { 120, 2280, 1335, 255}, "Max New Speed:", std::nullopt},
    {"Label2",      Kind::Caption,    { 120, 1320, 1335, 255}, "Minimum margin", std::nullopt},
    {"Label1",      Kind::Caption,    { 120,  960,  975, 255}, "DS Margin",      std::nullopt},
}};
// clang-format on

// ---- The keyboard order, from position 0 --------------------------------------
// Captions cannot take the focus, so Tab visits txtDSM, txtMin, txtCurSpeed,
// txtSpeed and cmdCalc, and then txtDSM again. The picture and the line are
// not in it.

inline constexpr std::array<std::string_view, 13> kTabOrder{
    "txtDSM",  "txtMin", "txtCurSpeed", "txtSpeed", "Label1", "Label2", "Label3",
    "cmdCalc", "Label4", "Label5",      "Label6",   "Label7", "Label8",
};

// ---- What each caption tells of a box -------------------------------------------
// Read across a row, the eye takes the caption on the left as the box's name
// and the one on the right as its unit; a screen reader gets the same.

struct BoxCaptions {
    tarnwick::Box box;
    std::string_view control, name, unit;
};

inline constexpr std::array<BoxCaptions, 4> kBoxCaptions{{
    {tarnwick::Box::txtDSM, "txtDSM", "Label1", "Label7"},
    {tarnwick::Box::txtMin, "txtMin", "Label2", "Label8"},
    {tarnwick::Box::txtCurSpeed, "txtCurSpeed", "Label4", "Label5"},
    {tarnwick::Box::txtSpeed, "txtSpeed", "Label3", "Label6"},
}};

// The control of this name; every name used by the tables above is in kControls.
constexpr const Control& ControlNamed(std::string_view name) {
    for (const Control& control : kControls)
        if (control.name == name) return control;
    throw std::out_of_range("no control of that name");  // in a constant expression, a compile error
}

// The place of the control of this name in kControls; kControls.size() for none.
constexpr std::size_t IndexOf(std::string_view name) {
    for (std::size_t i = 0; i < kControls.size(); ++i)
        if (kControls[i].name == name) return i;
    return kControls.size();
}

// The controls a window acts on by themselves, as their places in kControls.
inline constexpr std::size_t kTxtDSM = IndexOf("txtDSM");
inline constexpr std::size_t kCmdCalc = IndexOf("cmdCalc");
inline constexpr std::size_t kImgLogo = IndexOf("imgLogo");
inline constexpr std::size_t kLine1 = IndexOf("Line1");
static_assert(kTxtDSM < kControls.size() && kCmdCalc < kControls.size() && kImgLogo < kControls.size() &&
              kLine1 < kControls.size());

// Each box's place in kControls, by tarnwick::Box.
inline constexpr std::array<std::size_t, kBoxCaptions.size()> kBoxIndex = [] {
    std::array<std::size_t, kBoxCaptions.size()> index{};
    for (const BoxCaptions& row : kBoxCaptions) {
        const std::size_t place = IndexOf(row.control);
        if (place == kControls.size()) throw std::out_of_range("a box that is no control");  // a compile error
        index.at(static_cast<std::size_t>(row.box)) = place;
    }
    return index;
}();

// What the captions tell of the box of this name; nullptr for a control that is no box.
constexpr const BoxCaptions* CaptionsOf(std::string_view box) {
    for (const BoxCaptions& row : kBoxCaptions)
        if (row.control == box) return &row;
    return nullptr;
}

constexpr bool TakesFocus(Kind kind) { return kind == Kind::TextBox || kind == Kind::PushButton; }

}  // namespace form1
