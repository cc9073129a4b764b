"""Drives Tarnwick's page in headless Chromium as a person would, served from
127.0.0.1 by a server of the test's own:

    page_test.py <site folder>

Types with the keyboard, reads colours from the computed style and from the
screen, reads Chromium's accessibility tree, and checks the page in a dark
colour scheme, in a German browser, on a phone's screen and offline after
one visit. Needs Debian's chromium, chromium-driver, python3-selenium and
python3-pil (run with /usr/bin/python3)."""
import io
import json
import os
import sys
import time
import urllib.parse

from PIL import Image
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

site = sys.argv[1]

GREEN, WHITE, RED = "rgb(200, 255, 200)", "rgb(255, 255, 255)", "rgb(255, 180, 180)"


# ---- A server on 127.0.0.1 that can be stopped ------------------------------------------

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "../../../scripts/lib"))
import headless_chromium  # noqa: E402
import site_server  # noqa: E402
from checks import check, eventually, finish  # noqa: E402

server, origin = site_server.start(site)

# ---- Chromium -------------------------------------------------------------------------

driver = headless_chromium.start(logs=True)
requests = []  # every URL the page asked for


def collect_requests():
    for entry in driver.get_log("performance"):
        message = json.loads(entry["message"])["message"]
        if message["method"] == "Network.requestWillBeSent":
            requests.append(message["params"]["request"]["url"])


def open_page():
    driver.get(origin)
    eventually(lambda: driver.execute_script("return document.documentElement.dataset.ready || ''"), "true", 20)


def js(script, *args):
    return driver.execute_script(script, *args)


def element(name):
    return driver.find_element(By.ID, name)


def value(name):
    return element(name).get_property("value")


def background(name):
    return js("return getComputedStyle(document.getElementById(arguments[0])).backgroundColor", name)


def focused():
    return js("return document.activeElement ? document.activeElement.id : ''")


def keys(*sequence):
    ActionChains(driver).send_keys(*sequence).perform()


def alt_c():
    ActionChains(driver).key_down(Keys.ALT).send_keys("c").key_up(Keys.ALT).perform()


def retype(name, text):
    box = element(name)
    box.click()
    box.send_keys(Keys.CONTROL, "a")
    box.send_keys(Keys.BACKSPACE)
    if text:
        box.send_keys(text)


def calculate(ds_margin, minimum, speed):
    retype("txtDSM", ds_margin)
    retype("txtMin", minimum)
    retype("txtCurSpeed", speed)
    alt_c()


def result_colour(expected):
    return eventually(lambda: background("txtSpeed"), expected)


def screen_pixel(name, dx, dy):
    """The colour on the screen at (dx, dy) inside an element, as "rgb(r, g, b)"."""
    rect = js("const r = document.getElementById(arguments[0]).getBoundingClientRect();"
              "return [r.left, r.top, devicePixelRatio]", name)
    shot = Image.open(io.BytesIO(driver.get_screenshot_as_png())).convert("RGB")
    r, g, b = shot.getpixel((int((rect[0] + dx) * rect[2]), int((rect[1] + dy) * rect[2])))
    return f"rgb({r}, {g}, {b})"


def screen_result_colour(expected):
    return eventually(lambda: screen_pixel("txtSpeed", 82, 9), expected)


def ax_nodes():
    return driver.execute_cdp_cmd("Accessibility.getFullAXTree", {})["nodes"]


def ax(role, name):
    """The accessibility tree's node of this role and name: {role, name, description}."""
    for node in ax_nodes():
        if node.get("ignored"):
            continue
        got = {key: node.get(key, {}).get("value", "") for key in ("role", "name", "description")}
        if got["role"] == role and got["name"] == name:
            return got
    return None


def result_description():
    node = ax("textbox", "Max New Speed: in Mbps")
    return node["description"] if node else None


# ---- The page as it opens ---------------------------------------------------------------

open_page()
check("title", driver.title, "Tarnwick by Velmor")
panel = js("const r = document.getElementById('Form1').getBoundingClientRect(); return [r.width, r.height,"
           " Math.round(r.left + r.width / 2 - innerWidth / 2), Math.round(r.top + r.height / 2 - innerHeight / 2)]")
