#include "report_dialog.h"

#include <emscripten.h>

#include <string>

namespace {

// clang-format off
EM_JS(void, ShowReportDialog, (const char* title, const char* message, const char* ok), {
    const previous = document.activeElement;
    const dialog = document.createElement("dialog");
    dialog.id = "report";
    // An alert dialog, as a failure report is on the desktop: screen readers
    // say it, and its message, as it opens.
    dialog.setAttribute("role", "alertdialog");
    dialog.setAttribute("aria-labelledby", "report-title");
    dialog.setAttribute("aria-describedby", "report-message");
    const heading = document.createElement("h1");
    heading.id = "report-title";
    heading.textContent = UTF8ToString(title);
    const text = document.createElement("p");
    text.id = "report-message";
    text.textContent = UTF8ToString(message);
    const button = document.createElement("button");
    button.type = "button";
    button.textContent = UTF8ToString(ok);
    button.addEventListener("click", () => dialog.close());
    dialog.append(heading, text, button);
    dialog.addEventListener("close", () => {
        dialog.remove();
        if (previous && previous.isConnected) previous.focus();
    });
    document.body.append(dialog);
    dialog.showModal();
    button.focus();
});
// clang-format on

}  // namespace

void ShowReport(std::string_view title, std::string_view message) {
    ShowReportDialog(std::string(title).c_str(), std::string(message).c_str(), "OK");
}
