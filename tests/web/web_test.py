#!/usr/bin/python3
"""The browser build played in a headless Chromium through WebDriver, as a player would:
the idle frame against the golden one, a game whose can falls and obeys the keys, a
high score that outlives a reload, and an idle page that does nothing. Then the same
page on an emulated phone, played by touch alone (real touch events through the DevTools
protocol): the fit in both orientations, taps, swipes, the touch buttons, a name typed
on the phone's keyboard, the pause when the page is hidden, and a page that never
scrolls or zooms. Prints the page's budget figures (download size, first frame, idle
wakes) on the way, and writes screenshots of the phone page into SHOTS_FOLDER.

Usage: web_test.py SITE_FOLDER [SHOTS_FOLDER]
"""
import base64
import gzip
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
from geometry import GEOMETRY, box, corners  # noqa: E402  (the game's own layout numbers)


def centre(name):
    x, y, w, h = box(name)
    return x + w // 2, y + h // 2


WIDTH, HEIGHT = GEOMETRY["kWindowWidth"], GEOMETRY["kWindowHeight"]
NEW_GAME, HIGH_SCORES, OK = centre("kNew"), centre("kScores"), centre("kOk")
MINIMISE, CLOSE, SOUND = centre("kMinimizeIcon"), centre("kExitIcon"), centre("kSound")
ACTION = centre("kAction")
SOUND_BOX = box("kSound")
ABOUT, ABOUT_TEXT = centre("kAbout"), (205, 218)
COLUMN = GEOMETRY["kColumnPitch"]  # pixels from one column of the playfield to the next
FIRST_COLUMN = GEOMETRY["kFrameLeft"] + GEOMETRY["kGridLeft"]  # x of column 0
NOWHERE = (300, 430)  # the background below the playfield: no control, no tooltip
PLAYFIELD = (14, 73, 400, 420)  # x0, y0, x1, y1 inside the red lines
SCORE = (420, 40, 599, 110)
BOARD = (10, 10, 406, 425)
IDLE_SECONDS = 5
START_WAIT_S = 2.0  # New Game's own wait before the board is dealt
PHONE_RATIO = 2.625  # device pixels per CSS pixel of the emulated phone
PADS = {"left": "Move left", "drop": "Drop", "right": "Move right"}

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


def frame(driver, box=(0, 0, WIDTH, HEIGHT)):
    """The canvas's pixels inside box (x0, y0, x1, y1) as RGB bytes, row by row."""
    text = driver.execute_script("""
        const [x0, y0, x1, y1] = arguments[0];
        const rgba = document.getElementById("frame").getContext("2d")
            .getImageData(x0, y0, x1 - x0, y1 - y0).data;
        const rgb = new Uint8Array(rgba.length / 4 * 3);
        for (let i = 0, j = 0; i < rgba.length; i += 4, j += 3)
            rgb.set(rgba.subarray(i, i + 3), j);
        let binary = "";
        for (let i = 0; i < rgb.length; i += 0x8000)
            binary += String.fromCharCode.apply(null, rgb.subarray(i, i + 0x8000));
        return btoa(binary);""", box)
    return base64.b64decode(text)


def region(pixels, box):
    x0, y0, x1, y1 = box
    return b"".join(pixels[(y * WIDTH + x0) * 3:(y * WIDTH + x1) * 3] for y in range(y0, y1))


# Keeps the pixels of a box of the canvas and returns the smallest box around those that
# changed since the last call (absolute, inclusive corners), or null.
SWEEP = """
    const [x0, y0, x1, y1] = arguments[0], w = x1 - x0;
    const now = document.getElementById("frame").getContext("2d")
        .getImageData(x0, y0, w, y1 - y0).data;
    const before = window.frothSwept || now;
    window.frothSwept = now;
    let box = null;
    for (let i = 0; i < now.length; i += 4) {
        if (now[i] === before[i] && now[i + 1] === before[i + 1] && now[i + 2] === before[i + 2])
            continue;
        const x = x0 + (i / 4) % w, y = y0 + Math.floor(i / 4 / w);
        box = box ? [Math.min(box[0], x), box[1], Math.max(box[2], x), y] : [x, y, x, y];
    }
    return box;"""


def rect(driver, selector):
    """An element's box on the page, CSS pixels: left, top, width, height."""
    return driver.execute_script(
        "const b = document.querySelector(arguments[0]).getBoundingClientRect();"
        "return [b.left, b.top, b.width, b.height];", selector)


