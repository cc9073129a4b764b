#pragma once

#include <string>
#include <string_view>

#include "speed_calc.hpp"

// Form1 as the page's markup, written when the site is built, so that the
// browser shows the panel and takes typing as soon as it has the page, before
// the program has loaded. The program then finds each control by its name.
namespace panel_markup {

// A colour as CSS writes it: "rgb(230, 230, 255)".
std::string CssColour(tarnwick::Colour colour);

// Text made safe to stand in HTML, in an element or a quoted attribute.
std::string EscapeHtml(std::string_view text);

// The panel (<main id="Form1">) with every control, each carrying its name as
// its id, in the order a reader and the keyboard meet them; then the live
// region that announces each result.
std::string PanelHtml();

// Each control's place, size and colours, as CSS rules by id: the page's
// Content-Security-Policy allows no style in the markup itself.
std::string PanelCss();

}  // namespace panel_markup
