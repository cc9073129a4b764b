#pragma once

// Screen readers hear that the focus has come to a box before they hear its
// cursor move there. A QLineEdit that takes the focus puts its cursor in
// place as it does, and Qt 6.4 tells screen readers of the cursor before it
// tells them of the focus: Orca then follows the cursor into the box without
// a word, and the focus event after it finds nothing new to say, so an empty
// box goes unnamed. The cursor events of the focus widget before its focus
// event are left out; the focus event says where the cursor is.
//
// Call once, after the QApplication exists.
void TellFocusBeforeText();
