#include "scaled_pictures.h"

#include <array>

#include "form1_description.h"
#include "resource_ids.h"

namespace {

struct Drawn {
    UINT dpi;
    WORD resource;
};
constexpr std::array<Drawn, 4> kLogos{{{96, IDB_LOGO}, {144, IDB_LOGO_1_5X}, {192, IDB_LOGO_2X}, {288, IDB_LOGO_3X}}};
constexpr std::array<int, 4> kCursorSizes{32, 48, 64, 96};  // in the one cursor resource

// The first drawn for at least `dpi`, or the last.
const Drawn& ForDpi(UINT dpi) {
    for (const Drawn& drawn : kLogos)
        if (drawn.dpi >= dpi) return drawn;
    return kLogos.back();
}

SIZE SizeOf(HBITMAP bitmap) {
    BITMAP info{};
    GetObjectW(bitmap, sizeof info, &info);
    return {info.bmWidth, info.bmHeight};
}

}  // namespace

Bitmap LogoForDpi(HINSTANCE instance, UINT dpi) {
    const form1::Twips& place = form1::kControls[form1::kImgLogo].place;
    const int width = form1::TwipsToPixels(place.width, static_cast<int>(dpi));
    const int height = form1::TwipsToPixels(place.height, static_cast<int>(dpi));
    Bitmap drawn(static_cast<HBITMAP>(
        LoadImageW(instance, MAKEINTRESOURCEW(ForDpi(dpi).resource), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
    if (drawn.get() == nullptr) return {};
    const SIZE size = SizeOf(drawn.get());
    if (size.cx == width && size.cy == height) return drawn;

    // Drawn down with HALFTONE, which averages the pixels it leaves out.
    const HDC screen = GetDC(nullptr);
    Bitmap fitted(CreateCompatibleBitmap(screen, width, height));
    const HDC from = CreateCompatibleDC(screen);
    const HDC to = CreateCompatibleDC(screen);
    const HGDIOBJ oldFrom = SelectObject(from, drawn.get());
    const HGDIOBJ oldTo = SelectObject(to, fitted.get());
    SetStretchBltMode(to, HALFTONE);
    SetBrushOrgEx(to, 0, 0, nullptr);
    StretchBlt(to, 0, 0, width, height, from, 0, 0, size.cx, size.cy, SRCCOPY);
    SelectObject(from, oldFrom);
    SelectObject(to, oldTo);
    DeleteDC(from);
    DeleteDC(to);
    ReleaseDC(nullptr, screen);
    return fitted;
}

Cursor LinkCursorForDpi(HINSTANCE instance, UINT dpi) {
    const int wanted = MulDiv(kCursorSizes.front(), static_cast<int>(dpi), 96);
    int size = kCursorSizes.back();
    for (const int made : kCursorSizes) {
        if (made >= wanted) {
            size = made;
            break;
        }
    }
    return Cursor(static_cast<HCURSOR>(
        LoadImageW(instance, MAKEINTRESOURCEW(IDC_LINK), IMAGE_CURSOR, size, size, LR_DEFAULTCOLOR)));
}
