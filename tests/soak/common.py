"""Shared by both soaks (soak.py, the program; web_soak.py, the page), which put tools/
on the module path first: the actions of a player, and the loop that plays them, chosen
by weight from a seeded generator, until the time is up;
the findings and the summary; and what both check in the stored settings: that the text
is a settings file the game could have written, and that no score left the high-score
table but the ways a player sees it leave (pushed below row 10 by better ones, or a
Clear the soak clicked).
"""
import random
import re
import sys
import time

from geometry import GEOMETRY, box

WIDTH, HEIGHT = GEOMETRY["kWindowWidth"], GEOMETRY["kWindowHeight"]
PLAY_KEYS = ["Left", "Right", "Down", "space"]
LETTERS = [chr(c) for c in range(ord("a"), ord("z") + 1)]

ROWS = 10
TOP_SCORE = 9_999_999  # the seven digits
NAME = re.compile(r"[A-Z]{0,6}")
NUMBER = re.compile(r"0|[1-9][0-9]{0,6}")


def parse(text):
    """The sections of an ini text as {section: {key: value}}, and what was wrong in it."""
    sections, problems, section = {}, [], None
    for number, line in enumerate(text.splitlines(), 1):
        if not line.strip():
            continue
        if line.startswith("[") and line.endswith("]"):
            section = line[1:-1]
            if section in sections:
                problems.append(f"line {number}: section [{section}] a second time")
            sections.setdefault(section, {})
        elif "=" in line and section is not None:
            key, value = line.split("=", 1)
            if key in sections[section]:
                problems.append(f"line {number}: {key} a second time")
            sections[section][key] = value
        else:
            problems.append(f"line {number} is neither a section nor key=value: {line!r}")
    return sections, problems


def table(text):
    """The table as [(name, score)] rows 1..10, best first; assumes a valid file."""
    values = parse(text)[0].get("Settings", {})
    return [(values.get(f"HighScoreName{n}", ""), int(values.get(f"HighScore{n}", "0")))
            for n in range(1, ROWS + 1)]


def settings_problems(text):
    """Everything that makes text not a file the game writes: [Settings] alone, with the
    ten names and scores and Sound, and nothing else (the soak adds no keys of its own)."""
    sections, problems = parse(text)
    if list(sections) != ["Settings"]:
        problems.append(f"the sections are {list(sections)}, not [Settings] alone")
    values = sections.get("Settings", {})
    wanted = {f"{key}{n}" for key in ("HighScoreName", "HighScore") for n in range(1, ROWS + 1)}
    wanted.add("Sound")
    if set(values) != wanted:
        problems.append(f"missing keys {sorted(wanted - set(values))}, "
                        f"unknown keys {sorted(set(values) - wanted)}")
    if values.get("Sound") not in ("ON", "OFF"):
        problems.append(f"Sound={values.get('Sound')!r}")
    scores = []
    for n in range(1, ROWS + 1):
        name, score = values.get(f"HighScoreName{n}", ""), values.get(f"HighScore{n}", "0")
        if not NAME.fullmatch(name):
            problems.append(f"HighScoreName{n}={name!r} is not up to six letters A-Z")
        if not NUMBER.fullmatch(score):
            problems.append(f"HighScore{n}={score!r} is not a score of up to seven digits")
            continue
        if name and score == "0":
            problems.append(f"row {n} names {name} for a score of 0, which opens no entry")
        scores.append(int(score))
    if scores != sorted(scores, reverse=True):
        problems.append(f"the scores are not best first: {scores}")
    return problems


class TableKeeper:
    """Follows the stored table from one reading to the next. A row may leave only when
    the new table's ten rows are all at least its score (pushed below row 10), or when a
    Clear was clicked since the last reading. A name, once stored, stays with its score:
    only an empty name (an entry not yet typed) may become a name."""

    def __init__(self):
        self.rows = []
        self.cleared = False

    def clear_clicked(self):
        self.cleared = True

    def check(self, text):
        """Takes a new valid reading; returns the rows lost since the last, as text."""
        new = table(text)
        lost = [] if self.cleared else self._lost(self.rows, new)
        self.rows, self.cleared = new, False
        return lost

    @staticmethod
    def _lost(old, new):
        left = list(new)
        unmatched = []
        for row in old:  # a stored name must come back with its own score
            if row[1] > 0 and row[0] and row in left:
                left.remove(row)
            elif row[1] > 0:
                unmatched.append(row)
        lost = []
        for name, score in unmatched:  # an entry without a name may have been named since
            taken = None if name else next((r for r in left if r[1] == score), None)
            if taken:
                left.remove(taken)
            elif new[-1][1] < score:
                lost.append(f"{name or '(no name)'}:{score}")
            # else it was pushed below row 10 by ten rows at least as good
        return lost


