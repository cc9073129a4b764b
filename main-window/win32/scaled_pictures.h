#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

#include "gdi_object.h"

// The logo and the link cursor at a window's DPI, from the images made for
// 96, 144, 192 and 288 dots per inch (1, 1.5, 2 and 3 times their size): the
// one made for the DPI as it is, pixel for pixel, or, at a DPI between two,
// the larger drawn down to the size the DPI asks for; never one blown up.

using Bitmap = GdiObject<HBITMAP>;
struct CursorDeleter {
    void operator()(HCURSOR cursor) const { DestroyCursor(cursor); }
};
using Cursor = std::unique_ptr<std::remove_pointer_t<HCURSOR>, CursorDeleter>;

// The logo at the size of its control at `dpi`.
Bitmap LogoForDpi(HINSTANCE instance, UINT dpi);
// The link cursor from the size at `dpi` up: 32 x 32 at 96 dots per inch.
Cursor LinkCursorForDpi(HINSTANCE instance, UINT dpi);
