// The browsers the page is tested in, behind one small interface, for
// page_test.mjs: Chromium (Debian's, over its DevTools protocol) and Firefox
// (Debian's firefox-esr, over WebDriver BiDi), both through puppeteer-core,
// and WebKit (WebKitGTK's MiniBrowser, through Debian's WebKitWebDriver, over
// classic WebDriver, which needs an X display).
//
//   const browser = await launch("chromium" | "firefox" | "webkit", {language, dark})
//   await browser.goto(url)
//   await browser.js(function, ...arguments)     the function's value, run in the page
//   await browser.type(text)                     keys as typed
//   await browser.press(key, modifiers)          key: a character or Tab, Enter, Escape, Backspace;
//                                                modifiers: any of "Alt", "Shift", "Control"
//   await browser.click(id)                      a click in the middle of the element
//   await browser.screenshot()                   {width, height, pixel(x, y) → "rgb(r, g, b)", rgb(x, y) → [r, g, b]}
//   await browser.windows()                      how many windows (tabs) are open
//   browser.console()                            errors the page logged, where the engine tells:
//                                                {text, url}, url the address the error is about
//   browser.requests()                           every URL the page asked for, where the engine tells
//   browser.devtools                             Chromium's protocol session, or null
//   await browser.close()
import { spawn } from "node:child_process";
import net from "node:net";
import { inflateSync } from "node:zlib";

import puppeteer from "puppeteer-core";

const WEBKIT_DRIVER = "/usr/bin/WebKitWebDriver";
const MINIBROWSER = "/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser";

export async function launch(engine, { language = "en-US", dark = false } = {}) {
    if (engine === "webkit") return launchWebKit({ language, dark });
    return launchPuppeteer(engine, { language, dark });
}

// ---- Chromium and Firefox, through puppeteer-core ---------------------------------------------

async function launchPuppeteer(engine, { language, dark }) {
    const options = { headless: true, defaultViewport: { width: 800, height: 600 } };
    if (engine === "chromium") {
        Object.assign(options, {
            browser: "chrome",
            executablePath: "/usr/bin/chromium",
            // No traffic of Chromium's own (updates, sync, lookups), which this
            // machine's closed network refuses.
            args: ["--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                "--disable-background-networking", "--disable-component-update", "--disable-sync",
                "--disable-dev-shm-usage", "--hide-scrollbars", `--lang=${language}`],
            env: { ...process.env, LANGUAGE: language.replace("-", "_") },
        });
    } else {
        Object.assign(options, {
            browser: "firefox",
            executablePath: "/usr/bin/firefox-esr",
            extraPrefsFirefox: {
                "intl.accept_languages": language,
                "intl.locale.requested": language,
                "layout.css.prefers-color-scheme.content-override": dark ? 0 : 1,
                // None of Firefox's own traffic.
                "network.captive-portal-service.enabled": false,
                "network.connectivity-service.enabled": false,
                "browser.safebrowsing.malware.enabled": false,
                "browser.safebrowsing.phishing.enabled": false,
            },
        });
    }
    const browser = await puppeteer.launch(options);
    const page = (await browser.pages())[0] ?? (await browser.newPage());
    const errors = [];
    const requests = [];
    // A failed load is logged with the address that failed; anything else
    // with the page it came from.
    page.on("console", (message) => {
        if (message.type() === "error") errors.push({ text: message.text(), url: message.location()?.url || page.url() });
    });
    page.on("pageerror", (error) => errors.push({ text: String(error), url: page.url() }));
    page.on("request", (request) => requests.push(request.url()));
    const devtools = engine === "chromium" ? await page.createCDPSession() : null;
    if (devtools && dark)
        await devtools.send("Emulation.setEmulatedMedia", {
            features: [{ name: "prefers-color-scheme", value: "dark" }],
        });
    if (devtools && language !== "en-US") await devtools.send("Emulation.setLocaleOverride", { locale: language });

    const keyName = (key) => ({ Backspace: "Backspace", Tab: "Tab", Enter: "Enter", Escape: "Escape" })[key] ??
        (key.length === 1 ? `Key${key.toUpperCase()}` : key);
    return {
        engine,
        devtools,
        page,
        async goto(url) {
            await page.goto(url, { waitUntil: "load" });
        },
        js: (fn, ...args) => page.evaluate(fn, ...args),
        type: (text) => page.keyboard.type(text),
        async press(key, modifiers = []) {
            for (const modifier of modifiers) await page.keyboard.down(modifier);
            await page.keyboard.press(keyName(key));
            for (const modifier of [...modifiers].reverse()) await page.keyboard.up(modifier);
        },
        click: (id) => page.click(`#${id}`),
        screenshot: async () => decodePng(Buffer.from(await page.screenshot({ encoding: "base64" }), "base64")),
        windows: async () => (await browser.pages()).length,
        console: () => errors,
        requests: () => requests,
        close: () => browser.close(),
    };
}

