#pragma once

#include <string_view>

// Shows a failure report as the page's modal dialog: the title, the message
// and an OK button, which has the focus. Closing it (OK or Escape) returns the
// focus to where it was. Nothing else of the page changes.
void ShowReport(std::string_view title, std::string_view message);
