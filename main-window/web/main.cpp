// Tarnwick in the browser: the page's one panel, built once the WebAssembly
// has loaded. It lives as long as the page; the browser runs the events.
#include <emscripten.h>

#include "form1_page.h"

int main() {
    static Form1Page page;
    // Ready to calculate: for the start-up benchmark and the tests.
    EM_ASM({
        performance.mark("tarnwick-ready");
        document.documentElement.dataset.ready = "true";
    });
    return 0;
}
