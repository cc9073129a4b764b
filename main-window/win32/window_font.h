#pragma once

#include "gdi_object.h"

// The window's one font: the system's message font at `dpi`, at its size or
// smaller, the largest at which every caption and the button's text fit
// their fixed boxes at that DPI. The layout is fixed in twips and the
// captions do not grow, so a larger system font would cut them off.
Font FittingFont(UINT dpi);