def game_rect(driver):
    """The canvas that shows the game: the frame itself, or the filled screen on a phone."""
    return rect(driver, "body.filled #screen, body:not(.filled) #frame")


def point(driver, x, y):
    """Where game pixel (x, y) lies on the page, in CSS pixels."""
    box = game_rect(driver)
    return (box[0] + (x + 0.5) * box[2] / WIDTH, box[1] + (y + 0.5) * box[3] / HEIGHT)


def move(driver, x, y):
    actions = ActionBuilder(driver)
    actions.pointer_action.move_to_location(*map(int, point(driver, x, y)))
    actions.perform()


def click(driver, x, y):
    actions = ActionBuilder(driver)
    actions.pointer_action.move_to_location(*map(int, point(driver, x, y))).click()
    actions.perform()
    move(driver, *NOWHERE)


def key(driver, name):
    ActionChains(driver).send_keys(name).perform()


def falling_can(driver, seconds=6):
    """The box the falling can swept in a short while, or None."""
    def sweep():
        driver.execute_script(SWEEP, PLAYFIELD)
        time.sleep(0.2)
        return driver.execute_script(SWEEP, PLAYFIELD)
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
    test_page_icon(driver)
    wakes, busy = idle_figures(driver)
    print(f"budget: idle page woke {wakes} times in {IDLE_SECONDS} s, busy {busy * 1000:.1f} ms")
    check("an idle page wakes at most once a second", wakes <= IDLE_SECONDS)
    check("an idle page uses no CPU", busy < 0.05 * IDLE_SECONDS, f"{busy * 1000:.1f} ms busy")
    return pixels


def test_page_icon(driver):
    """The tab shows the game's icon, pixel for pixel, transparent where it is."""
    shown = wait_for(lambda: driver.execute_async_script("""
        const done = arguments[arguments.length - 1];
        const link = document.querySelector("link[rel=icon]");
        const image = new Image();
        image.src = link ? link.href : "";
        image.decode().then(() => {
            const context = document.createElement("canvas").getContext("2d");
            context.drawImage(image, 0, 0);
            done([image.width, image.height,
                  [...context.getImageData(0, 0, image.width, image.height).data]]);
        }, () => done(null));"""), 5)
    with Image.open(ROOT / "assets/icon.gif") as icon:
        rgba = icon.convert("RGBA")
    # Transparent pixels as the game stores them: 0.
    expected = [*rgba.size, [v for p in rgba.getdata() for v in (p if p[3] else (0, 0, 0, 0))]]
    check("the tab shows the game's icon", shown == expected,
          "no icon" if shown is None else f"{shown[0]} × {shown[1]}")


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
    scored = wait_for(lambda: frame(driver, SCORE) != region(idle, SCORE), 3)
    check("Space drops the can and scores", scored)
    # The dropped can's landing may still be drawn first on a busy machine.
    at_top = lambda: (box := falling_can(driver, 1)) and box[1] < first[1] + 20 and box
    after = wait_for(at_top, 6, step=0)
    check("the next can starts at the top", bool(after), f"{after}")


def stored(driver):
    return driver.execute_script("return JSON.stringify(window.localStorage)")


def test_high_score(driver, address, empty_board):
    click(driver, *NEW_GAME)  # the score of the game just played asks for a name
    time.sleep(1)
    check("without a touch screen the name goes to no text field, and there are no "
          "touch buttons", driver.execute_script(
              "return document.activeElement.id !== 'typing' && "
              "getComputedStyle(document.getElementById('drop')).display === 'none'"))
    for letter in "WEB":
        key(driver, letter)
    key(driver, Keys.ENTER)
    time.sleep(0.5)
    check("the name is kept by the browser", "HighScoreName1=WEB" in stored(driver),
          stored(driver))
    click(driver, *HIGH_SCORES)
    time.sleep(0.5)
    board = frame(driver, BOARD)
    check("the board shows the new score", board != empty_board)
    load(driver, address, "reload")
    click(driver, *HIGH_SCORES)
    time.sleep(0.5)
    check("the score is on the board after a reload", frame(driver, BOARD) == board)
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


# Local storage that refuses every write, as a full or forbidden one does.
REFUSE_WRITES = """
Storage.prototype.keptSetItem ??= Storage.prototype.setItem;
Storage.prototype.setItem = () => { throw new DOMException("full", "QuotaExceededError"); };
"""


