#!/usr/bin/env python3
"""Counts the lines of tests and of game code that carry something: neither blank
nor only a comment. Prints both and the share of tests to code."""
import pathlib
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
# Source files, test scripts and the harness; not the build files.
CODE_SUFFIXES = {".cpp", ".h", ".c", ".sh", ".bash"}


def counted_lines(path):
    hash_comments = path.suffix in {".sh", ".bash"}
    count, in_block = 0, False
    for line in path.read_text(encoding="utf-8", errors="replace").splitlines():
        text = line.strip()
        if in_block:
            in_block = "*/" not in text
            continue
        if not text or text.startswith("//") or (hash_comments and text.startswith("#")):
            continue
        if text.startswith("/*"):
            in_block = "*/" not in text
            continue
        count += 1
    return count


# tests/package checks the packaging under debian/ and data/windows/, not the game under src/.
NOT_GAME_TESTS = ROOT / "tests" / "package"


def tree_lines(folder):
    return sum(counted_lines(p) for p in sorted((ROOT / folder).rglob("*"))
               if p.is_file() and p.suffix in CODE_SUFFIXES and NOT_GAME_TESTS not in p.parents)


def main():
    tests, code = tree_lines("tests"), tree_lines("src")
    print(f"tests {tests} lines, code {code} lines: tests are {100 * tests / code:.0f} % of the code")
    return 0


if __name__ == "__main__":
    sys.exit(main())
