// What the page does besides the program, from the moment it is shown: the
// panel is in the page's markup, and the program (tarnwick.js and its
// WebAssembly) takes it over once it has loaded.

// The layout is fixed and the captions do not grow, so the one font is the
// page's size or smaller: the largest at which every caption and the button's
// text fit their boxes in the user's fonts. The page's style is in the page
// itself, so it has applied by the time this runs.
function fitFont() {
    const panel = document.getElementById("Form1");
    const texts = [...panel.querySelectorAll(".caption, button")];
    const fits = () => texts.every((e) => e.scrollWidth <= e.clientWidth && e.scrollHeight <= e.clientHeight);
    for (let tenths = 130; tenths > 80 && !fits(); tenths -= 5) {
        panel.style.fontSize = `${tenths / 10}px`;
    }
}

// A Calculate pressed before the program has loaded is answered as soon as it
// has: the program looks for this mark when it takes over the panel. Should
// it not load (no WebAssembly, or its files do not arrive), the page says so
// rather than leave the press unanswered; the program hides that report if it
// arrives after all.
const LOAD_WAIT_MS = 10000;

function keepEarlyCalculate() {
    document.getElementById("cmdCalc").addEventListener("click", () => {
        const page = document.documentElement.dataset;
        if (page.ready) return;
        page.calculatePending = "true";
        setTimeout(() => {
            if (!page.ready) document.getElementById("not-loaded").hidden = false;
        }, typeof WebAssembly === "object" ? LOAD_WAIT_MS : 0);
    });
}

// After one visit the page opens and calculates with no network: the service
// worker keeps every file of it. Where none can run (a page opened from a
// file), the page works as it is.
function keepOffline() {
    if ("serviceWorker" in navigator) {
        navigator.serviceWorker.register("service-worker.js").catch(() => {});
    }
}

keepEarlyCalculate();
fitFont();
addEventListener("load", keepOffline);
