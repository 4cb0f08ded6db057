#!/usr/bin/python3
"""The real program, built with the sanitizers, played for a while with random input in
its own X server under openbox, as a restless player would (the actions are in
common.py), and closed (icon, Quit, the window manager's Alt+F4) or killed and started
again on the same settings file. After every action: the program must be alive, or have
ended with status 0 and no sanitizer report; its window must answer a ping
(_NET_WM_PING, answered only while the game handles its events) within 10 s; the
settings file must be valid and keep every score.

Usage: soak.py PROGRAM MINUTES [SEED]
The same seed plays the same input again; the timing of a run still varies.
"""
import os
import pathlib
import signal
import subprocess
import sys
import tempfile
import time

from Xlib import X, display, protocol

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[2] / "tools"))
from common import Soak  # noqa: E402

START_S = 60  # for the window to appear: a sanitized start on a busy machine is slow
SANITIZER_WORDS = ("Sanitizer", "runtime error:")


def shell(*command, timeout=Soak.ANSWER_S):
    """Runs an X tool; its output, or None when it failed or took too long."""
    try:
        done = subprocess.run(command, capture_output=True, text=True, timeout=timeout)
    except subprocess.TimeoutExpired:
        return None
    return done.stdout if done.returncode == 0 else None


class DesktopSoak(Soak):
    CLOSE_WAYS = Soak.CLOSE_WAYS + ["alt+F4"]

    def __init__(self, program, minutes, seed=None):
        super().__init__(minutes, seed)
        self.program = os.path.abspath(program)
        self.work = pathlib.Path(tempfile.mkdtemp(prefix="frothwick-soak-"))
        self.settings = self.work / "config/FrothwickPro/settings.ini"
        self.runs = 0
        self.start_x_server()
        self.environment = dict(
            os.environ, XDG_CONFIG_HOME=str(self.work / "config"),
            PATH=f"{self.fake_browser()}:{os.environ['PATH']}",
            ASAN_OPTIONS="halt_on_error=1:handle_abort=1:detect_leaks=1",
            UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1",
            LSAN_OPTIONS=f"print_suppressions=0:suppressions={pathlib.Path(__file__).parent / 'leaks.supp'}")

    # --- the X server, the window manager, the program -------------------------------

    def start_x_server(self):
        self.xvfb = subprocess.Popen(["Xvfb", "-displayfd", "1", "-noreset", "-nolisten", "tcp",
                                      "-screen", "0", "1024x768x24"],
                                     stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        os.environ["DISPLAY"] = ":" + self.xvfb.stdout.readline().strip()
        ready = self.work / "wm-ready"
        self.openbox = subprocess.Popen(["openbox", "--startup", f"touch {ready}"],
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.wait(ready.exists, START_S)
        self.x = display.Display()
        self.x.set_error_handler(lambda *args: None)  # a window may go at any moment
        self.x.screen().root.change_attributes(event_mask=X.SubstructureNotifyMask)
        self.ping_atoms = self.x.intern_atom("WM_PROTOCOLS"), self.x.intern_atom("_NET_WM_PING")

    def fake_browser(self):
        """A folder whose xdg-open, the about text's browser, only notes the address."""
        folder = self.work / "bin"
        folder.mkdir()
        (folder / "xdg-open").write_text(f'#!/bin/sh\necho "$1" >>"{self.work}/opened"\n')
        (folder / "xdg-open").chmod(0o755)
        return folder

    def restart(self):
        self.runs += 1
        self.restarts = self.runs - 1
        self.log = self.work / f"run-{self.runs}.stderr"
        with self.log.open("w") as log:
            self.game = subprocess.Popen([self.program], env=self.environment,
                                         stdout=subprocess.DEVNULL, stderr=log)
        found = lambda: self.ended() or shell(  # noqa: E731
            "xdotool", "search", "--onlyvisible", "--pid", str(self.game.pid), "--name", "^Frothwick$")
        if not self.wait(found, START_S) or self.ended():
            self.end("while starting")
            return
        self.window = int(found().split()[0])
        self.restore()

    def find_window(self):
        geometry = shell("xdotool", "getwindowgeometry", "--shell", str(self.window)) or ""
        values = dict(line.split("=") for line in geometry.split())
        self.origin = int(values.get("X", 0)), int(values.get("Y", 0))

    def ended(self):
        return self.game.poll() is not None

    def end(self, how, noted=False):
        """Ends the program if it still runs; notes a crash or a sanitizer report (unless
        noted already), checks the settings it left, and starts it again."""
        if not self.ended():
            self.game.kill()
        status = self.game.wait()
        report = self.log.read_text(errors="replace")
        if not noted and (any(word in report for word in SANITIZER_WORDS) or
                          status not in (0, -signal.SIGKILL)):
            self.find(f"the program ended {how} with status {status}; seed {self.seed}, "
                      f"action {sum(self.counts.values())}, its standard error:\n{report[-6000:]}")
        self.check_settings(self.read_settings(), "after the program ended")
        if time.monotonic() < self.deadline:
            self.restart()

    def kill(self):
        self.game.kill()
        self.end("by SIGKILL")

    def finish(self):
        if not self.ended():
            self.close()
        self.game.kill()
        self.openbox.terminate()
        self.xvfb.terminate()
        if self.findings:
            print(f"soak: the standard error of each run and the settings are in {self.work}")
        else:
            subprocess.run(["rm", "-rf", str(self.work)], check=False)

    # --- input ---------------------------------------------------------------------

    def click(self, x, y, button=1):
        shell("xdotool", "mousemove", str(self.origin[0] + x), str(self.origin[1] + y),
              "click", str(button))
        self.pause_a_little()

    def key(self, name):
        """Typed as on a keyboard, to the window that has the focus (the game's, as
        restore() sees to; Alt+F4 goes to the window manager)."""
        shell("xdotool", "key", name)
        self.pause_a_little()

    def restore(self):
        shell("xdotool", "windowmap", str(self.window), "windowactivate", "--sync", str(self.window))
        self.find_window()

    # --- after each action ---------------------------------------------------------

    def check(self):
        if self.ended():  # a click on Quit or the close icon, or a crash
            self.end("during play")
            return
        self.close_message_boxes()
        if "Iconic" in (shell("xprop", "-id", str(self.window), "WM_STATE") or ""):
            self.restore()
        if not self.answers():
            # A click that landed on Quit or the close icon: the window has gone and
            # the program ends in its own time (its sanitizers look for leaks first).
            if self.wait(self.ended, self.ANSWER_S):
                self.end("during play")
            else:
                self.hang()
            return
        self.check_settings(self.read_settings(), "during play")

    def read_settings(self):
        try:
            return self.settings.read_text(encoding="latin-1")
        except FileNotFoundError:
            return None

    def close_message_boxes(self):
        """A box the program shows (a save that failed) is closed with Return, and noted."""
        windows = (shell("xdotool", "search", "--onlyvisible", "--name", ".") or "").split()
        for other in set(map(int, windows)) - {self.window}:
            title = shell("xdotool", "getwindowname", str(other)) or ""
            self.find(f"a message box {title.strip()!r} appeared")
            shell("xdotool", "windowactivate", "--sync", str(other), "key", "Return")
            self.restore()

    def answers(self):
        """Whether the program answers a ping to its window within ANSWER_S."""
        protocols, ping = self.ping_atoms
        stamp = int(time.monotonic() * 1000) & 0x7FFFFFFF
        window = self.x.create_resource_object("window", self.window)
        window.send_event(protocol.event.ClientMessage(
            window=window, client_type=protocols, data=(32, [ping, stamp, self.window, 0, 0])))
        self.x.flush()
        end = time.monotonic() + self.ANSWER_S
        while time.monotonic() < end:
            while self.x.pending_events():
                event = self.x.next_event()
                if event.type == X.ClientMessage and list(event.data[1][:2]) == [ping, stamp]:
                    return True
            time.sleep(0.01)
        return False

    def hang(self):
        """Asks the sanitizer for the stack of the hung program, then ends it. Writing
        the stack with its file names and lines takes a while on a busy machine."""
        proc = pathlib.Path(f"/proc/{self.game.pid}")
        state = proc.joinpath("stat").read_text().rsplit(")", 1)[1].split()[0], \
            proc.joinpath("wchan").read_text()  # R running, S waiting, D in the kernel (I/O)
        self.game.send_signal(signal.SIGABRT)
        self.wait(self.ended, START_S)
        self.find(f"the window did not answer for {self.ANSWER_S} s (the machine's load was "
                  f"{os.getloadavg()[0]:.0f}, the program's state {' in '.join(state)}); "
                  f"seed {self.seed}, action "
                  f"{sum(self.counts.values())}, stack:\n{self.log.read_text(errors='replace')[-6000:]}")
        self.end("after hanging", noted=True)


if __name__ == "__main__":
    sys.exit(DesktopSoak(*sys.argv[1:4]).run())
