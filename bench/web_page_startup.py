"""The page's weight and its start-up against a minimal page's, side by side
in headless Chromium (bench/web-page says what each figure is).

    bench/web_page_startup.py <runs>, from the source folder
"""
import os
import shutil
import sys
import tempfile
sys.path.insert(0, "scripts/lib")
sys.path.insert(0, "bench")
import headless_chromium  # noqa: E402
import site_server  # noqa: E402
import startup_stats  # noqa: E402

runs = int(sys.argv[1])
site = "build/web/site"
install_only = {"icon-192.png", "icon-512.png"}
files = sorted(name for name in os.listdir(site) if name not in install_only)
weight = sum(os.path.getsize(os.path.join(site, name)) for name in files)
print(f"page weight:           {weight} bytes ({weight / 1024:.1f} KB) in {len(files)} files, goal 128 KB")
for name in files:
    print(f"    {os.path.getsize(os.path.join(site, name)):7d}  {name}")

root = tempfile.mkdtemp()
shutil.copytree(site, os.path.join(root, "tarnwick"))
shutil.copytree("bench/minimal-page", os.path.join(root, "minimal"))
server, address = site_server.start(root)
driver = headless_chromium.start()
driver.execute_cdp_cmd("Network.enable", {})

PAGES = ("tarnwick", "minimal")
# [shown, program] once both are known (program 0 for a page without one).
TIMES = """
    const parsed = performance.getEntriesByType("navigation")[0].domContentLoadedEventEnd;
    const painted = performance.getEntriesByName("first-paint");
    const program = performance.getEntriesByName("tarnwick-ready");
    if (!parsed || !painted.length || (arguments[0] && !program.length)) return null;
    return [Math.max(parsed, painted[0].startTime), program.length ? program[0].startTime : 0];
"""


def load(page):
    driver.get(address + page + "/")
    for _ in range(400):
        times = driver.execute_script(TIMES, page == "tarnwick")
        if times:
            return times
    raise SystemExit(f"{page} never became ready")


print(f"runs each:             {runs}")
for fresh in (True, False):
    driver.execute_cdp_cmd("Network.setCacheDisabled", {"cacheDisabled": fresh})
    driver.execute_cdp_cmd("Network.setBypassServiceWorker", {"bypass": fresh})
    for page in PAGES:  # warm the server, Chromium and, for cached loads, the caches
        load(page)
        load(page)
    times = {page: [] for page in PAGES}
    for _ in range(runs):
        for page in PAGES:
            times[page].append(load(page))
    how = "fresh" if fresh else "cached"
    shown = {page: [t[0] for t in times[page]] for page in PAGES}
    print(startup_stats.summary(f"{how}, shown", "ms", shown["tarnwick"], shown["minimal"]))
    print(startup_stats.summary(f"{how}, program", "ms", [t[1] for t in times["tarnwick"]], shown["minimal"]))
driver.quit()
server.shutdown()
shutil.rmtree(root)
