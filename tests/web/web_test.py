#!/usr/bin/python3
"""The browser build played in a headless Chromium through WebDriver, as a player would:
the idle frame against the golden one, a game whose can falls and obeys the keys, a
high score that outlives a reload, and an idle page that does nothing. Prints the page's
budget figures (download size, first frame, idle wakes) on the way.

Usage: web_test.py SITE_FOLDER
"""
import base64
import gzip
import os
import pathlib
import subprocess
import sys
import tempfile
import time

from PIL import Image
from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.actions.action_builder import ActionBuilder
from selenium.webdriver.common.keys import Keys

ROOT = pathlib.Path(__file__).resolve().parents[2]
sys.path.insert(0, str(ROOT / "tools"))
from geometry import GEOMETRY, box  # noqa: E402  (the game's own layout numbers)


def centre(name):
    x, y, w, h = box(name)
    return x + w // 2, y + h // 2


WIDTH, HEIGHT = GEOMETRY["kWindowWidth"], GEOMETRY["kWindowHeight"]
NEW_GAME, HIGH_SCORES, OK = centre("kNew"), centre("kScores"), centre("kOk")
MINIMISE, CLOSE = centre("kMinimizeIcon"), centre("kExitIcon")
ABOUT, ABOUT_TEXT = centre("kAbout"), (205, 218)
COLUMN = GEOMETRY["kColumnPitch"]  # pixels from one column of the playfield to the next
NOWHERE = (300, 430)  # the background below the playfield: no control, no tooltip
PLAYFIELD = (14, 73, 400, 420)  # x0, y0, x1, y1 inside the red lines
SCORE = (420, 40, 599, 110)
BOARD = (10, 10, 406, 425)
IDLE_SECONDS = 5
START_WAIT_S = 2.0  # New Game's own wait before the board is dealt

# Counts every timer and animation-frame callback the page runs: each is a wake-up.
COUNT_WAKES = """
window.frothWakes = 0;
for (const name of ["setTimeout", "setInterval", "requestAnimationFrame"]) {
    const original = window[name];
    window[name] = function (callback, ...rest) {
        return original.call(window, function (...args) {
            window.frothWakes++;
            return callback.apply(this, args);
        }, ...rest);
    };
}
"""

results = []


def check(name, ok, detail=""):
    results.append(ok)
    print(f"{'ok  ' if ok else 'FAIL'} {name}{': ' + detail if detail else ''}", flush=True)


def start_server(site):
    server = subprocess.Popen(
        ["/usr/bin/python3", str(ROOT / "scripts/web_serve.py"), site, "0"],
        stdout=subprocess.PIPE, text=True)
    address = server.stdout.readline().split()[-1]
    return server, address


def start_browser(profile, *more_arguments):
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for argument in ["--headless=new", "--no-sandbox", "--window-size=800,600",
                     f"--user-data-dir={profile}", "--disable-gpu", *more_arguments]:
        options.add_argument(argument)
    driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": COUNT_WAKES})
    driver.execute_cdp_cmd("Performance.enable", {})
    return driver


def wait_for(condition, seconds, step=0.05):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        value = condition()
        if value:
            return value
        time.sleep(step)
    return condition()


def load(driver, address, which):
    """Opens the page and waits for its first frame; prints when that came."""
    driver.get(address)
    shown = wait_for(lambda: driver.execute_script(
        "return document.body.classList.contains('running')"), 20)
    if shown:
        since_start, since_load = first_frame_ms(driver)
        print(f"budget: first frame ({which}) {since_start:.0f} ms after navigation, "
              f"{since_load:.0f} ms after the load event")
    return shown


def frame(driver):
    """The canvas as RGB bytes, row by row."""
    text = driver.execute_script("""
        const canvas = document.getElementById("frame");
        const rgba = canvas.getContext("2d").getImageData(0, 0, canvas.width, canvas.height).data;
        let binary = "";
        for (let i = 0; i < rgba.length; i += 4)
            binary += String.fromCharCode(rgba[i], rgba[i + 1], rgba[i + 2]);
        return btoa(binary);""")
    return base64.b64decode(text)


