#!/usr/bin/python3
"""The browser build played for a while in a headless Chromium with random input, as
soak.py plays the program (the actions are in common.py): the page is closed with its
close icon or Quit and opened again, or reloaded in the middle of anything, on the same
local storage. After every action the page must answer within 10 s, with no error
(an uncaught exception, a rejected promise, a resource that failed, console.error)
and with valid settings that keep every score.

The pointer is a mouse. A phone's finger is another pointer of the same kind to
WebDriver (PointerInput(interaction.POINTER_TOUCH, ...)): touch actions go through
click() with that pointer, and join ACTIONS beside the mouse's.

Usage: web_soak.py SITE_FOLDER MINUTES [SEED]
"""
import os
import pathlib
import subprocess
import sys
import tempfile
import threading
import time

from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.actions import interaction
from selenium.webdriver.common.actions.action_builder import ActionBuilder
from selenium.webdriver.common.actions.pointer_input import PointerInput
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.remote.remote_connection import RemoteConnection

ROOT = pathlib.Path(__file__).resolve().parents[2]
sys.path[:0] = [str(ROOT / "tools"), str(ROOT / "tests/web")]
from common import Soak, TableKeeper  # noqa: E402
from web_test import point, start_browser, start_server  # noqa: E402

KEYS = {"Left": Keys.ARROW_LEFT, "Right": Keys.ARROW_RIGHT, "Down": Keys.ARROW_DOWN,
        "space": Keys.SPACE, "BackSpace": Keys.BACKSPACE, "Return": Keys.ENTER}
# Notes every error of the page for look() to collect; loaded before the page's own code.
COLLECT_ERRORS = """
window.frothErrors = [];
addEventListener("error", e => frothErrors.push("error: " + (e.message ||
    (e.target && (e.target.src || e.target.href)) || e.type)), true);
addEventListener("unhandledrejection", e => frothErrors.push("unhandled rejection: " + e.reason));
const writeError = console.error;
console.error = function (...args) {
    frothErrors.push("console.error: " + args.join(" "));
    return writeError.apply(console, args);
};
"""
# Answers once the page has drawn a frame and run a timer: its errors, its state, its
# stored settings.
LOOK = """
const answer = arguments[arguments.length - 1];
requestAnimationFrame(() => setTimeout(() => {
    const key = Object.keys(localStorage).find(k => k.endsWith("settings.ini"));
    answer({errors: window.frothErrors.splice(0), state: document.body.className,
            settings: key === undefined ? null : localStorage.getItem(key)});
}, 0));
"""


