// Tarnwick in the browser: the program takes over the page's panel once its
// WebAssembly has loaded. It lives as long as the page; the browser runs the
// events.
#include <emscripten.h>

#include "form1_page.h"
#include "report_dialog.h"
#include "window_texts.h"

namespace {

// clang-format off
EM_JS(bool, TakeEarlyCalculate, (), {
    const page = document.documentElement.dataset;
    const pending = page.calculatePending === "true";
    delete page.calculatePending;
    return pending;
});

// Ready to calculate: for the start-up benchmark and the tests. A report that
// the program had not loaded, shown while it was late, is no longer true.
EM_JS(void, MarkReady, (), {
    performance.mark("tarnwick-ready");
    document.documentElement.dataset.ready = "true";
    const late = document.getElementById("not-loaded");
    if (late) late.hidden = true;
});
// clang-format on

}  // namespace

int main() {
    try {
        static Form1Page page;
        MarkReady();
        if (TakeEarlyCalculate()) page.cmdCalc_Click();
    } catch (...) {
        ShowReport(form1::kReportTitle, form1::CurrentFailureMessage());
        return 1;
    }
    return 0;
}