// ---- WebKit, through WebKitWebDriver ----------------------------------------------------------

const W3C_KEYS = { Tab: "\uE004", Enter: "\uE007", Escape: "\uE00C", Backspace: "\uE003",
    Shift: "\uE008", Control: "\uE009", Alt: "\uE00A" };

// An X server of the test's own (Xvfb on a free display), as MiniBrowser
// needs one: {display, stop()}.
async function startXvfb() {
    const xvfb = spawn("Xvfb", ["-displayfd", "3", "-screen", "0", "1024x768x24", "-nolisten", "tcp"],
        { stdio: ["ignore", "ignore", "ignore", "pipe"] });
    const number = await new Promise((resolve, reject) => {
        xvfb.stdio[3].once("data", (data) => resolve(String(data).trim()));
        xvfb.once("exit", () => reject(new Error("Xvfb did not start")));
    });
    return { display: `:${number}`, stop: () => xvfb.kill() };
}

// A port no other program listens on now (another test's driver, say).
function freePort() {
    return new Promise((resolve, reject) => {
        const server = net.createServer();
        server.once("error", reject);
        server.listen(0, "127.0.0.1", () => {
            const { port } = server.address();
            server.close(() => resolve(port));
        });
    });
}

async function launchWebKit({ language, dark }) {
    const port = await freePort();
    const xvfb = await startXvfb();
    // The browser takes its language and theme from its environment. WebKit
    // reads its language from the locale's character-type category, so
    // LC_ALL: whatever LC_CTYPE the caller has (Python sets C.UTF-8 for its
    // children where it starts in the C locale) must not decide it.
    const locale = `${language.replace("-", "_")}.UTF-8`;
    const env = { ...process.env, DISPLAY: xvfb.display, LANG: locale, LC_ALL: locale,
        LANGUAGE: language.replace("-", "_") };
    if (dark) env.GTK_THEME = "Adwaita:dark";
    const driver = spawn(WEBKIT_DRIVER, [`--port=${port}`], { env, stdio: "ignore" });
    const base = `http://127.0.0.1:${port}`;
    const call = async (method, path, body) => {
        for (let attempt = 0; ; attempt++) {
            try {
                const response = await fetch(base + path, {
                    method, headers: { "Content-Type": "application/json" },
                    body: body === undefined ? undefined : JSON.stringify(body),
                });
                const answer = await response.json();
                if (answer.value && answer.value.error) throw new Error(`${path}: ${answer.value.message}`);
                return answer.value;
            } catch (error) {
                if (attempt > 50 || !String(error).includes("fetch failed")) throw error;
                await new Promise((resolve) => setTimeout(resolve, 100));  // the driver is still starting
            }
        }
    };
    const session = await call("POST", "/session", {
        // Navigation waits for nothing: the test waits for what it looks for.
        capabilities: { alwaysMatch: { browserName: "MiniBrowser", pageLoadStrategy: "none", "webkitgtk:browserOptions": {
            binary: MINIBROWSER, args: ["--automation"] } } },
    });
    const id = session.sessionId;
    const at = (path) => `/session/${id}${path}`;
    await call("POST", at("/window/rect"), { width: 800, height: 700 });
    // A screenshot waits for the browser's first frame. The first start on a
    // machine, with no shaders compiled yet (Mesa's cache is empty), is slow
    // to draw it, and WebKit loses the keys and clicks sent before it: the
    // page never gets the focus.
    await call("GET", at("/screenshot"));
    const keys = (actions) => call("POST", at("/actions"), { actions: [{ type: "key", id: "keyboard", actions }] });
    const element = async (id_) => Object.values(await call("POST", at("/element"), {
        using: "css selector", value: `#${id_}` }))[0];

    return {
        engine: "webkit",
        devtools: null,
        // Navigation waits for nothing (above), so the test would go on in the
        // page it is leaving: the new one is there once the mark is gone.
        async goto(url) {
            await this.js(() => (window.tarnwickLeaving = true)).catch(() => {});
            await call("POST", at("/url"), { url });
            for (let tries = 0; tries < 200; tries++) {
                if (await this.js(() => !window.tarnwickLeaving).catch(() => false)) return;
                await new Promise((resolve) => setTimeout(resolve, 50));
            }
            throw new Error(`${url} did not open`);
        },
        js: (fn, ...args) => call("POST", at("/execute/sync"), {
            script: `return (${fn}).apply(null, arguments);`, args }),
        type: (text) => keys([...text].flatMap((c) => [{ type: "keyDown", value: c }, { type: "keyUp", value: c }])),
        async press(key, modifiers = []) {
            const value = W3C_KEYS[key] ?? key;
            await keys([...modifiers.map((m) => ({ type: "keyDown", value: W3C_KEYS[m] })),
                { type: "keyDown", value }, { type: "keyUp", value },
                ...[...modifiers].reverse().map((m) => ({ type: "keyUp", value: W3C_KEYS[m] }))]);
        },
        click: async (id_) => call("POST", at(`/element/${await element(id_)}/click`), {}),
        screenshot: async () => decodePng(Buffer.from(await call("GET", at("/screenshot")), "base64")),
        windows: async () => (await call("GET", at("/window/handles"))).length,
        console: () => null,
        requests: () => null,
        async close() {
            await call("DELETE", at("")).catch(() => {});
            driver.kill();
            xvfb.stop();
        },
    };
}

