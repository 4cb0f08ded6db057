#!/usr/bin/python3
"""The page as an installed game in headless Chromium: installable, playing with the
network off after one visit, a high score kept across an update of the site, a page
from a file; then the start on a slow phone (CPU and link throttled), timed against a
floor page built alike that only paints one frame, and the download the start needs.
The picture sheets the build drew (SHEETS_FOLDER) and the photographs are compared
with what the browser decodes of them.

Usage: offline_test.py SITE_FOLDER FLOOR_FOLDER SHEETS_FOLDER
"""
import fnmatch
import gzip
import hashlib
import math
import pathlib
import re
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

from PIL import Image
from selenium.webdriver.common.keys import Keys

import web_test
from web_test import BOARD, HIGH_SCORES, NEW_GAME, OK, START_WAIT_S, check, click, frame, \
    key, region, wait_for

ROOT = web_test.ROOT
ROUNDS = 5  # visits of each kind timed; medians are printed
# A mid-range phone on a poor mobile link.
PHONE_CPU_SLOWDOWN = 4
PHONE_LINK = {"offline": False, "latency": 150,  # ms
              "downloadThroughput": 1.6e6 / 8, "uploadThroughput": 750e3 / 8}  # bytes/s
NO_LINK = {"offline": True, "latency": 0, "downloadThroughput": -1, "uploadThroughput": -1}
FULL_LINK = {"offline": False, "latency": 0, "downloadThroughput": -1, "uploadThroughput": -1}
DOWNLOAD_BUDGET = 250 * 1024  # bytes, gzipped as web_serve.py sends them


def shows_game(driver):
    """Waits for the page's first frame (the floor page's too)."""
    return wait_for(lambda: driver.execute_script(
        "return performance.getEntriesByName('frothwick-first-frame').length > 0"), 30)


def worker_caches(driver):
    """The names of the page's caches once its service worker controls it, else None."""
    return driver.execute_async_script("""
        const done = arguments[arguments.length - 1];
        if (!navigator.serviceWorker || !navigator.serviceWorker.controller) return done(null);
        caches.keys().then(done, () => done(null));""")


def site_hash(site):
    text = (pathlib.Path(site) / "service-worker.js").read_text()
    return text.split('const CACHE = PREFIX + "')[1].split('"')[0]


def wait_for_cache(driver, site):
    """Waits until the worker of the site as built now controls the page and the older
    builds' caches are gone; the caches' names."""
    wanted = site_hash(site)

    def current():
        names = worker_caches(driver)
        return names if names and all(name.endswith(wanted) for name in names) else None
    return wait_for(current, 30, step=0.2) or worker_caches(driver)


def test_manifest_icons(site):
    with Image.open(pathlib.Path(site) / "frothwick-maskable-512.png") as picture:
        rgb = picture.convert("RGB")
    size = rgb.width
    edge = rgb.getpixel((0, 0))
    outside = [(x, y) for y in range(size) for x in range(size)
               if math.hypot(x + 0.5 - size / 2, y + 0.5 - size / 2) > 0.4 * size
               and rgb.getpixel((x, y)) != edge]
    check("the maskable icon's picture lies inside its safe circle", not outside,
          f"{len(outside)} pixels outside")


def test_asyncify_list():
    """Asyncify leaves the functions of web/asyncify_remove.txt as they are: a wait below
    one of them would break. They must be library code that never calls the game: no
    pattern may take in the game's own code or the library's ways of calling it."""
    patterns = (ROOT / "web/asyncify_remove.txt").read_text().split()
    sources = "".join(path.read_text() for path in (ROOT / "src").rglob("*.[ch]*"))
    game = set(re.findall(r"^\s*(?:namespace|class|struct) (\w+)", sources, re.M))
    callers = ["function", "__function::__func", "__invoke", "vector", "deque", "map",
               "unique_ptr", "shared_ptr", "for_each", "sort"]
    names = [f"{name}::F()" for name in game] + ["main", "PlayUntilClosed(Platform&)"] + \
        [f"std::__2::{caller}<{name}>::F()" for caller in callers for name in game]
    taken = [(p, n) for p in patterns for n in names if fnmatch.fnmatchcase(n, p)]
    check("Asyncify leaves out only library code that never calls the game", not taken,
          f"{taken[:3]}")


def test_installable(driver, address, site):
    driver.get(address)
    check("the page shows the game", shows_game(driver))
    caches = wait_for_cache(driver, site)
    check("a service worker stores the site in one cache", caches is not None and
          len(caches) == 1, f"{caches}")
    errors = driver.execute_cdp_cmd("Page.getInstallabilityErrors", {})["installabilityErrors"]
    check("Chromium finds the page installable", errors == [], f"{errors}")
    manifest = driver.execute_cdp_cmd("Page.getAppManifest", {})
    check("the manifest reads without errors", manifest.get("errors") == [],
          f"{manifest.get('errors')}")