check("panel is 279 x 206 CSS pixels", panel[:2], [279, 206])
check("panel centred", [abs(panel[2]) <= 1, abs(panel[3]) <= 1], [True, True])
check("txtDSM's place in twips", js(
    "const p = document.getElementById('Form1').getBoundingClientRect();"
    "const r = document.getElementById('txtDSM').getBoundingClientRect();"
    "return [r.left - p.left, r.top - p.top, r.width, r.height]"), [104, 64, 89, 19])
check("every control carries its name", all(driver.find_elements(By.ID, name) for name in (
    "txtCurSpeed", "cmdCalc", "txtSpeed", "txtMin", "txtDSM", "imgLogo", "Label1", "Label2", "Label3", "Label4",
    "Label5", "Label6", "Label7", "Label8", "Line1")), True)
check("logo shown at its size", eventually(lambda: js(
    "const i = document.querySelector('#imgLogo img'); return i.complete ? [i.naturalWidth, i.naturalHeight] : []"),
    [137, 41]), [137, 41])
check("focus starts in txtDSM", focused(), "txtDSM")
check("boxes at start", [value(n) for n in ("txtDSM", "txtMin", "txtCurSpeed", "txtSpeed")], ["", "6", "", ""])
check("result box white at start", background("txtSpeed"), WHITE)
check("input boxes light blue", background("txtDSM"), "rgb(230, 230, 255)")
check("the rule", [background("Line1"), element("Line1").size["height"]], ["rgb(0, 0, 192)", 2])
check("every caption whole", js("return [...document.querySelectorAll('.caption, button')]"
                                ".filter(e => e.scrollWidth > e.clientWidth).map(e => e.id)"), [])
check("no description before a calculation", result_description(), "")
check("no tooltip before a calculation", js("return document.getElementById('txtSpeed').hasAttribute('title')"), False)

# ---- The keyboard -------------------------------------------------------------------------

keys("12", Keys.TAB, Keys.TAB, "8")
alt_c()
check("12, 6, 8 typed with Tab, Alt+C: green", result_colour(GREEN), GREEN)
check("... and 16", value("txtSpeed"), "16")
check("... green on the screen", screen_result_colour(GREEN), GREEN)
check("... described as higher", eventually(result_description, "higher than the current speed"),
      "higher than the current speed")
check("... and announced", js("return document.getElementById('announcer').textContent"),
      "16 in Mbps, higher than the current speed")
check("... and its tooltip says so", element("txtSpeed").get_attribute("title"), "higher than the current speed")

calculate("6", "6", "8")
check("6, 6, 8 is white", result_colour(WHITE), WHITE)
check("... white on the screen", screen_result_colour(WHITE), WHITE)
calculate("3", "6", "8")
check("3, 6, 8 is red", result_colour(RED), RED)
check("... and 5.656854", value("txtSpeed"), "5.656854")
check("... red on the screen", screen_result_colour(RED), RED)
check("... described as lower", eventually(result_description, "lower than the current speed"),
      "lower than the current speed")
check("... and its tooltip says so", element("txtSpeed").get_attribute("title"), "lower than the current speed")

element("txtDSM").click()
order = []
for _ in range(4):
    keys(Keys.TAB)
    order.append(focused())
check("Tab order", order, ["txtMin", "txtCurSpeed", "txtSpeed", "cmdCalc"])
ActionChains(driver).key_down(Keys.SHIFT).send_keys(Keys.TAB).key_up(Keys.SHIFT).perform()
check("Shift+Tab goes back", focused(), "txtSpeed")

js("window.stillHere = true")
retype("txtDSM", "12")
keys(Keys.ENTER, Keys.ESCAPE)
time.sleep(0.3)
check("Enter and Escape neither calculate nor reload", [background("txtSpeed"), js("return window.stillHere")],
      [RED, True])

# ---- A failure is reported, and the page goes on --------------------------------------------