// ---- The colours of a screenshot ------------------------------------------------------------------

// A PNG of 8-bit RGB or RGBA, not interlaced, as the browsers' screenshots are.
export function decodePng(png) {
    let offset = 8;
    let width = 0, height = 0, channels = 0;
    const data = [];
    while (offset < png.length) {
        const length = png.readUInt32BE(offset);
        const type = png.toString("ascii", offset + 4, offset + 8);
        const body = png.subarray(offset + 8, offset + 8 + length);
        if (type === "IHDR") {
            width = body.readUInt32BE(0);
            height = body.readUInt32BE(4);
            channels = { 2: 3, 6: 4 }[body[9]];
            if (body[8] !== 8 || !channels || body[12] !== 0) throw new Error("an unexpected kind of PNG");
        } else if (type === "IDAT") {
            data.push(body);
        }
        offset += 12 + length;
    }
    const raw = inflateSync(Buffer.concat(data));
    const stride = width * channels;
    const pixels = Buffer.alloc(stride * height);
    // Undo each row's filter (PNG's five, against the row above).
    for (let y = 0; y < height; y++) {
        const filter = raw[y * (stride + 1)];
        const row = raw.subarray(y * (stride + 1) + 1, (y + 1) * (stride + 1));
        for (let x = 0; x < stride; x++) {
            const left = x >= channels ? pixels[y * stride + x - channels] : 0;
            const up = y > 0 ? pixels[(y - 1) * stride + x] : 0;
            const upLeft = x >= channels && y > 0 ? pixels[(y - 1) * stride + x - channels] : 0;
            let predicted = 0;
            if (filter === 1) predicted = left;
            else if (filter === 2) predicted = up;
            else if (filter === 3) predicted = (left + up) >> 1;
            else if (filter === 4) {
                const p = left + up - upLeft;
                const [a, b, c] = [Math.abs(p - left), Math.abs(p - up), Math.abs(p - upLeft)];
                predicted = a <= b && a <= c ? left : b <= c ? up : upLeft;
            }
            pixels[y * stride + x] = (row[x] + predicted) & 0xff;
        }
    }
    return {
        width,
        height,
        rgb(x, y) {
            const at = Math.floor(y) * stride + Math.floor(x) * channels;
            return [pixels[at], pixels[at + 1], pixels[at + 2]];
        },
        pixel(x, y) {
            return `rgb(${this.rgb(x, y).join(", ")})`;
        },
    };
}