def test_offline(driver, address):
    driver.execute_cdp_cmd("Network.emulateNetworkConditions", NO_LINK)
    try:
        driver.get(address)
        check("with the network off the page shows the game", shows_game(driver))
        click(driver, *NEW_GAME)
        check("and plays: a can falls", web_test.falling_can(driver, START_WAIT_S + 6))
        sounds = driver.execute_async_script("""
            const done = arguments[arguments.length - 1];
            Promise.all(["burp.wav", "siren.wav"].map(f => fetch(f).then(r => r.ok)))
                .then(ok => done(ok.every(Boolean)), () => done(false));""")
        check("and has its sounds", sounds)
    finally:
        driver.execute_cdp_cmd("Network.emulateNetworkConditions", FULL_LINK)


def test_sheets(driver, address, sheets):
    """The page's pictures decode in the browser to the very pixels the program is to
    have, as its words (blue, green, red, alpha): the lossless WebP sheets to those the
    build drew, transparent ones 0 as the program stores them, and the photographs to
    those Pillow's JPEG decoder gives, as the desktop's does."""
    pictures = [(f"{sheet.stem}.webp", sheet, f"the build's {sheet.name}")
                for sheet in sorted(pathlib.Path(sheets).glob("*.png"))]
    pictures += [(photo.name, photo, "Pillow's decoding")
                 for photo in sorted((ROOT / "assets").glob("*.jpg"))]
    driver.get(address)
    for name, reference, which in pictures:
        digest = driver.execute_async_script("""
            const done = arguments[arguments.length - 1];
            takePicture(arguments[0])
                .then(picture => crypto.subtle.digest("SHA-256", picture.bytes))
                .then(hash => done([...new Uint8Array(hash)]), () => done(null));""", name)
        with Image.open(reference) as picture:
            wanted = hashlib.sha256(picture.convert("RGBA").tobytes("raw", "BGRA")).digest()
        check(f"{name} decodes to the pixels of {which}",
              digest is not None and bytes(digest) == wanted)


def store_score(driver, name):
    """Plays a short game and enters the name for its score; the board then."""
    click(driver, *NEW_GAME)
    web_test.falling_can(driver, START_WAIT_S + 6)
    key(driver, Keys.SPACE)
    click(driver, *NEW_GAME)  # ends the game: its score asks for a name
    time.sleep(1)
    for letter in name:
        key(driver, letter)
    key(driver, Keys.ENTER)
    time.sleep(0.5)
    click(driver, *HIGH_SCORES)
    time.sleep(0.5)
    board = region(frame(driver), BOARD)
    click(driver, *OK)
    return board


def publish_update(site):
    """A new build of the site: a changed page and the worker the build writes for it."""
    page = pathlib.Path(site) / "index.html"
    page.write_text(page.read_text().replace("</head>", '<meta name="build" content="next">\n</head>'))
    subprocess.run(["cmake", f"-DSITE={site}", f"-DTEMPLATE={ROOT / 'web/service-worker.js'}",
                    "-P", str(ROOT / "tools/web_site.cmake")], check=True)


def test_update(driver, site):
    """A visit, a high score, the site updated, two visits: the new build with the score.
    The site is served from a folder below the server's top, as it may be."""
    copy = pathlib.Path(tempfile.mkdtemp(prefix="frothwick-update-")) / "site"
    shutil.copytree(site, copy)
    server, address = web_test.start_server(str(copy.parent))
    address += "site/"
    try:
        driver.get(address)
        shows_game(driver)
        wait_for_cache(driver, copy)
        board = store_score(driver, "UPD")
        publish_update(copy)
        driver.get(address)
        shows_game(driver)
        caches = wait_for_cache(driver, copy)
        check("an update replaces the older build's cache", caches is not None and
              len(caches) == 1 and caches[0].endswith(site_hash(copy)), f"{caches}")
        driver.get(address)
        shows_game(driver)
        check("the next visit runs the new build", driver.execute_script(
            "return document.querySelector('meta[name=build]') !== null"))
        click(driver, *HIGH_SCORES)
        time.sleep(0.5)
        stored = driver.execute_script("return JSON.stringify(window.localStorage)")
        check("the high score outlives the update", "HighScoreName1=UPD" in stored and
              region(frame(driver), BOARD) == board, stored)
        click(driver, *OK)
    finally:
        server.terminate()
        shutil.rmtree(copy.parent, ignore_errors=True)


def test_file_page(driver, site):
    """A file has no origin to keep a service worker for: the page plays without one."""
    driver.get((pathlib.Path(site).resolve() / "index.html").as_uri())
    check("a page opened from a file shows the game", shows_game(driver))
    # Such a page cannot fetch: its pictures are read back from the browser's drawing.
    check("with the pictures of a page from a server: the idle frame equals "
          "tests/golden/idle.png", frame(driver) == web_test.golden_frame()[0])
    click(driver, *NEW_GAME)
    check("and plays: a can falls", web_test.falling_can(driver, START_WAIT_S + 6))


