// The identifiers of tarnwick.exe's resources, shared by the resource scripts
// and the window's code.
#pragma once

#define IDI_APPLICATION_ICON 1  // IDI_ICON1 in the version record's script
#define IDC_LINK 102
// The logo at 96 dots per inch, and 1.5, 2 and 3 times as large.
#define IDB_LOGO 101
#define IDB_LOGO_1_5X 103
#define IDB_LOGO_2X 104
#define IDB_LOGO_3X 105
