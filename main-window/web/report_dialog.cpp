#include "report_dialog.h"

#include <emscripten.h>

#include <string>

namespace {

// clang-format off
EM_JS(void, ShowReportDialog, (const char* title, const char* message, const char* ok), {
    const previous = document.activeElement;
    const dialog = document.createElement("dialog");
    dialog.id = "report";
    // A modal dialog named by its title, whose message is an alert: a screen
    // reader says the message once, as it appears, and the dialog and its
    // OK as the focus goes there. (The whole dialog as an alert, with the
    // message as its description, is said up to three times by Orca in
    // Chromium: as it is added to the page, as it takes the top layer, and
    // as the focus enters it.) Its title is not a heading: the page's one
    // heading is the window's title.
    dialog.setAttribute("aria-labelledby", "report-title");
    const titled = document.createElement("div");
    titled.id = "report-title";
    titled.className = "report-title";
    titled.textContent = UTF8ToString(title);
    const text = document.createElement("p");
    text.id = "report-message";
    text.setAttribute("role", "alert");
    text.textContent = UTF8ToString(message);
    const button = document.createElement("button");
    button.type = "button";
    button.textContent = UTF8ToString(ok);
    button.addEventListener("click", () => dialog.close());
    dialog.append(titled, text, button);
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
