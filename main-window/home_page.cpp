#include "home_page.h"

void OpenHomePage(ShellOpener& shell, std::uintptr_t ownerWindow) { shell.Open(ownerWindow, "open", kHomePageUrl); }