def region(pixels, box):
    x0, y0, x1, y1 = box
    return b"".join(pixels[(y * WIDTH + x0) * 3:(y * WIDTH + x1) * 3] for y in range(y0, y1))


def changed_box(before, after, box):
    """The smallest box around the pixels that differ inside box, or None."""
    x0, y0, x1, y1 = box
    found = None
    for y in range(y0, y1):
        row = slice((y * WIDTH + x0) * 3, (y * WIDTH + x1) * 3)
        if before[row] == after[row]:
            continue
        a, b = before[row], after[row]
        xs = [x0 + i // 3 for i in range(0, len(a), 3) if a[i:i + 3] != b[i:i + 3]]
        lo, hi = min(xs), max(xs)
        found = [lo, y, hi, y] if found is None else [min(found[0], lo), found[1],
                                                      max(found[2], hi), y]
    return found


def point(driver, x, y):
    """Where game pixel (x, y) lies on the page, in CSS pixels."""
    box = driver.execute_script(
        "const b = document.getElementById('frame').getBoundingClientRect();"
        "return [b.left, b.top, b.width, b.height];")
    return (int(box[0] + (x + 0.5) * box[2] / WIDTH), int(box[1] + (y + 0.5) * box[3] / HEIGHT))


def move(driver, x, y):
    actions = ActionBuilder(driver)
    actions.pointer_action.move_to_location(*point(driver, x, y))
    actions.perform()


def click(driver, x, y):
    actions = ActionBuilder(driver)
    actions.pointer_action.move_to_location(*point(driver, x, y)).click()
    actions.perform()
    move(driver, *NOWHERE)


def key(driver, name):
    ActionChains(driver).send_keys(name).perform()


def falling_can(driver, seconds=6):
    """The box the falling can swept in a short while, or None."""
    def sweep():
        before = frame(driver)
        time.sleep(0.2)
        return changed_box(before, frame(driver), PLAYFIELD)
    return wait_for(sweep, seconds, step=0)


def golden_frame():
    path = ROOT / "tests/golden/idle.png"
    if not path.exists():
        return b"", None
    with Image.open(path) as picture:
        return picture.convert("RGB").tobytes(), picture.size


def idle_figures(driver):
    """Wakes and main-thread busy time of the page over IDLE_SECONDS without input."""
    def busy():
        metrics = driver.execute_cdp_cmd("Performance.getMetrics", {})["metrics"]
        return next(m["value"] for m in metrics if m["name"] == "TaskDuration")
    wakes0, busy0 = driver.execute_script("return window.frothWakes"), busy()
    time.sleep(IDLE_SECONDS)
    wakes1, busy1 = driver.execute_script("return window.frothWakes"), busy()
    return wakes1 - wakes0, busy1 - busy0


def download_size(site):
    return sum(len(gzip.compress(path.read_bytes(), 9))
               for path in pathlib.Path(site).iterdir() if path.is_file())


def first_frame_ms(driver):
    return driver.execute_script("""
        const frame = performance.getEntriesByName("frothwick-first-frame")[0];
        const page = performance.getEntriesByType("navigation")[0];
        return [frame.startTime, frame.startTime - page.loadEventStart];""")


def test_idle_page(driver, address):
    check("the page shows the game", load(driver, address, "first visit"))
    pixels = frame(driver)
    golden, size = golden_frame()
    detail = "tests/golden/idle.png is missing" if size is None else \
        f"{size[0]} × {size[1]}, {sum(a != b for a, b in zip(pixels, golden))} bytes differ"
    check("the idle frame equals tests/golden/idle.png", size == (WIDTH, HEIGHT) and
          pixels == golden, detail)
    wakes, busy = idle_figures(driver)
    print(f"budget: idle page woke {wakes} times in {IDLE_SECONDS} s, busy {busy * 1000:.1f} ms")
    check("an idle page wakes at most once a second", wakes <= IDLE_SECONDS)
    check("an idle page uses no CPU", busy < 0.05 * IDLE_SECONDS, f"{busy * 1000:.1f} ms busy")
    return pixels


def test_scaling(driver):
    size = lambda: driver.execute_script(
        "const s = getComputedStyle(document.getElementById('frame'));"
        "return [s.width, s.height, s.imageRendering];")
    driver.set_window_size(1400, 1200)
    doubled = wait_for(lambda: size()[0] == f"{2 * WIDTH}px" and size(), 3)
    check("a page with room shows the game at twice its size, pixelated",
          doubled == [f"{2 * WIDTH}px", f"{2 * HEIGHT}px", "pixelated"], f"{size()}")
    driver.set_window_size(800, 600)
    wait_for(lambda: size()[0] == f"{WIDTH}px", 3)


def test_game(driver, idle):
    click(driver, *NEW_GAME)
    time.sleep(START_WAIT_S)
    first = falling_can(driver)
    check("New Game starts a game whose can falls", first is not None)
    if first is None:
        return
    later = falling_can(driver)
    check("the can falls on", later is not None and later[1] > first[1], f"{first} then {later}")
    if later is None:
        return
    step, arrow = (-COLUMN, Keys.ARROW_LEFT) if later[0] - COLUMN >= PLAYFIELD[0] else \
        (COLUMN, Keys.ARROW_RIGHT)
    key(driver, arrow)
    moved = falling_can(driver)
    check("an arrow key moves the can a column", moved is not None and
          moved[0] == later[0] + step, f"{later} then {moved}")
    key(driver, Keys.SPACE)
    scored = wait_for(lambda: region(frame(driver), SCORE) != region(idle, SCORE), 3)
    check("Space drops the can and scores", scored)
    after = falling_can(driver)
    check("the next can starts at the top", after is not None and after[1] < first[1] + 20,
          f"{after}")


def test_high_score(driver, address, empty_board):
    click(driver, *NEW_GAME)  # the score of the game just played asks for a name
    time.sleep(1)
    for letter in "WEB":
        key(driver, letter)
    key(driver, Keys.ENTER)
    time.sleep(0.5)
    stored = driver.execute_script("return JSON.stringify(window.localStorage)")
    check("the name is kept by the browser", "HighScoreName1=WEB" in stored, stored)
    click(driver, *HIGH_SCORES)
    time.sleep(0.5)
    board = region(frame(driver), BOARD)
    check("the board shows the new score", board != empty_board)
    load(driver, address, "reload")
    click(driver, *HIGH_SCORES)
    time.sleep(0.5)
    check("the score is on the board after a reload", region(frame(driver), BOARD) == board)
    click(driver, *OK)


def test_about_link(driver):
    page = driver.current_window_handle
    click(driver, *ABOUT)
    time.sleep(0.5)
    click(driver, *ABOUT_TEXT)
    opened = wait_for(lambda: len(driver.window_handles) > 1, 3)
    address = ""
    if opened:
        driver.switch_to.window([h for h in driver.window_handles if h != page][0])
        address = driver.current_url
        driver.close()
        driver.switch_to.window(page)
    check("the about link opens the home page in a new tab", address.endswith("/home.html"),
          address)


def test_window_icons(driver):
    state = lambda: driver.execute_script("return document.body.className")
    click(driver, *MINIMISE)
    check("the minimise icon folds the game into a bar", wait_for(
        lambda: "minimised" in state(), 2))
    driver.find_element("id", "restore").click()
    check("the bar brings the game back", wait_for(lambda: "minimised" not in state(), 2))
    click(driver, *CLOSE)
    check("the close icon ends the game", wait_for(lambda: "closed" in state(), 2))


def main():
    site = sys.argv[1]
    size = download_size(site)
    print(f"budget: whole download {size / 1024:.0f} KiB compressed")
    check("the download is at most 1 MB compressed", size <= 1_000_000)
    server, address = start_server(site)
    profile = tempfile.mkdtemp(prefix="frothwick-web-")
    driver = start_browser(profile)
    try:
        idle = test_idle_page(driver, address)
        test_scaling(driver)
        click(driver, *HIGH_SCORES)
        time.sleep(0.5)
        empty_board = region(frame(driver), BOARD)
        click(driver, *OK)
        test_game(driver, idle)
        test_high_score(driver, address, empty_board)
        test_about_link(driver)
        test_window_icons(driver)
    finally:
        driver.quit()
        server.terminate()
        subprocess.run(["rm", "-rf", profile], check=False)
    failed = results.count(False)
    print(f"{len(results) - failed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
