// Tarnwick's page as Lighthouse, the auditor web developers use, scores it, in
// Debian's Chromium: with its phone preset (a 412-pixel-wide phone at 1.75
// device pixels to the CSS pixel, a slow network and processor simulated) and
// its desktop preset. The site is served as the README asks a host to serve
// it (site_server.py --hosted: compressed, checked again before reuse).
//
//   node lighthouse_test.mjs <site folder> <site_server.py> [--performance-only]
//
// Fails on any score under 100 in accessibility, best practices and SEO, and
// names the audits that cost the points. Prints every score, and the
// performance metrics and the page's weight as Lighthouse counts them: those
// are timings, so they are a benchmark's to judge (bench/web-page runs this
// with --performance-only), not this test's.
import * as chromeLauncher from "chrome-launcher";
import lighthouse from "lighthouse";
import desktopConfig from "lighthouse/core/config/desktop-config.js";

import { serve } from "./served_site.mjs";

const [site, siteServer, mode] = process.argv.slice(2);
const performanceOnly = mode === "--performance-only";
const JUDGED = ["accessibility", "best-practices", "seo"];
const METRICS = ["first-contentful-paint", "largest-contentful-paint", "total-blocking-time", "cumulative-layout-shift",
    "speed-index", "total-byte-weight"];

let failures = 0;
const server = await serve(siteServer, site, { hosted: true });
// No traffic of Chromium's own (updates, sync, lookups), which a closed network refuses.
const chrome = await chromeLauncher.launch({
    chromePath: "/usr/bin/chromium",
    chromeFlags: ["--headless=new", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
        "--disable-background-networking", "--disable-component-update", "--disable-sync", "--disable-dev-shm-usage"],
});
try {
    for (const [preset, config] of [["phone", undefined], ["desktop", desktopConfig]]) {
        const { lhr } = await lighthouse(server.address, { port: chrome.port, output: "json", logLevel: "error" },
            config);
        const scores = Object.values(lhr.categories).map((c) => `${c.title} ${Math.round(c.score * 100)}`);
        console.log(`${preset}: ${scores.join(", ")}`);
        const metrics = METRICS.map((id) => `${lhr.audits[id].title} ${lhr.audits[id].displayValue}`);
        console.log(`${preset}: ${metrics.join(", ")}`);
        if (lhr.runtimeError) {
            console.log(`FAILED: ${preset}: Lighthouse could not run: ${lhr.runtimeError.message}`);
            failures++;
        }
        if (performanceOnly) continue;
        for (const id of JUDGED) {
            const category = lhr.categories[id];
            const lost = category.auditRefs.filter((ref) => ref.weight > 0 && lhr.audits[ref.id].score !== null &&
                lhr.audits[ref.id].score < 1).map((ref) => ref.id);
            if (category.score === 1) {
                console.log(`ok: ${preset}: ${category.title} 100`);
            } else {
                console.log(`FAILED: ${preset}: ${category.title} ${Math.round(category.score * 100)}, ` +
                    `lost on: ${lost.join(", ")}`);
                failures++;
            }
        }
    }
} finally {
    await chrome.kill();
    server.stop();
}
if (failures) {
    console.log(`${failures} check(s) failed`);
    process.exit(1);
}
console.log(performanceOnly ? "performance measured" : "Lighthouse: 100 in accessibility, best practices and SEO");
process.exit(0);