def test_failed_save(driver):
    """Each Sound click saves: a failure is told in the page once, and again only after a
    save that worked; the game answers on."""
    notice = lambda: driver.execute_script(
        "const n = document.getElementById('notice'); return n ? n.textContent : ''")
    driver.execute_script(REFUSE_WRITES)
    click(driver, *SOUND)
    check("a failed save is told in the page",
          wait_for(lambda: "could not be saved" in notice(), 2), notice())
    driver.execute_script("document.querySelector('#notice button').click()")
    button = region(frame(driver), corners("kSound"))
    click(driver, *SOUND)
    check("the game answers after the notice", wait_for(
        lambda: region(frame(driver), corners("kSound")) != button, 2))
    check("a second failure in a row is not told again", notice() == "", notice())
    driver.execute_script("Storage.prototype.setItem = Storage.prototype.keptSetItem")
    click(driver, *SOUND)
    driver.execute_script(REFUSE_WRITES)
    click(driver, *SOUND)
    check("a failure after a save that worked is told again", wait_for(lambda: notice() != "", 2))
    driver.execute_script("Storage.prototype.setItem = Storage.prototype.keptSetItem;"
                          "document.getElementById('notice').remove()")


def test_window_icons(driver):
    state = lambda: driver.execute_script("return document.body.className")
    click(driver, *MINIMISE)
    check("the minimise icon folds the game into a bar", wait_for(
        lambda: "minimised" in state(), 2))
    driver.find_element("id", "restore").click()
    check("the bar brings the game back", wait_for(lambda: "minimised" not in state(), 2))
    click(driver, *CLOSE)
    check("the close icon ends the game", wait_for(lambda: "closed" in state(), 2))


# ---- the phone ----

def emulate_phone(driver, width, height):
    portrait = height > width
    driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
        "width": width, "height": height, "deviceScaleFactor": PHONE_RATIO, "mobile": True,
        "screenOrientation": {"type": "portraitPrimary" if portrait else "landscapePrimary",
                              "angle": 0 if portrait else 90}})


def start_phone(profile):
    driver = start_browser(profile)
    emulate_phone(driver, 412, 915)
    driver.execute_cdp_cmd("Emulation.setTouchEmulationEnabled",
                           {"enabled": True, "maxTouchPoints": 5})
    return driver


def fingers(driver, kind, *points):
    """One touch event: the fingers on the screen after it (CSS pixels)."""
    driver.execute_cdp_cmd("Input.dispatchTouchEvent", {
        "type": kind, "touchPoints": [{"x": x, "y": y, "id": i} for i, (x, y) in enumerate(points)]})


def touch(driver, x, y, seconds=0.0):
    fingers(driver, "touchStart", (x, y))
    time.sleep(seconds)
    fingers(driver, "touchEnd")


def swipe(driver, start, end, seconds, steps=6):
    fingers(driver, "touchStart", start)
    for i in range(1, steps + 1):
        time.sleep(seconds / steps)
        fingers(driver, "touchMove", tuple(a + (b - a) * i / steps for a, b in zip(start, end)))
    fingers(driver, "touchEnd")


def centre_of(driver, selector):
    left, top, width, height = rect(driver, selector)
    return left + width / 2, top + height / 2


def column_of(can):
    return (can[0] - FIRST_COLUMN) // COLUMN


def high_can(driver, columns=range(12), top=180):
    """The falling can, once one falls alone in the upper third of the playfield in one of
    the columns; others are dropped."""
    def wanted():
        can = falling_can(driver, 1)
        alone = can and can[2] - can[0] < COLUMN and can[3] - can[1] < 80
        if alone and can[1] < top and column_of(can) in columns:
            return can
        if can:
            touch(driver, *centre_of(driver, "#drop"))
        return None
    return wait_for(wanted, 20, step=0)


def scored_soon(driver, seconds=0.8):
    before = frame(driver, SCORE)
    return lambda: wait_for(lambda: frame(driver, SCORE) != before, seconds)