class Soak:
    """One soak run: the actions a player takes, in the game's own words (controls by
    their names in the layout, keys by their X names: Left, space, shift+a, Return ...).
    A driver subclasses it with the way its platform is played and watched:
    restart() (re)starts the game, click(x, y, button) in game pixels, key(name),
    restore() after minimising, ended() tells whether the game has closed, end(how)
    deals with a game that closed (or ends it), kill() ends it without asking, check()
    looks for trouble after each action, finish() tidies up; CLOSE_WAYS are the ways it
    closes the game (controls, or a key of the window manager)."""
    ACTIONS = {"click_anywhere": 30, "keys": 30, "play": 10, "type_name": 6, "scores": 5,
               "about": 3, "pause": 4, "sound": 4, "minimise": 2, "close": 3, "kill": 1}
    CLOSE_WAYS = ["kExitIcon", "kQuit"]
    ANSWER_S = 10  # a game that does not answer for this long hangs

    def __init__(self, minutes, seed):
        self.seed = int(seed) if seed else random.SystemRandom().randrange(10**9)
        self.random = random.Random(self.seed)
        self.deadline = time.monotonic() + 60 * float(minutes)
        self.counts = {name: 0 for name in self.ACTIONS}
        self.restarts = 0
        self.findings = []
        self.keeper = TableKeeper()
        print(f"soak: seed {self.seed} (SEED={self.seed} plays the same input again), "
              f"{minutes} minutes", flush=True)

    def find(self, what):
        self.findings.append(what)
        print(f"FINDING: {what}", flush=True)

    def check_settings(self, text, where):
        """Checks a reading of the stored settings (None: nothing stored yet)."""
        if text is None:
            return
        problems = settings_problems(text)
        if problems:
            self.find(f"the settings {where} are not valid: {'; '.join(problems)}\n{text}")
            self.keeper = TableKeeper()  # follow on from the next valid reading
            return
        before = self.keeper.rows
        lost = self.keeper.check(text)
        if lost:
            self.find(f"scores lost or renamed without a Clear: {', '.join(lost)}; the table "
                      f"was {before}, is {self.keeper.rows}; seed {self.seed}, action "
                      f"{sum(self.counts.values())}")

    def run(self):
        self.restart()
        names, weights = list(self.ACTIONS), list(self.ACTIONS.values())
        while time.monotonic() < self.deadline:
            name = self.random.choices(names, weights)[0]
            getattr(self, name)()
            self.counts[name] += 1
            self.check()
        self.finish()
        self.summary()
        return 1 if self.findings else 0

    def summary(self):
        actions = sum(self.counts.values())
        print(f"soak summary: seed {self.seed}, {actions} actions, {self.restarts} restarts, "
              f"{len(self.findings)} findings")
        print("  " + ", ".join(f"{name} {count}" for name, count in self.counts.items()))
        for finding in self.findings:
            print("  finding: " + finding.splitlines()[0])
        sys.stdout.flush()

    @staticmethod
    def wait(condition, seconds):
        end = time.monotonic() + seconds
        while not condition() and time.monotonic() < end:
            time.sleep(0.1)
        return condition()

    def pause_a_little(self, longest=0.4):
        time.sleep(self.random.uniform(0.02, longest))

    def click_on(self, name):
        x, y, w, h = box(name)
        self.click(x + w // 2, y + h // 2)

    # --- the actions ---------------------------------------------------------------

    def click_anywhere(self):
        """Any point of the window but the Clear button, which only scores() clicks."""
        x, y, w, h = box("kClear")
        while True:
            point = self.random.randrange(WIDTH), self.random.randrange(HEIGHT)
            if not (x <= point[0] < x + w and y <= point[1] < y + h):
                break
        self.click(*point, self.random.choice([1] * 8 + [2, 3]))

    def keys(self):
        for _ in range(self.random.randint(1, 6)):
            self.key(self.random.choice(PLAY_KEYS * 4 + LETTERS[:4] + ["BackSpace", "Return"]))

    def play(self):
        self.click_on("kNew")
        time.sleep(self.random.uniform(1.5, 3))  # New Game's wait before the board is dealt
        for _ in range(self.random.randint(5, 40)):
            self.key(self.random.choice(PLAY_KEYS))

    def type_name(self):
        for _ in range(self.random.randint(0, 8)):
            letter = self.random.choice(LETTERS)
            self.key(self.random.choice([letter, "shift+" + letter, "BackSpace"]))
        self.key("Return")

    def scores(self):
        self.click_on("kScores")
        time.sleep(self.random.uniform(0.1, 1))
        if self.random.random() < 0.2:
            self.click_on("kClear")
            self.keeper.clear_clicked()
        self.click_on("kOk")

    def about(self):
        self.click_on("kAbout")
        if self.random.random() < 0.3:
            self.click_on("kAboutText1")  # the home page, in the browser
        self.click(self.random.randrange(WIDTH), self.random.randrange(HEIGHT))

    def pause(self):
        self.click_on("kAction")

    def sound(self):
        self.click_on("kSound")

    def minimise(self):
        self.click_on("kMinimizeIcon")
        time.sleep(self.random.uniform(0.2, 2))
        self.restore()

    def close(self):
        """Closes the game as a player does. Quit may first ask for a name, and does
        nothing while the board or the about panel hides it: then the close icon."""
        way = self.random.choice(self.CLOSE_WAYS)
        if way.startswith("k"):
            self.click_on(way)
        else:
            self.key(way)
        if way == "kQuit" and not self.wait(self.ended, 2):
            self.type_name()
            if not self.wait(self.ended, 2):
                way = "kExitIcon"
                self.click_on(way)
        if not self.wait(self.ended, self.ANSWER_S):
            self.find(f"the game did not close after {way}")
        self.end(f"after {way}")