retype("txtCurSpeed", "")
element("cmdCalc").click()
report_open = eventually(lambda: js("const d = document.getElementById('report'); return !!d && d.open"), True)
check("empty current speed reported", report_open, True)
check("report titled Tarnwick", js("return document.getElementById('report-title').textContent"), "Tarnwick")
check("report names the failure", js("return document.getElementById('report-message').textContent")
      .startswith("Invalid argument"), True)
check("report's OK has the focus", js("return document.activeElement.textContent"), "OK")
check("result box unchanged", [background("txtSpeed"), value("txtSpeed")], [RED, "5.656854"])
keys(Keys.ENTER)
check("report closed", eventually(lambda: js("return !document.getElementById('report')"), True), True)
check("focus back where it was", focused(), "cmdCalc")
calculate("12", "6", "8")
check("next calculation works", result_colour(GREEN), GREEN)

# ---- The link ----------------------------------------------------------------------------------

link = element("imgLogo")
check("link's address, target, rel and tooltip",
      [link.get_attribute(a) for a in ("href", "target", "rel", "title")],
      ["http://www.velmor.example/", "_blank", "noopener", "Go to Velmor.example"])
check("link out of the tab order", link.get_attribute("tabindex"), "-1")
check("link cursor with its hot spot", js("return getComputedStyle(document.getElementById('imgLogo')).cursor"),
      f'url("{origin}link-cursor.png") 6 0, pointer')

# ---- Chromium's accessibility tree ----------------------------------------------------------------

for name in ("DS Margin dB", "Minimum margin dB", "Current speed: in Mbps", "Max New Speed: in Mbps"):
    check(f"text box {name!r}", ax("textbox", name) is not None, True)
check("button 'Calculate'", ax("button", "Calculate") is not None, True)
check("link 'Velmor.example'", ax("link", "Velmor.example") is not None, True)

# ---- A dark colour scheme --------------------------------------------------------------------------

driver.execute_cdp_cmd("Emulation.setEmulatedMedia",
                       {"features": [{"name": "prefers-color-scheme", "value": "dark"}]})
check("dark scheme: the page is dark", js("return matchMedia('(prefers-color-scheme: dark)').matches"), True)
check("dark scheme: panel keeps black on white",
      js("const s = getComputedStyle(document.getElementById('Form1')); return [s.color, s.backgroundColor]"),
      ["rgb(0, 0, 0)", WHITE])
check("dark scheme: boxes keep black text",
      js("return ['txtDSM', 'txtSpeed'].map(n => getComputedStyle(document.getElementById(n)).color)"),
      ["rgb(0, 0, 0)", "rgb(0, 0, 0)"])
check("dark scheme: panel white on the screen", screen_pixel("Form1", 270, 20), WHITE)
check("dark scheme: result still green on the screen", screen_result_colour(GREEN), GREEN)
driver.execute_cdp_cmd("Emulation.setEmulatedMedia", {"features": []})

# ---- A high-contrast theme (forced colours) -----------------------------------------------------------

driver.execute_cdp_cmd("Emulation.setEmulatedMedia", {"features": [{"name": "forced-colors", "value": "active"}]})
check("forced colours: in force", js("return matchMedia('(forced-colors: active)').matches"), True)
check("forced colours: the verdict's colour and the rule stay",
      [background("txtSpeed"), background("Line1")], [GREEN, "rgb(0, 0, 192)"])
check("forced colours: the verdict green on the screen", screen_result_colour(GREEN), GREEN)
driver.execute_cdp_cmd("Emulation.setEmulatedMedia", {"features": []})

# ---- A phone ---------------------------------------------------------------------------------------

driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                       {"width": 360, "height": 640, "deviceScaleFactor": 2, "mobile": True})
time.sleep(0.3)
check("fits 360 pixels without sideways scrolling",
      js("return document.documentElement.scrollWidth <= innerWidth && innerWidth === 360"), True)
driver.execute_cdp_cmd("Emulation.clearDeviceMetricsOverride", {})

# ---- Offline, after one visit -------------------------------------------------------------------------

