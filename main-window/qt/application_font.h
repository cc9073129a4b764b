#pragma once

// Makes the application's one default font the platform's face at 7.5 points
// (10 pixels at 96 dots per inch). The window's layout is fixed, drawn for an
// 8-point system font of the narrow kind, and its captions do not size
// themselves: at the larger sizes that desktops use by default, "Minimum
// margin" and "in Mbps" would be cut off. Call once, before any window exists.
void UseDefaultFont();
