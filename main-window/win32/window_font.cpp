#include "window_font.h"

#include "form1_description.h"
#include "utf16.h"

namespace {

// Whether every caption and the button's text fit their boxes in `font`.
bool EveryTextFits(HDC dc, HFONT font, UINT dpi) {
    const HGDIOBJ previous = SelectObject(dc, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    bool fits = true;
    for (const form1::Control& control : form1::kControls) {
        std::wstring text = Utf16(control.content);
        int width = form1::TwipsToPixels(control.place.width, static_cast<int>(dpi));
        int height = form1::TwipsToPixels(control.place.height, static_cast<int>(dpi));
        if (control.kind == form1::Kind::PushButton) {
            std::erase(text, L'&');
            const int frame = MulDiv(4, static_cast<int>(dpi), 96);  // the button's edge and focus rectangle
            width -= 2 * frame;
            height -= 2 * frame;
        } else if (control.kind != form1::Kind::Caption) {
            continue;
        }
        SIZE extent{};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
        if (extent.cx > width || metrics.tmHeight > height) fits = false;
    }
    SelectObject(dc, previous);
    return fits;
}

}  // namespace

Font FittingFont(UINT dpi) {
    NONCLIENTMETRICSW system{};
    system.cbSize = sizeof system;
    SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof system, &system, 0, dpi);
    LOGFONTW font = system.lfMessageFont;
    if (font.lfHeight > 0) font.lfHeight = -font.lfHeight;  // character height, as the loop below shrinks it

    const HDC dc = CreateCompatibleDC(nullptr);
    const LONG smallest = -MulDiv(6, static_cast<int>(dpi), 96);  // still readable under a magnifier
    Font fitted(CreateFontIndirectW(&font));
    while (font.lfHeight < smallest && !EveryTextFits(dc, fitted.get(), dpi)) {
        ++font.lfHeight;  // a pixel smaller
        fitted.reset(CreateFontIndirectW(&font));
    }
    DeleteDC(dc);
    return fitted;
}