def forget(driver, address):
    """The browser as if it had never seen the address: no cache, storage or worker."""
    driver.get("about:blank")
    origin = address.rstrip("/")
    driver.execute_cdp_cmd("Storage.clearDataForOrigin", {"origin": origin, "storageTypes": "all"})
    driver.execute_cdp_cmd("Network.clearBrowserCache", {})


def first_frame(driver, address):
    """Opens the page; ms from navigation to its first frame, or None."""
    driver.get(address)
    if not shows_game(driver):
        return None
    return driver.execute_script(
        "return performance.getEntriesByName('frothwick-first-frame')[0].startTime")


def visits(driver, address, site, throttled):
    """The first frame of a first visit and, for a site with a service worker, of the
    second visit once the worker holds the site; ms."""
    forget(driver, address)
    driver.execute_cdp_cmd("Emulation.setCPUThrottlingRate",
                           {"rate": PHONE_CPU_SLOWDOWN if throttled else 1})
    driver.execute_cdp_cmd("Network.emulateNetworkConditions",
                           PHONE_LINK if throttled else FULL_LINK)
    first = first_frame(driver, address)
    second = first_frame(driver, address) if site and wait_for_cache(driver, site) else None
    driver.execute_cdp_cmd("Emulation.setCPUThrottlingRate", {"rate": 1})
    driver.execute_cdp_cmd("Network.emulateNetworkConditions", FULL_LINK)
    return first, second


def median(values):
    return statistics.median(values) if values and None not in values else None


def budget(name, value, unit, goal=None):
    """Prints a figure (None: not measured) with its goal and whether it is met."""
    shown = "none" if value is None else f"{value:.2f}" if unit == "×" else f"{value:.0f} {unit}"
    verdict = "" if goal is None else \
        f"; goal ≤ {goal} {unit}, {'met' if value is not None and value <= goal else 'MISSED'}"
    print(f"budget: {name} {shown} (median of {ROUNDS}{verdict})", flush=True)


def test_start_times(driver, address, site, floor_address):
    """Frothwick's visits and the floor page's, taken in turns on the busy machine."""
    for throttled, label in ((False, "unthrottled"), (True, "phone")):
        firsts, seconds, floors = [], [], []
        for _ in range(ROUNDS):
            first, second = visits(driver, address, site, throttled)
            firsts.append(first)
            seconds.append(second)
            floors.append(visits(driver, floor_address, None, throttled)[0])
        first, second, floor = median(firsts), median(seconds), median(floors)
        budget(f"first frame, {label}, first visit:", first, "ms", 2500 if throttled else None)
        budget(f"first frame, {label}, second visit:", second, "ms", 1000 if throttled else None)
        budget(f"first frame, {label}, floor page:", floor, "ms")
        budget(f"first frame, {label}, first visit / floor page:",
               first / floor if first and floor else None, "×", 1.5)


def start_download(site):
    """What a first visit fetches to show and play the game, gzipped: the icons and the
    home page are left out (fetched only on installing and on following the link)."""
    files = [path for path in pathlib.Path(site).iterdir()
             if path.is_file() and path.suffix != ".png" and path.name != "home.html"]
    sizes = {path.name: len(gzip.compress(path.read_bytes(), 9)) for path in files}
    listed = ", ".join(f"{name} {size / 1024:.1f}" for name, size in sorted(
        sizes.items(), key=lambda item: -item[1]))
    total = sum(sizes.values())
    verdict = "met" if total <= DOWNLOAD_BUDGET else "MISSED"
    print(f"budget: start download {total / 1024:.0f} KiB compressed ({listed}; goal ≤ "
          f"{DOWNLOAD_BUDGET // 1024} KiB, {verdict})")


def main():
    site, floor_site, sheets = sys.argv[1], sys.argv[2], sys.argv[3]
    start_download(site)
    test_manifest_icons(site)
    test_asyncify_list()
    server, address = web_test.start_server(site)
    floor_server, floor_address = web_test.start_server(floor_site)
    profile = tempfile.mkdtemp(prefix="frothwick-offline-")
    # A browser that lets a page from a file read the files beside it, as some do.
    driver = web_test.start_browser(profile, "--allow-file-access-from-files")
    try:
        driver.execute_cdp_cmd("Network.enable", {})
        test_installable(driver, address, site)
        test_sheets(driver, address, sheets)
        test_offline(driver, address)
        test_update(driver, site)
        test_file_page(driver, site)
        test_start_times(driver, address, site, floor_address)
    finally:
        driver.quit()
        server.terminate()
        floor_server.terminate()
        shutil.rmtree(profile, ignore_errors=True)
    failed = web_test.results.count(False)
    print(f"{len(web_test.results) - failed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
