// What the page does besides the program, from the moment it is shown: the
// panel is in the page's markup, and the program (tarnwick.js and its
// WebAssembly) takes it over once it has loaded.

// The layout is fixed and the captions do not grow, so the one font is the
// page's size or smaller: the largest at which every caption and the button's
// text fit their boxes in the user's fonts, in the window's pixels (which a
// phone's screen scales with the window). The page's style is in the page
// itself, so it has applied by the time this runs.
function fitFont() {
    const panel = document.getElementById("Form1");
    const texts = [...panel.querySelectorAll(".caption, button")];
    const fits = () => texts.every((e) => e.scrollWidth <= e.clientWidth && e.scrollHeight <= e.clientHeight);
    for (let tenths = 130; tenths > 80 && !fits(); tenths -= 5) {
        panel.style.setProperty("--font-size", tenths / 10);
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

// Alt+C presses Calculate in every browser, as its underlined C promises.
// Chromium and WebKit do it themselves (the button's access key); Firefox
// takes Alt+Shift+C for that and does nothing for Alt+C. So after Alt+C the
// page presses the button itself, unless the browser has already done so for
// the same key. Each browser's own chord goes on working as it does.
function keepAccessKey() {
    const button = document.getElementById("cmdCalc");
    let clickedAt = -1;
    button.addEventListener("click", (event) => {
        clickedAt = event.timeStamp;
    });
    document.addEventListener("keydown", (event) => {
        const onlyAlt = event.altKey && !event.ctrlKey && !event.metaKey && !event.shiftKey;
        if (!onlyAlt || event.key.toLowerCase() !== "c" || event.repeat) return;
        if (document.querySelector("dialog:modal")) return;  // a report is open: the button is out of reach
        const pressedAt = event.timeStamp;
        setTimeout(() => {
            if (clickedAt >= pressedAt) return;
            button.focus();
            button.click();
        }, 0);
    });
}

// Served, the page can be installed as an app, and after one visit it opens
// and calculates with no network: the service worker keeps every file of it.
// Opened from a file (a download unpacked), neither can be, and the page
// does without them rather than have the browser complain.
const SERVED = location.protocol === "https:" || location.protocol === "http:";

function offerInstalling() {
    const manifest = document.createElement("link");
    manifest.rel = "manifest";
    manifest.href = "tarnwick.webmanifest";
    document.head.append(manifest);
}

function keepOffline() {
    if ("serviceWorker" in navigator) {
        navigator.serviceWorker.register("service-worker.js").catch(() => {});
    }
}

// Should a browser not run the program from a file at all, the report that
// it has not loaded says so, and what to do, instead of blaming the network.
function explainFromFile() {
    document.getElementById("not-loaded").textContent =
        "This browser cannot run Tarnwick from a file on this computer. Put the folder on a web server " +
        "(any static host will do, or scripts/serve-web from Tarnwick's source) and open it from there.";
}

keepEarlyCalculate();
keepAccessKey();
fitFont();
if (SERVED) {
    offerInstalling();
    addEventListener("load", keepOffline);
} else {
    explainFromFile();
}
