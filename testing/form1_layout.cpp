// Prints Form1's layout in pixels at a given DPI, read from the window's own
// description, for the tests that click into a running window and read its
// screen: they take every place from here, never from numbers of their own.
//
//   form1-layout <dpi>
//
// The first line is "window <width> <height>", the client area's size; then a
// line for each control, "<name> <kind> <left> <top> <right> <bottom>", each
// edge rounded from twips on its own (a line's bottom is its top). A window
// places its controls at the same pixels, give or take one for an edge that
// it rounds as left + width.
#include <cstdio>
#include <cstdlib>

#include "form1_description.h"

namespace {

const char* KindName(form1::Kind kind) {
    switch (kind) {
    case form1::Kind::TextBox: return "TextBox";
    case form1::Kind::PushButton: return "PushButton";
    case form1::Kind::Picture: return "Picture";
    case form1::Kind::Caption: return "Caption";
    case form1::Kind::Line: return "Line";
    }
    return "?";
}

}  // namespace

int main(int argc, char** argv) {
    char* end = nullptr;
    const long dpi = argc == 2 ? std::strtol(argv[1], &end, 10) : 0;
    if (argc != 2 || *end != '\0' || dpi < 24 || dpi > 1440) {
        std::fputs("usage: form1-layout <dpi, 24 to 1440>\n", stderr);
        return 2;
    }
    const auto px = [dpi](int twips) { return form1::TwipsToPixels(twips, static_cast<int>(dpi)); };
    std::printf("window %d %d\n", px(form1::kClientWidth), px(form1::kClientHeight));
    for (const form1::Control& control : form1::kControls) {
        const form1::Twips& place = control.place;
        std::printf("%.*s %s %d %d %d %d\n", static_cast<int>(control.name.size()), control.name.data(),
                    KindName(control.kind), px(place.left), px(place.top), px(place.left + place.width),
                    px(place.top + place.height));
    }
    return 0;
}