class WebSoak(Soak):
    def __init__(self, site, minutes, seed=None):
        super().__init__(minutes, seed)
        self.server, self.address = start_server(site)
        self.profile = tempfile.mkdtemp(prefix="frothwick-web-soak-")
        RemoteConnection.set_timeout(3 * self.ANSWER_S)  # a hung page cannot block for ever
        self.pointer = PointerInput(interaction.POINTER_MOUSE, "mouse")
        self.driver = None
        self.loads = 0
        self.state = ""

    def start_browser(self):
        self.driver = start_browser(self.profile)
        self.driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument",
                                    {"source": COLLECT_ERRORS})
        self.driver.set_script_timeout(self.ANSWER_S)

    def restart(self):
        """Opens the page (again) and waits for its first frame."""
        self.loads += 1
        self.restarts = self.loads - 1
        if self.driver is None:
            self.start_browser()
        self.driver.get(self.address)
        self.state = ""
        shown = self.wait(lambda: "running" in self.driver.execute_script(
            "return document.body.className"), 2 * self.ANSWER_S)
        if not shown:
            self.find(f"the page showed no game within {2 * self.ANSWER_S} s")

    def ended(self):
        return "closed" in self.look().get("state", "")

    def end(self, how):
        """Checks what the page left when it closed (or now, reloaded), and opens it again."""
        self.look()
        if time.monotonic() < self.deadline:
            self.restart()

    def kill(self):
        self.end("by a reload in the middle of anything")

    def finish(self):
        self.check()
        self.driver.quit()
        self.server.terminate()
        subprocess.run(["rm", "-rf", self.profile], check=False)

    # --- input ---------------------------------------------------------------------

    def click(self, x, y, button=1):
        actions = ActionBuilder(self.driver, mouse=self.pointer)
        actions.pointer_action.move_to_location(*point(self.driver, x, y)).click(button=button - 1)
        actions.perform()
        self.pause_a_little()

    def key(self, name):
        chain = ActionChains(self.driver)
        if name.startswith("shift+"):
            chain.key_down(Keys.SHIFT).send_keys(name[-1]).key_up(Keys.SHIFT)
        else:
            chain.send_keys(KEYS.get(name, name))
        chain.perform()
        self.pause_a_little()

    def restore(self):
        if "minimised" in self.look().get("state", ""):
            self.driver.find_element("id", "restore").click()

    # --- after each action ---------------------------------------------------------

    def look(self):
        """What LOOK answers, or {} when the page did not answer in time (noted). The
        driver waits as long as the page is busy, so the waiting is timed here."""
        self.close_other_tabs()
        answer = {}

        def ask():
            try:
                answer.update(self.driver.execute_async_script(LOOK))
            except Exception as error:  # noqa: BLE001  (the driver's, or its connection's)
                answer["failed"] = str(error).splitlines()[0]
        asking = threading.Thread(target=ask, daemon=True)
        cpu = self.renderer_cpu()
        asking.start()
        asking.join(self.ANSWER_S)
        if asking.is_alive() or "failed" in answer:
            self.find(f"the page did not answer for {self.ANSWER_S} s (meanwhile its renderers "
                      f"ran {self.renderer_cpu() - cpu:.1f} s, the machine's load was "
                      f"{os.getloadavg()[0]:.0f}); seed {self.seed}, action "
                      f"{sum(self.counts.values())}: {answer.get('failed', 'still busy')}")
            self.new_browser()
            return {}
        for error in answer["errors"]:
            self.find(f"the page reported {error}; seed {self.seed}, action "
                      f"{sum(self.counts.values())}")
        self.check_settings(answer["settings"], "in local storage")
        self.state = answer["state"]
        return answer

    def renderer_cpu(self):
        """Seconds of CPU the browser's page processes have used so far."""
        parents = {}
        for stat in pathlib.Path("/proc").glob("[0-9]*/stat"):
            try:
                fields = stat.read_text().rsplit(")", 1)[1].split()
                command = (stat.parent / "cmdline").read_bytes()
            except OSError:
                continue
            parents[int(stat.parent.name)] = int(fields[1]), command, int(fields[11]) + int(fields[12])
        mine, grew = {self.driver.service.process.pid}, True
        while grew:  # the driver's descendants
            grown = {pid for pid, (parent, _, _) in parents.items() if parent in mine}
            grew = not grown <= mine
            mine |= grown
        ticks = sum(used for pid, (_, command, used) in parents.items()
                    if pid in mine and b"--type=renderer" in command)
        return ticks / os.sysconf("SC_CLK_TCK")

    def new_browser(self):
        """Ends a browser whose page hangs, and its driver, and opens the page anew. A
        browser killed may lose the last seconds of local storage (Chromium writes it to
        disk later), so the table is followed on from the next reading."""
        driver = self.driver.service.process
        subprocess.run(["pkill", "-KILL", "-P", str(driver.pid)], check=False)  # the browser
        driver.kill()
        self.keeper = TableKeeper()
        self.start_browser()
        self.restart()

    def close_other_tabs(self):
        """Closes the home page that the about text opened in a new tab: it hides the
        game's page, and a hidden page draws no frames."""
        page = self.driver.current_window_handle
        for tab in set(self.driver.window_handles) - {page}:
            self.driver.switch_to.window(tab)
            self.driver.close()
            self.driver.switch_to.window(page)

    def check(self):
        self.look()
        if "closed" in self.state:
            self.restart()
        elif "minimised" in self.state:
            self.restore()


if __name__ == "__main__":
    sys.exit(WebSoak(*sys.argv[1:4]).run())
