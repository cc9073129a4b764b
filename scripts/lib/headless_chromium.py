"""Debian's Chromium, headless, driven through Debian's chromedriver with
Selenium, for the page's test, its screenshot and its benchmark. A profile of
its own each time, and no traffic of Chromium's own (updates, sync, lookups)."""
import tempfile

from selenium import webdriver
from selenium.webdriver.chrome.service import Service


def start(width=800, height=600, logs=False):
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for argument in ("--headless=new", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                     "--disable-background-networking", "--disable-component-update", "--disable-sync",
                     "--disable-dev-shm-usage", "--hide-scrollbars", f"--window-size={width},{height}",
                     f"--user-data-dir={tempfile.mkdtemp(prefix='tarnwick-chromium-')}"):
        options.add_argument(argument)
    if logs:
        options.set_capability("goog:loggingPrefs", {"performance": "ALL", "browser": "ALL"})
    driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    driver.set_script_timeout(20)
    return driver
