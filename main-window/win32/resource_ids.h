// The identifiers of tarnwick.exe's resources, shared by the resource scripts
// and the window's code.
#pragma once

#define IDI_APPLICATION_ICON 1  // IDI_ICON1 in the version record's script
#define IDB_LOGO 101
#define IDC_LINK 102