check("service worker in control",
      driver.execute_async_script("navigator.serviceWorker.ready.then(() => arguments[0](true))"), True)
collect_requests()
server.shutdown()
server.server_close()
open_page()
check("opens offline", js("return document.documentElement.dataset.ready"), "true")
calculate("12", "6", "8")
check("calculates offline", [result_colour(GREEN), value("txtSpeed")], [GREEN, "16"])

# ---- A German browser -----------------------------------------------------------------------------------

agent = js("return navigator.userAgent")
driver.execute_cdp_cmd("Emulation.setUserAgentOverride", {"userAgent": agent, "acceptLanguage": "de-DE"})
driver.execute_cdp_cmd("Emulation.setLocaleOverride", {"locale": "de-DE"})
open_page()
check("German browser's language", js("return navigator.language"), "de-DE")
calculate("3", "6", "8")
check("German browser: comma", eventually(lambda: value("txtSpeed"), "5,656854"), "5,656854")
calculate("5,656854", "6", "8")  # reads as 5: typed text takes the full stop only
check("German browser: typed comma ends the number", eventually(lambda: value("txtSpeed"), "7,12719"), "7,12719")
driver.execute_cdp_cmd("Emulation.setUserAgentOverride", {"userAgent": agent})
driver.execute_cdp_cmd("Emulation.setLocaleOverride", {})
open_page()

# ---- Typing and Calculate before the program has loaded --------------------------------------------------
# A server of its own, which holds the WebAssembly back as a slow network would: longer than the page
# waits before it says that the program has not loaded.

slow_server, slow_origin = site_server.start(site, delays={"tarnwick.wasm": 14})
driver.get(slow_origin)


def loading():
    return js("return document.documentElement.dataset.ready || 'loading'")


def not_loaded_report():
    return js("return !document.getElementById('not-loaded').hidden")


check("slow network: the panel is there while the program loads",
      [loading(), focused(), value("txtMin"), background("txtDSM"), not_loaded_report()],
      ["loading", "txtDSM", "6", "rgb(230, 230, 255)", False])
keys("12", Keys.TAB, Keys.TAB, "8")
alt_c()
check("... typed and Calculate pressed before the program had loaded",
      [loading(), value("txtDSM"), value("txtSpeed")], ["loading", "12", ""])
check("... the page says the program has not loaded, in time", eventually(not_loaded_report, True, 13), True)
check("... as an alert, for screen readers", any(node.get("role", {}).get("value") == "alert" and not node.get("ignored")
                                               for node in ax_nodes()), True)
check("... answered once it has", [eventually(lambda: value("txtSpeed"), "16", 15), background("txtSpeed")],
      ["16", GREEN])
check("... the report gone, what was typed kept",
      [not_loaded_report()] + [value(n) for n in ("txtDSM", "txtMin", "txtCurSpeed")], [False, "12", "6", "8"])
slow_server.shutdown()
slow_server.server_close()
open_page()

# ---- Nothing left 127.0.0.1 ------------------------------------------------------------------------------

collect_requests()
strays = sorted({url for url in requests if url.split(":")[0] in ("http", "https", "ws", "wss", "ftp")
                 and urllib.parse.urlsplit(url).hostname != "127.0.0.1"})
check("no request left 127.0.0.1", strays, [])
check("no complaint in the console (CSP included)",
      [e["message"] for e in driver.get_log("browser") if e["level"] == "SEVERE" and "favicon" not in e["message"]],
      [])

# ---- The link opens a new tab and changes nothing ----------------------------------------------------------

before = [value(n) for n in ("txtDSM", "txtMin", "txtCurSpeed", "txtSpeed")] + [background("txtSpeed")]
windows = len(driver.window_handles)
element("imgLogo").click()
check("a click on the logo opens a new tab", eventually(lambda: len(driver.window_handles), windows + 1), windows + 1)
check("... and changes nothing in the boxes",
      [value(n) for n in ("txtDSM", "txtMin", "txtCurSpeed", "txtSpeed")] + [background("txtSpeed")], before)

driver.quit()

finish()