def test_phone_fit(driver, shots):
    """The game fills the phone in both orientations, kept as it was when the phone turns;
    the touch buttons are big, labelled and off the game."""
    driver.execute_script("window.frothSamePage = true")
    before = frame(driver)
    for name, (w, h) in [("portrait", (412, 915)), ("landscape", (915, 412)),
                         ("a 360 × 640 phone", (360, 640))]:
        emulate_phone(driver, w, h)
        upright = h > w

        def fills():
            left, top, width, height = game_rect(driver)
            return (left >= -0.5 and top >= -0.5 and left + width <= w + 0.5 and
                    top + height <= h + 0.5 and abs(width / height - WIDTH / HEIGHT) < 0.01 and
                    (width >= 0.95 * w if upright else height >= 0.8 * h))
        check(f"{name}: the game fills {'95 % of the width' if upright else '80 % of the height'}"
              ", all of it on screen", wait_for(fills, 3), f"{game_rect(driver)}")
        left, top, width, height = game_rect(driver)
        pads = {pad: rect(driver, "#" + pad) for pad in PADS}
        labels = [driver.find_element("id", pad).get_attribute("aria-label") for pad in PADS]
        off_game = all(r[1] >= top + height for r in pads.values()) if upright else \
            pads["left"][0] + pads["left"][2] <= left and \
            min(pads["right"][0], pads["drop"][0]) >= left + width
        check(f"{name}: three buttons of 56 × 56 CSS px or more, "
              f"{'below the game' if upright else 'at its sides'}",
              labels == list(PADS.values()) and off_game and
              all(r[2] >= 56 and r[3] >= 56 for r in pads.values()), f"{labels} {pads}")
        if name in ("portrait", "landscape"):
            driver.save_screenshot(str(shots / f"phone-{name}.png"))
            print(f"screenshot: {shots / f'phone-{name}.png'}")
    # Every game pixel an even square: the game is drawn a whole number of times its size,
    # pixel for pixel, and only ever shrunk (smoothly) to the screen's pixels.
    sharp = driver.execute_script(
        "const s = document.getElementById('screen'), r = s.getBoundingClientRect();"
        "return [s.width / arguments[0], r.width * devicePixelRatio / arguments[0],"
        " getComputedStyle(s).imageRendering];", WIDTH)
    check("the filled game is drawn at a whole scale and only shrunk smoothly",
          sharp[0] == int(sharp[0]) and sharp[1] <= sharp[0] < sharp[1] + 1 and sharp[2] == "auto",
          f"{sharp}")
    emulate_phone(driver, 412, 915)
    time.sleep(0.5)
    check("turning the phone keeps the page and the game as they were",
          driver.execute_script("return window.frothSamePage === true") and frame(driver) == before)


