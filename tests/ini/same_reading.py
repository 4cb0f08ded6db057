#!/usr/bin/env python3
"""Checks that the browser build reads settings text as the desktop's inih does.

Runs two builds of ini_echo, one per reader, over the saved fuzzing inputs and a few
thousand texts made at random (fixed seed) from the pieces settings files are made
of: headers, names, '=' and ':', comments, blanks, carriage returns, a byte-order
mark, continuation lines, and names and lines longer than the readers keep. Prints
the first text the two read differently, and both readings.

    same_reading.py DESKTOP_ECHO WEB_ECHO CORPUS_DIR
"""
import pathlib
import random
import subprocess
import sys
import tempfile

PIECES = ["[", "]", "=", ":", ";", "#", " ", "\t", "\r", "\n", "\n", "\n", "\n  ",
          "Settings", "Sound", "ON", "Name1", "Score1", "Refuse", "x", "12",
          "\xef\xbb\xbf", "S" * 60, "v" * 250, "\x00", "\xff"]
RANDOM_TEXTS = 4000


def random_texts():
    rng = random.Random(2026)
    for _ in range(RANDOM_TEXTS):
        yield "".join(rng.choice(PIECES) for _ in range(rng.randint(1, 40))).encode("latin-1")


def readings(echo, files):
    """{file: what echo printed for it}"""
    out = subprocess.run([echo, *map(str, files)], capture_output=True, check=True).stdout
    parts = ("\n" + out.decode()).split("\n== ")[1:]  # the echo escapes newlines in texts
    return {part.split("\n", 1)[0]: part for part in parts}


def main(desktop, web, corpus):
    with tempfile.TemporaryDirectory() as folder:
        files = sorted(pathlib.Path(corpus).iterdir())
        for number, text in enumerate(random_texts()):
            files.append(pathlib.Path(folder) / f"random-{number}.ini")
            files[-1].write_bytes(text)
        expected, actual = readings(desktop, files), readings(web, files)
        if len(expected) != len(files):
            sys.exit(f"the desktop reader's echo read {len(expected)} of {len(files)} files")
        for file in files:
            if expected[str(file)] != actual.get(str(file)):
                print(f"read differently: {file.name} {file.read_bytes()!r}")
                print(f"desktop:\n{expected[str(file)]}")
                print(f"browser:\n{actual.get(str(file), '(nothing)')}")
                return 1
    print(f"{len(files)} texts read alike")
    return 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
