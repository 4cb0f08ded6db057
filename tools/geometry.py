#!/usr/bin/env python3
"""The game window's geometry as the game declares it in src/forms/picture.h (the
twips), src/game/rules.h and src/layout/geometry.h, for the art generator and the
real-window tests.

    import geometry; geometry.GEOMETRY["kWindowWidth"]   the numbers, by their C++ names
    tools/geometry.py                                     shell assignments, in pixels:
        WINDOW_W, WINDOW_H; FRAME_LEFT, FRAME_TOP, FRAME_RIGHT, FRAME_BOTTOM;
        CELL_W, CELL_H; GRID_LEFT, GRID_TOP (column 0, row 0); for every control box
        NAME_X, NAME_Y, NAME_W, NAME_H (kMinimizeIcon: MINIMIZE_ICON_X ...), and SCORE_X
        ... SCORE_H around the seven score digits
"""
import pathlib
import re
import sys

SRC = pathlib.Path(__file__).resolve().parent.parent / "src"
# `constexpr <type> k<Name>[<size>] = <value>;` or `constexpr <type> k<Name>{<values>};`
DECLARATION = re.compile(r"^constexpr ([\w:]+) (k\w+)(?:\[[^\]]*\])?\s*=?\s*([^;]+);", re.M)


def read(headers=("forms/picture.h", "game/rules.h", "layout/geometry.h")):
    """Every constant of the headers, in order: ints, or tuples for braced values; and
    the names of the control boxes."""
    names, boxes = {}, []
    for header in headers:
        for kind, name, value in DECLARATION.findall((SRC / header).read_text()):
            if kind == "Box":
                boxes.append(name)
            expression = re.sub(r"\b\w+::", "", value).replace("/", "//")
            expression = expression.replace("{", "(").replace("}", ",)")
            names[name] = eval(expression, {"__builtins__": {}}, names)  # noqa: S307
    return names, boxes


GEOMETRY, BOXES = read()


def pixels(twips):
    return twips // GEOMETRY["kTwipsPerPixel"]


def box(name):
    """A control's design-time box in pixels: (x, y, w, h)."""
    return tuple(pixels(v) for v in GEOMETRY[name])


def corners(name):
    """A control's design-time box in pixels as its inclusive corners: (x0, y0, x1, y1)."""
    x, y, w, h = box(name)
    return x, y, x + w - 1, y + h - 1


def shell_assignments():
    g = GEOMETRY
    lines = [f"WINDOW_W={g['kWindowWidth']}", f"WINDOW_H={g['kWindowHeight']}",
             f"CELL_W={g['kCellWidth']}", f"CELL_H={g['kCellHeight']}",
             f"GRID_LEFT={g['kFrameLeft'] + g['kGridLeft']}",
             f"GRID_TOP={g['kFrameTop'] + g['kGridTop']}"]
    lines += [f"FRAME_{side.upper()}={g['kFrame' + side]}"
              for side in ("Left", "Top", "Right", "Bottom")]
    digits = [pixels(x) for x in g["kScoreDigitLefts"]]
    lines += [f"SCORE_X={min(digits)}", f"SCORE_Y={pixels(g['kScoreDigitTop'])}",
              f"SCORE_W={max(digits) + g['kGlyphWidth'] - min(digits)}", f"SCORE_H={g['kGlyphHeight']}"]
    for name in BOXES:
        upper = re.sub(r"(?<!^)(?=[A-Z])", "_", name[1:]).upper()
        lines += [f"{upper}_{axis}={v}" for axis, v in zip("XYWH", box(name))]
    return "\n".join(lines)


if __name__ == "__main__":
    print(shell_assignments())
    sys.exit(0)