def test_phone_taps(driver):
    """A tap beside a small control hits it, lets sound play, and a tap starts a game."""
    x, y, w, h = SOUND_BOX
    touch(driver, *point(driver, x - 6, y + h // 2))
    check("a tap just beside Sound hits it (sound on, and saved)",
          wait_for(lambda: "Sound=ON" in stored(driver), 2), stored(driver))
    check("sound may play from the first touch on",
          driver.execute_script("return !!(Module.frothAudio && Module.frothAudio.context)"))
    touch(driver, *point(driver, *NEW_GAME))
    time.sleep(START_WAIT_S)
    check("a tap on New Game starts a game", falling_can(driver) is not None)


def test_phone_steering(driver):
    """Swipes and buttons steer and drop the can."""
    column = COLUMN * game_rect(driver)[2] / WIDTH  # CSS pixels
    start = point(driver, 200, 200)
    moves = [("a swipe to the left", -1, lambda: swipe(
                 driver, start, (start[0] - 1.5 * column, start[1]), 0.3)),
             ("a swipe to the right", 1, lambda: swipe(
                 driver, start, (start[0] + 1.5 * column, start[1]), 0.3)),
             ("a tap on Move left", -1, lambda: touch(driver, *centre_of(driver, "#left"))),
             ("a tap on Move right", 1, lambda: touch(driver, *centre_of(driver, "#right")))]
    for how, step, act in moves:
        can = high_can(driver, range(1, 11))
        act()
        moved = falling_can(driver)
        check(f"{how} moves the can a column", can and moved and
              column_of(moved) == column_of(can) + step, f"{can} then {moved}")
    # Each move also takes the can down to the next row, so a hold is short and starts
    # high: the can is still falling when it ends.
    for pad, far, step in [("left", range(5, 12), -1), ("right", range(0, 7), 1)]:
        can = high_can(driver, far, top=140)
        touch(driver, *centre_of(driver, "#" + pad), 0.75)
        held = falling_can(driver)
        check(f"{PADS[pad]} held repeats like a held key: three columns or more", can and held
              and (column_of(held) - column_of(can)) * step >= 3, f"{can} then {held}")
    for how, act in [("a quick downward swipe", lambda: swipe(
            driver, start, (start[0], start[1] + 4 * column), 0.12, steps=4)),
                     ("the Drop button", lambda: touch(driver, *centre_of(driver, "#drop")))]:
        high_can(driver)
        scored = scored_soon(driver)
        act()
        check(f"{how} drops the can and scores", scored())


def test_phone_pause(driver):
    """A hidden page holds the game as its pause button does, until the player plays."""
    high_can(driver)
    x, y = ACTION
    face = lambda: frame(driver, (x - 16, y - 16, x + 16, y + 16))
    before = face()
    page = driver.current_window_handle
    driver.switch_to.new_window("tab")
    time.sleep(1)
    driver.close()
    driver.switch_to.window(page)
    check("a hidden page pauses the game: the play face shows, nothing falls",
          face() != before and
          falling_can(driver, 1.5) is None)
    touch(driver, *point(driver, *ACTION))
    check("play goes on after a tap on play", falling_can(driver) is not None)


def test_phone_name(driver, shots):
    """The score just made asks for a name, typed on the phone's keyboard."""
    touch(driver, *point(driver, *NEW_GAME))
    field = lambda: driver.execute_script(
        "const f = document.getElementById('typing'), r = f.getBoundingClientRect();"
        "return [document.activeElement === f, f.getAttribute('autocapitalize'),"
        " f.getAttribute('autocorrect'), f.getAttribute('autocomplete'), f.spellcheck,"
        " getComputedStyle(f).opacity, r.width * r.height];")
    state = wait_for(lambda: field()[0] and field(), 2) or field()
    check("name entry focuses a hidden field for the phone's keyboard: capitals, "
          "no corrections", state == [True, "characters", "off", "off", False, "0", 1], f"{state}")
    driver.execute_cdp_cmd("Input.insertText", {"text": "Wex"})
    key(driver, Keys.BACKSPACE)
    driver.execute_cdp_cmd("Input.insertText", {"text": "b"})
    time.sleep(0.3)
    driver.save_screenshot(str(shots / "phone-name-entry.png"))
    print(f"screenshot: {shots / 'phone-name-entry.png'}")
    key(driver, Keys.ENTER)
    check("the name typed there is kept", wait_for(
        lambda: "HighScoreName1=WEB\\n" in stored(driver), 2), stored(driver))
    check("the field leaves with the entry", field()[0] is False and field()[6] == 0)


def test_phone_page_stays(driver):
    """Swipes, a pinch, a double tap and a long press off the game move nothing."""
    still = lambda: driver.execute_script(
        "return [scrollX, scrollY, visualViewport.scale, visualViewport.offsetTop,"
        " String(getSelection())]")
    top = game_rect(driver)[1]
    swipe(driver, (200, top / 2), (200, top / 2 + 300), 0.3)  # pull down to refresh
    swipe(driver, (200, top + 100), (200, top - 100), 0.3)
    fingers(driver, "touchStart", (150, 200), (250, 300))
    for spread in range(1, 6):
        fingers(driver, "touchMove", (150 - 20 * spread, 200 - 20 * spread),
                (250 + 20 * spread, 300 + 20 * spread))
    fingers(driver, "touchEnd")
    for _ in range(2):
        touch(driver, 200, top / 2)
    touch(driver, 200, top / 2, 1.0)
    touch(driver, *centre_of(driver, "#drop"), 1.0)
    check("the page neither scrolls, zooms nor selects", still() == [0, 0, 1, 0, ""], f"{still()}")


def phone(site_address, shots):
    profile = tempfile.mkdtemp(prefix="frothwick-phone-")
    driver = start_phone(profile)
    try:
        check("a phone's page shows the game, in touch mode", load(
            driver, site_address, "phone") and driver.execute_script(
            "return document.body.classList.contains('touch')"))
        test_phone_fit(driver, shots)
        test_phone_taps(driver)
        test_phone_steering(driver)
        test_phone_pause(driver)
        test_phone_name(driver, shots)
        test_phone_page_stays(driver)
    finally:
        driver.quit()
        subprocess.run(["rm", "-rf", profile], check=False)


def main():
    site = sys.argv[1]
    shots = pathlib.Path(sys.argv[2] if len(sys.argv) > 2 else tempfile.mkdtemp())
    shots.mkdir(parents=True, exist_ok=True)
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
        empty_board = frame(driver, BOARD)
        click(driver, *OK)
        test_game(driver, idle)
        test_high_score(driver, address, empty_board)
        test_failed_save(driver)
        test_about_link(driver)
        test_window_icons(driver)
        driver.quit()
        driver = None
        phone(address, shots)
    finally:
        if driver:
            driver.quit()
        server.terminate()
        subprocess.run(["rm", "-rf", profile], check=False)
    failed = results.count(False)
    print(f"{len(results) - failed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
