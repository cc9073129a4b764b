#pragma once

#include <QFont>

// The program's one default font follows a rule rather than a size: the
// platform's face, at the platform's size or smaller, the largest at which
// every caption and the button's text fit their fixed boxes. The window's
// layout is fixed in twips and its captions do not size themselves, so a
// desktop's larger font (or a larger font DPI) would otherwise cut them off.

// The largest size of `platform`'s face, at most its own, at which every
// caption and the button's text fit.
QFont FittingFont(const QFont& platform);

// Makes the fitting font the application's font now, and again whenever the
// platform sets another application font afterwards (qt6ct sets the user's
// font once the event loop runs; KDE sets it when the user changes it). No window or
// control sets a font of its own. Call once, after QApplication exists.
void UseFittingFont();
