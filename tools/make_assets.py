#!/usr/bin/python3
"""Draw every picture and sound Frothwick uses.

    /usr/bin/python3 tools/make_assets.py [OUTPUT_DIR]

OUTPUT_DIR defaults to the assets/ folder next to tools/. Everything is drawn
here with PIL and the DejaVu fonts, and the sounds are synthesised with the
wave module. All noise comes from fixed seeds, so two runs give byte-identical
files.
"""

import math
import random
import struct
import sys
import wave
from pathlib import Path

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

from loudness import integrated_loudness

FONT_DIR = Path("/usr/share/fonts/truetype/dejavu")
SANS = "DejaVuSans.ttf"
SANS_BOLD = "DejaVuSans-Bold.ttf"
SERIF_BOLD = "DejaVuSerif-Bold.ttf"
MONO_BOLD = "DejaVuSansMono-Bold.ttf"

# --- colours ---------------------------------------------------------------
BLACK = (0, 0, 0)
WHITE = (255, 255, 255)
PANEL = (58, 36, 20)            # the game's window background colour (#3A2414)
WOOD_DARK = (40, 22, 11)
WOOD = (92, 54, 26)
BRASS_HI = (250, 222, 150)
BRASS = (204, 156, 74)
BRASS_LO = (112, 74, 28)
CREAM = (248, 232, 196)
AMBER = (255, 180, 52)
MAROON = (122, 30, 22)

# --- window layout (pixels): the game's own numbers, read by tools/geometry.py ---
from geometry import GEOMETRY as G, box, corners  # noqa: E402

WINDOW_SIZE = (G["kWindowWidth"], G["kWindowHeight"])
PLAYFIELD = (G["kFrameLeft"], G["kFrameTop"],  # inclusive box, black on the background
             G["kFrameRight"], G["kFrameBottom"])
SCORE_BOARD = corners("kScoreBoardOpen")  # inclusive box the high-score board covers
CELL_SIZE = (G["kCellWidth"], G["kCellHeight"])
LOGO_POS, LOGO_SIZE = box("kLogo")[:2], box("kLogo")[2:]
MINIMIZE_POS, CLOSE_POS = box("kMinimizeIcon")[:2], box("kExitIcon")[:2]
DIGIT_LEFTS = tuple(x // G["kTwipsPerPixel"] for x in reversed(G["kScoreDigitLefts"]))
DIGIT_TOP = G["kScoreDigitTop"] // G["kTwipsPerPixel"]
GLYPH_SIZE = (G["kGlyphWidth"], G["kGlyphHeight"])
SCORE_PLATE = (DIGIT_LEFTS[0] - 6, DIGIT_TOP - 6,
               DIGIT_LEFTS[-1] + GLYPH_SIZE[0] + 6, DIGIT_TOP + GLYPH_SIZE[1] + 6)
BUTTON_SLOTS = {
    "play": box("kAction")[:2], "ok": box("kOk")[:2], "clear": box("kClear")[:2],
    "new": box("kNew")[:2], "scores": box("kScores")[:2], "sound": box("kSound")[:2],
    "about": box("kAbout")[:2], "quit": box("kQuit")[:2],
}
BUTTON_SIZE = G["kButtonSize"]
RIGHT_PANEL = corners("kRightPanel")
FOCUS_BOX = box("kFocus")
MUG_SLOTS = tuple((x // G["kTwipsPerPixel"], G["kLifeTop"] // G["kTwipsPerPixel"])
                  for x in G["kLifeLefts"])

DIGIT_WIDTHS = {2: 21, 3: 21, 4: 24}
CAN_FRAMES = G["kRollFrames"]
TOOLTIP_CELL = (7, 13)
SAMPLE_RATE = 22050
SOUND_LOUDNESS = -16.0   # LUFS, both sounds alike
SOUND_CEILING = 0.84     # peak, about -1.5 dBFS


def font(name, size):
    return ImageFont.truetype(str(FONT_DIR / name), size)


def lerp(a, b, t):
    return a + (b - a) * t


def mix(c1, c2, t):
    return tuple(int(round(lerp(a, b, t))) for a, b in zip(c1, c2))


def scale_colour(c, k):
    return tuple(max(0, min(255, int(round(v * k)))) for v in c)


def supersample(size, paint, scale=4, background=BLACK, mode="RGB"):
    """Paint at `scale` times the size, then box-filter down for clean edges."""
    big = Image.new(mode, (size[0] * scale, size[1] * scale), background)
    paint(ImageDraw.Draw(big), scale)
    return big.resize(size, Image.Resampling.BOX)


# --- palette conversion -----------------------------------------------------

def exact_colour_mask(img, colour):
    """Mask (mode L) of the pixels of an RGB picture that are exactly `colour`."""
    diff = ImageChops.difference(img, Image.new("RGB", img.size, colour))
    r, g, b = diff.split()
    return ImageChops.lighter(ImageChops.lighter(r, g), b).point(lambda v: 255 if v == 0 else 0)


def to_palette(img, colours=256, keep=(), transparent=None):
    """Convert an RGB picture to a palette picture.

    `keep` lists colours that must survive exactly (flat plates the game or
    other pictures have to match). `transparent` is an optional mask (mode L,
    255 = see-through); those pixels get their own palette entry, which is
    recorded as the GIF transparency index.
    """
    keep = list(dict.fromkeys(keep))
    reserved = len(keep) + (1 if transparent is not None else 0)
    out = img.quantize(colors=colours - reserved, method=Image.Quantize.MEDIANCUT,
                       dither=Image.Dither.NONE)
    palette = out.getpalette()[:3 * (colours - reserved)]
    for colour in keep:
        out.paste(len(palette) // 3, mask=exact_colour_mask(img, colour))
        palette += list(colour)
    if transparent is not None:
        index = len(palette) // 3
        out.paste(index, mask=transparent.point(lambda a: 255 if a >= 128 else 0))
        palette += [255, 0, 255]
        out.info["transparency"] = index
    out.putpalette(palette)
    return out


def save_gif(img, path):
    extra = {}
    if "transparency" in img.info:
        extra["transparency"] = img.info["transparency"]
    img.save(path, "GIF", optimize=False, **extra)
    if len(img.getpalette()) == 6:
        shrink_colour_table(path)


def shrink_colour_table(path):
    """Trim a two-colour GIF's colour table to two entries.

    PIL always writes at least four entries (the extra two are black filler);
    the file is rewritten so that its table holds just the colours in use.
    """
    data = bytearray(Path(path).read_bytes())
    flags = data[10]                        # logical screen descriptor
    assert flags & 0x80 and flags & 0x07 == 1, "expected a four-entry global table"
    data[10] = flags & ~0x07
    del data[13 + 2 * 3:13 + 4 * 3]
    Path(path).write_bytes(bytes(data))


# --- wood and brass -----------------------------------------------------------

def wood_texture(size, seed, base=WOOD, plank=46, vertical=True):
    """Stained panelling: planks with soft grain streaks and dark joints."""
    w, h = size if vertical else (size[1], size[0])
    rng = random.Random(seed)
    streaks = Image.new("L", (w, max(2, h // 24)))
    streaks.putdata([rng.randint(0, 255) for _ in range(streaks.width * streaks.height)])
    streaks = streaks.resize((w, h), Image.Resampling.BICUBIC)
    fine = Image.new("L", (w, max(2, h // 6)))
    fine.putdata([rng.randint(0, 255) for _ in range(fine.width * fine.height)])
    fine = fine.resize((w, h), Image.Resampling.BICUBIC)
    grain = Image.blend(streaks, fine, 0.35)
    dark = Image.new("RGB", (w, h), scale_colour(base, 0.62))
    light = Image.new("RGB", (w, h), scale_colour(base, 1.18))
    wood = Image.composite(light, dark, grain)
    draw = ImageDraw.Draw(wood)
    x = -rng.randint(0, plank // 2)
    while x < w:
        width = plank + rng.randint(-6, 6)
        tint = rng.uniform(0.86, 1.08)
        band = wood.crop((max(0, x), 0, min(w, x + width), h))
        band = Image.eval(band, lambda v, k=tint: min(255, int(v * k)))
        wood.paste(band, (max(0, x), 0))
        draw.line([(x, 0), (x, h)], fill=scale_colour(base, 0.35))
        draw.line([(x + 1, 0), (x + 1, h)], fill=scale_colour(base, 1.3))
        x += width
    return wood if vertical else wood.transpose(Image.Transpose.ROTATE_90)


def bevel(draw, box, light, dark, width=1):
    """A raised (light top-left, dark bottom-right) border inside `box`."""
    x0, y0, x1, y1 = box
    for i in range(width):
        draw.line([(x0 + i, y1 - i), (x0 + i, y0 + i), (x1 - i, y0 + i)], fill=light)
        draw.line([(x1 - i, y0 + i + 1), (x1 - i, y1 - i), (x0 + i + 1, y1 - i)], fill=dark)


def brass_frame(draw, box, width=4):
    """A polished brass moulding `width` pixels thick just inside `box`."""
    x0, y0, x1, y1 = box
    draw.rectangle(box, outline=BRASS_LO)
    for i in range(1, width - 1):
        t = (i - 1) / max(1, width - 3)
        bevel(draw, (x0 + i, y0 + i, x1 - i, y1 - i),
              mix(BRASS_HI, BRASS, t), mix(BRASS, BRASS_LO, 1 - t))
    draw.rectangle((x0 + width - 1, y0 + width - 1, x1 - width + 1, y1 - width + 1),
                   outline=BRASS_LO)


def rivet(draw, x, y):
    draw.ellipse((x - 2, y - 2, x + 2, y + 2), fill=BRASS_LO)
    draw.ellipse((x - 2, y - 2, x + 1, y + 1), fill=BRASS)
    draw.point((x - 1, y - 1), fill=BRASS_HI)


def engraved_text(draw, xy, text, fnt, colour=BRASS, anchor="mm"):
    x, y = xy
    draw.text((x + 1, y + 1), text, font=fnt, fill=WOOD_DARK, anchor=anchor)
    draw.text((x, y), text, font=fnt, fill=colour, anchor=anchor)


# --- background --------------------------------------------------------------

def make_background():
    w, h = WINDOW_SIZE
    img = wood_texture(WINDOW_SIZE, seed=1887)
    draw = ImageDraw.Draw(img)

    # Skirting along the bottom, under a brass rail.
    rail = SCORE_BOARD[3] + 7
    skirting = wood_texture((w, h - rail), seed=7, base=scale_colour(WOOD, 0.7),
                            plank=120, vertical=False)
    img.paste(skirting, (0, rail))
    draw.line([(0, rail), (w, rail)], fill=BRASS)
    draw.line([(0, rail + 1), (w, rail + 1)], fill=BRASS_LO)

    make_cabinet(img, draw)
    make_score_plate(draw)
    make_right_panel(img, draw)

    # A dark recess for the minimise and close icons.
    draw.rectangle((MINIMIZE_POS[0] - 3, MINIMIZE_POS[1] - 3, CLOSE_POS[0] + 22,
                    CLOSE_POS[1] + 22), fill=WOOD_DARK, outline=BRASS_LO)

    # A thin brass edge around the whole window (there is no title bar).
    draw.rectangle((0, 0, w - 1, h - 1), outline=BRASS_LO)
    draw.rectangle((1, 1, w - 2, h - 2), outline=BRASS)
    draw.rectangle((2, 2, w - 3, h - 3), outline=WOOD_DARK)
    return img


def make_cabinet(img, draw):
    """The left-hand cabinet: one brass frame round exactly the rectangle the
    high-score board covers, holding the sign, the playfield and a lettered rail.
    The board, when it opens, fills the frame like a slate set into it."""
    bx0, by0, bx1, by1 = SCORE_BOARD
    px0, py0, px1, py1 = PLAYFIELD
    draw.rectangle((bx0 - 6, by0 - 6, bx1 + 6, by1 + 6), fill=WOOD_DARK)
    brass_frame(draw, (bx0 - 5, by0 - 5, bx1 + 5, by1 + 5), 5)
    inside = wood_texture((bx1 - bx0 + 1, by1 - by0 + 1), seed=31,
                          base=scale_colour(WOOD, 0.55), plank=400, vertical=False)
    img.paste(inside, (bx0, by0))
    for x, y in ((bx0 - 3, by0 - 3), (bx1 + 3, by0 - 3), (bx0 - 3, by1 + 3), (bx1 + 3, by1 + 3)):
        rivet(draw, x, y)
    # Brass rails above and below the playfield, and its dark lip.
    for y in (py0 - 8, py1 + 4):
        draw.rectangle((bx0, y, bx1, y + 3), fill=BRASS)
        draw.line([(bx0, y), (bx1, y)], fill=BRASS_HI)
        draw.line([(bx0, y + 3), (bx1, y + 3)], fill=BRASS_LO)
    draw.rectangle((bx0, py0 - 4, bx1, py1 + 3), fill=WOOD_DARK)
    draw.rectangle((px0 - 1, py0 - 1, px1 + 1, py1 + 1), fill=scale_colour(WOOD_DARK, 0.5))
    draw.rectangle(PLAYFIELD, fill=BLACK)
    engraved_text(draw, ((bx0 + bx1) // 2, (py1 + 8 + by1) // 2 + 1),
                  "FREE HOUSE  \u2022  FINE ALES  \u2022  EST. 1887", font(SERIF_BOLD, 9))
    # The sign with the name: the logo picture is cut from here, frame and all, so it
    # looks the same over the high-score board.
    draw_sign(img, draw)


def draw_sign(img, draw):
    x, y = LOGO_POS
    w, h = LOGO_SIZE
    box = (x, y, x + w - 1, y + h - 1)
    img.paste(wood_texture((w, h), seed=32, base=scale_colour(WOOD, 0.42), plank=300,
                           vertical=False), (x, y))
    draw.rectangle(box, outline=BRASS_LO)
    bevel(draw, (x + 1, y + 1, x + w - 2, y + h - 2), BRASS_HI, BRASS)
    draw.rectangle((x + 2, y + 2, x + w - 3, y + h - 3), outline=BRASS_LO)
    for rx in (x + 7, x + w - 8):
        rivet(draw, rx, y + h // 2)


def make_score_plate(draw):
    draw.rectangle((SCORE_PLATE[0] - 2, SCORE_PLATE[1] - 2, SCORE_PLATE[2] + 2,
                    SCORE_PLATE[3] + 2), fill=WOOD_DARK)
    brass_frame(draw, SCORE_PLATE, 4)
    draw.rectangle((SCORE_PLATE[0] + 4, SCORE_PLATE[1] + 4, SCORE_PLATE[2] - 4,
                    SCORE_PLATE[3] - 4), fill=BLACK)
    engraved_text(draw, ((SCORE_PLATE[0] + SCORE_PLATE[2]) // 2, 45), "SCORE",
                  font(SERIF_BOLD, 11), BRASS_HI)


def make_right_panel(img, draw):
    """Buttons on top; below, the slate for last orders and the mugs on their shelf."""
    rx0, ry0, rx1, ry1 = RIGHT_PANEL
    draw.rectangle((rx0 - 2, ry0 - 2, rx1 + 2, ry1 + 2), fill=WOOD_DARK)
    brass_frame(draw, RIGHT_PANEL, 4)
    draw.rectangle((rx0 + 4, ry0 + 4, rx1 - 4, ry1 - 4), fill=PANEL)
    for x, y in ((rx0 + 9, ry0 + 9), (rx1 - 9, ry0 + 9), (rx0 + 9, ry1 - 9), (rx1 - 9, ry1 - 9)):
        rivet(draw, x, y)
    for x, y in BUTTON_SLOTS.values():   # every slot must sit on the flat plate
        assert rx0 + 4 <= x and x + BUTTON_SIZE <= rx1 - 4, "button slot off the panel"
        assert ry0 + 4 <= y and y + BUTTON_SIZE <= ry1 - 4, "button slot off the panel"
    divider = 298
    draw.line([(rx0 + 14, divider), (rx1 - 14, divider)], fill=BRASS_LO)
    draw.line([(rx0 + 14, divider + 1), (rx1 - 14, divider + 1)], fill=BRASS)
    draw_slate(img, draw)
    # A little shelf for the mugs to stand on.
    shelf_y = MUG_SLOTS[0][1] + 32
    shelf = (MUG_SLOTS[0][0] - 1, MUG_SLOTS[-1][0] + 33)
    draw.line([(shelf[0], shelf_y), (shelf[1], shelf_y)], fill=BRASS_HI)
    draw.line([(shelf[0], shelf_y + 1), (shelf[1], shelf_y + 1)], fill=BRASS)
    draw.line([(shelf[0] + 1, shelf_y + 2), (shelf[1] - 1, shelf_y + 2)], fill=BRASS_LO)


SLATE = BLACK
CHALK = (232, 228, 214)


def draw_slate(img, draw):
    """An oak-framed chalk slate headed LAST ORDERS. Its lower part is the black box
    the game paints where the keyboard focus sits: a slate with nothing chalked on
    it yet."""
    fx, fy, fw, fh = FOCUS_BOX
    header = 15
    frame = (fx - 4, fy - header - 4, fx + fw + 3, fy + fh + 3)
    oak = scale_colour(WOOD, 1.45)
    draw.rectangle(frame, fill=oak, outline=WOOD_DARK)
    bevel(draw, (frame[0] + 1, frame[1] + 1, frame[2] - 1, frame[3] - 1),
          scale_colour(oak, 1.25), scale_colour(oak, 0.7))
    draw.rectangle((fx - 1, fy - header - 1, fx + fw, fy + fh), fill=WOOD_DARK)
    draw.rectangle((fx, fy - header, fx + fw - 1, fy + fh - 1), fill=SLATE)
    draw.rectangle((fx, fy, fx + fw - 1, fy + fh - 1), fill=BLACK)
    # Chalk lettering: solid strokes with a few grains rubbed away.
    text = Image.new("L", (fw, header))
    ImageDraw.Draw(text).text((fw // 2, header // 2 + 1), "LAST ORDERS",
                              font=font(SANS_BOLD, 9), fill=255, anchor="mm")
    rng = random.Random(77)
    text.putdata([v if rng.random() > 0.12 else v // 3 for v in text.getdata()])
    img.paste(CHALK, (fx, fy - header), mask=text)
    draw.line([(fx + 6, fy - 2), (fx + fw - 7, fy - 2)], fill=mix(SLATE, CHALK, 0.25))


# --- logo and window icons ---------------------------------------------------

def make_logo(background):
    """The name on its sign, cut from the background with the sign's frame."""
    x, y = LOGO_POS
    w, h = LOGO_SIZE
    img = background.crop((x, y, x + w, y + h))
    fnt = font(SERIF_BOLD, 24)
    text = "Frothwick"
    mask = Image.new("L", (w, h))
    md = ImageDraw.Draw(mask)
    md.text((w // 2, h // 2 + 1), text, font=fnt, anchor="mm", fill=255)
    outline = mask.filter(ImageFilter.MaxFilter(3))
    shadow = ImageChops.offset(outline, 1, 1)
    img.paste(WOOD_DARK, mask=shadow.point(lambda v: v * 3 // 4))
    img.paste(BLACK, mask=outline)
    gradient = Image.new("RGB", (w, h))
    gd = ImageDraw.Draw(gradient)
    for row in range(h):
        t = row / (h - 1)
        colour = mix(BRASS_HI, CREAM, t * 2) if t < 0.5 else mix(CREAM, BRASS, (t - 0.5) * 2)
        gd.line([(0, row), (w, row)], fill=colour)
    img.paste(gradient, mask=mask)
    # Brass rules with diamonds either side of the name, between the rivets.
    text_w = int(md.textlength(text, font=fnt))
    draw = ImageDraw.Draw(img)
    cy = h // 2
    for side in (-1, 1):
        inner = w // 2 + side * (text_w // 2 + 10)
        outer = w // 2 + side * (w // 2 - 20)
        a, b = sorted((inner, outer))
        draw.line([(a, cy - 1), (b, cy - 1)], fill=BRASS_HI)
        draw.line([(a, cy), (b, cy)], fill=BRASS)
        draw.line([(a, cy + 1), (b, cy + 1)], fill=BRASS_LO)
        for dx, r in ((inner, 4), (outer, 3)):
            draw.polygon([(dx, cy - r), (dx + r, cy), (dx, cy + r), (dx - r, cy)],
                         fill=BRASS_HI, outline=BRASS_LO)
    return img


def make_window_icon(kind):
    def paint(d, s):
        d.rectangle((0, 0, 20 * s, 20 * s), fill=BRASS_LO)
        d.rectangle((s, s, 19 * s - 1, 19 * s - 1), fill=BRASS)
        d.rectangle((2 * s, 2 * s, 18 * s - 1, 18 * s - 1), fill=BRASS_LO)
        d.rectangle((3 * s, 3 * s, 17 * s - 1, 17 * s - 1), fill=MAROON)
        d.rectangle((3 * s, 3 * s, 17 * s - 1, 9 * s), fill=mix(MAROON, (170, 60, 40), 0.5))
        d.rectangle((3 * s, 3 * s, 17 * s - 1, 5 * s), fill=mix(MAROON, (190, 80, 50), 0.6))
        if kind == "minimize":
            d.rectangle((6 * s, 12 * s, 14 * s, 14 * s), fill=CREAM)
        else:
            for a, b in (((6.2, 6.2), (13.8, 13.8)), ((13.8, 6.2), (6.2, 13.8))):
                d.line([(a[0] * s, a[1] * s), (b[0] * s, b[1] * s)], fill=CREAM, width=int(2.2 * s))
    return supersample((20, 20), paint)


# --- buttons -----------------------------------------------------------------

BUTTON_PLATE = (150, 36, 26)
BUTTON_PLATE_DARK = (84, 18, 12)
SYMBOL = CREAM


def button_plate(d, s):
    """The shared round plate: brass ring, dark-red dome with a soft highlight."""
    size = BUTTON_SIZE * s
    d.ellipse((0.5 * s, 0.5 * s, size - 0.5 * s, size - 0.5 * s), fill=BRASS_LO)
    d.ellipse((1.0 * s, 1.0 * s, size - 1.5 * s, size - 1.5 * s), fill=BRASS_HI)
    d.ellipse((1.5 * s, 1.5 * s, size - 1.0 * s, size - 1.0 * s), fill=BRASS)
    d.ellipse((2.5 * s, 2.5 * s, size - 2.5 * s, size - 2.5 * s), fill=BRASS_LO)
    inner = (3.3 * s, 3.3 * s, size - 3.3 * s, size - 3.3 * s)
    steps = 24
    for i in range(steps):
        t = i / (steps - 1)
        inset = t * 9 * s
        cx_off = -t * 3 * s
        box = (inner[0] + inset + cx_off, inner[1] + inset + cx_off,
               inner[2] - inset * 1.2 + cx_off, inner[3] - inset * 1.2 + cx_off)
        d.ellipse(box, fill=mix(BUTTON_PLATE_DARK, BUTTON_PLATE, min(1, t * 1.4)))


def _pts(points, s, dx=0, dy=0):
    return [((x + dx) * s, (y + dy) * s) for x, y in points]


def symbol_shadow_and_fill(d, s, draw_shape):
    """Every symbol gets a one-pixel dark drop shadow under its cream face."""
    draw_shape(d, s, 0.8, 0.8, BUTTON_PLATE_DARK)
    draw_shape(d, s, 0, 0, SYMBOL)


def sym_play(d, s, dx, dy, c):
    d.polygon(_pts([(12.5, 9), (12.5, 23), (23.5, 16)], s, dx, dy), fill=c)


def sym_pause(d, s, dx, dy, c):
    d.rectangle(_pts([(10.5, 9.5), (14.2, 22.5)], s, dx, dy), fill=c)
    d.rectangle(_pts([(17.8, 9.5), (21.5, 22.5)], s, dx, dy), fill=c)


def sym_ok(d, s, dx, dy, c):
    d.line(_pts([(9, 16.5), (14, 21.5), (23.5, 10)], s, dx, dy), fill=c, width=int(3.2 * s),
           joint="curve")
    for x, y in ((9, 16.5), (23.5, 10)):
        d.ellipse(_pts([(x - 1.6, y - 1.6), (x + 1.6, y + 1.6)], s, dx, dy), fill=c)


def sym_clear(d, s, dx, dy, c):
    # A little chalk list, struck through.
    for row in (10.5, 15.5, 20.5):
        d.ellipse(_pts([(9, row - 1.2), (11.4, row + 1.2)], s, dx, dy), fill=c)
        d.rectangle(_pts([(13, row - 0.9), (22.5, row + 0.9)], s, dx, dy), fill=c)
    if c == SYMBOL:
        c = AMBER
    d.line(_pts([(8, 23.5), (24, 8)], s, dx, dy), fill=c, width=int(2.6 * s))


def sym_new(d, s, dx, dy, c):
    # Go round again: a circling arrow round a fresh can lying in the middle.
    cx, cy, r = 16, 16.3, 8.4
    start, end = -40, 240      # degrees clockwise from three o'clock; the gap is at the top
    d.arc(_pts([(cx - r, cy - r), (cx + r, cy + r)], s, dx, dy), start, end, fill=c,
          width=int(2.4 * s))
    a = math.radians(end)
    at = (cx + r * math.cos(a), cy + r * math.sin(a))
    ahead = (-math.sin(a), math.cos(a))        # the clockwise direction at the end
    out = (math.cos(a), math.sin(a))
    d.polygon(_pts([(at[0] + 4.2 * ahead[0], at[1] + 4.2 * ahead[1]),
                    (at[0] + 3.2 * out[0], at[1] + 3.2 * out[1]),
                    (at[0] - 3.2 * out[0], at[1] - 3.2 * out[1])], s, dx, dy), fill=c)
    d.rounded_rectangle(_pts([(11.6, 13.6), (20.4, 19.2)], s, dx, dy), radius=1.6 * s, fill=c)
    if c == SYMBOL:
        d.rectangle(_pts([(13.6, 13.6), (18.4, 19.2)], s, dx, dy), fill=AMBER)


def sym_scores(d, s, dx, dy, c):
    d.pieslice(_pts([(10, 3), (22, 19)], s, dx, dy), 0, 180, fill=c)
    d.rectangle(_pts([(10, 8.5), (22, 11)], s, dx, dy), fill=c)
    for side in (-1, 1):
        x = 16 + side * 7.2
        d.arc(_pts([(x - 2.6, 10), (x + 2.6, 15.5)], s, dx, dy),
              90 if side > 0 else -90, 270 if side > 0 else 90, fill=c, width=int(1.4 * s))
    d.rectangle(_pts([(14.8, 18), (17.2, 21)], s, dx, dy), fill=c)
    d.rectangle(_pts([(11.5, 21), (20.5, 24)], s, dx, dy), fill=c)
    if c == SYMBOL:
        d.rectangle(_pts([(10.5, 8.5), (21.5, 9.3)], s, dx, dy), fill=AMBER)


def sym_speaker(d, s, dx, dy, c):
    d.rectangle(_pts([(7.5, 13), (11, 19)], s, dx, dy), fill=c)
    d.polygon(_pts([(10.5, 13), (16, 8.5), (16, 23.5), (10.5, 19)], s, dx, dy), fill=c)


def sym_sound_on(d, s, dx, dy, c):
    sym_speaker(d, s, dx, dy, c)
    for r in (3.5, 7):
        d.arc(_pts([(16 - r + 1.5, 16 - r), (16 + r + 1.5, 16 + r)], s, dx, dy), -50, 50,
              fill=c, width=int(1.6 * s))


def sym_sound_off(d, s, dx, dy, c):
    sym_speaker(d, s, dx, dy, c)
    x_colour = AMBER if c == SYMBOL else c
    d.line(_pts([(18.5, 12.5), (25, 19.5)], s, dx, dy), fill=x_colour, width=int(2.2 * s))
    d.line(_pts([(25, 12.5), (18.5, 19.5)], s, dx, dy), fill=x_colour, width=int(2.2 * s))


def sym_about(d, s, dx, dy, c):
    d.ellipse(_pts([(14.1, 7.3), (17.9, 11.1)], s, dx, dy), fill=c)
    d.polygon(_pts([(12.5, 13), (17.6, 13), (17.6, 22), (19.4, 22), (19.4, 24.2),
                    (12.6, 24.2), (12.6, 22), (14.4, 22), (14.4, 15.2), (12.5, 15.2)],
                   s, dx, dy), fill=c)


def sym_quit(d, s, dx, dy, c):
    # A door ajar with an arrow leaving through it.
    d.rectangle(_pts([(8.5, 7.5), (17, 24.5)], s, dx, dy), outline=c, width=int(1.5 * s))
    d.polygon(_pts([(8.5, 7.5), (14, 9.5), (14, 26), (8.5, 24.5)], s, dx, dy), fill=c)
    arrow = AMBER if c == SYMBOL else c
    d.rectangle(_pts([(16, 14.8), (21.5, 17.2)], s, dx, dy), fill=arrow)
    d.polygon(_pts([(21, 11.5), (25.5, 16), (21, 20.5)], s, dx, dy), fill=arrow)


BUTTONS = {  # file name: (symbol, has transparent corners)
    "play": (sym_play, True), "pause": (sym_pause, True), "ok": (sym_ok, True),
    "clear": (sym_clear, False), "new": (sym_new, True), "scores": (sym_scores, True),
    "sound_on": (sym_sound_on, False), "sound_off": (sym_sound_off, False),
    "about": (sym_about, True), "quit": (sym_quit, True),
}


def make_button(symbol, transparent):
    def paint(d, s):
        button_plate(d, s)
        symbol_shadow_and_fill(d, s, symbol)
    size = (BUTTON_SIZE, BUTTON_SIZE)
    img = supersample(size, paint, background=PANEL)
    if not transparent:
        return to_palette(img, keep=[PANEL])
    mask = supersample(size, lambda d, s: d.ellipse(
        (0.5 * s, 0.5 * s, (BUTTON_SIZE - 0.5) * s, (BUTTON_SIZE - 0.5) * s), fill=255),
        background=0, mode="L")
    return to_palette(img, keep=[PANEL], transparent=mask.point(lambda a: 255 if a < 40 else 0))


# --- score digits and letters ------------------------------------------------

LED_TOP = (255, 226, 130)
LED_BOTTOM = (255, 132, 16)
LED_GLOW = (170, 70, 0)
LED_CAP_HEIGHT = 17
LED_BASELINE = 20
LED_MAX_WIDTH = 16       # of the 22-pixel cell: three pixels clear at each side
LED_CENTRE_X = 11


def big_glyph(char, fnt):
    """The glyph drawn big on its own canvas, with its ink box (left, top, right,
    bottom) relative to the baseline. DejaVu's J hangs below the line; ours is a
    hooked stem that stands on it like every other capital. The zero is drawn as
    the round O, so that one picture reads as both (the letter O uses it)."""
    if char == "J":
        cap = fnt.getbbox("H", anchor="ls")
        stem = Image.new("L", (cap[2], cap[3] - cap[1]))
        ImageDraw.Draw(stem).text((0, 0), "I", font=fnt, fill=255, anchor="lt")
        left, _, right, _ = stem.getbbox()
        height, stroke = cap[3] - cap[1], right - left
        width = round(height * 0.62)
        canvas = Image.new("L", (width + 8, height + 8))
        d = ImageDraw.Draw(canvas)
        hook = round(height * 0.42)     # the hook's height above the baseline
        d.rectangle((4 + width - stroke, 4, 4 + width - 1, 4 + height - hook), fill=255)
        d.arc((4, 4 + height - 2 * hook, 4 + width - 1, 4 + height - 1), 0, 180, fill=255,
              width=round(stroke * 0.9))
        return canvas, (0, -height, width, 0)
    if char == "0":
        char = "O"
    x0, y0, x1, y1 = fnt.getbbox(char, anchor="ls")
    canvas = Image.new("L", (x1 - x0 + 8, y1 - y0 + 8))
    ImageDraw.Draw(canvas).text((4 - x0, 4 - y0), char, font=fnt, fill=255, anchor="ls")
    return canvas, (x0, y0, x1, y1)


def led_glyph_mask(char):
    """The glyph as a mask: DejaVu Sans Bold drawn big, then scaled to the cell with
    a clear margin at each side, so that neighbours on the board never touch."""
    fnt = font(SANS_BOLD, 200)
    cap = fnt.getbbox("H", anchor="ls")
    scale = LED_CAP_HEIGHT / (cap[3] - cap[1])
    canvas, (x0, y0, x1, y1) = big_glyph(char, fnt)
    width = min(LED_MAX_WIDTH, (x1 - x0) * scale)
    sx = width / (x1 - x0)
    out_w = max(1, round(canvas.width * sx))
    out_h = max(1, round(canvas.height * scale))
    small = canvas.resize((out_w, out_h), Image.Resampling.LANCZOS)
    mask = Image.new("L", GLYPH_SIZE)
    left = round(LED_CENTRE_X - width / 2 - 4 * sx)
    top = round(LED_BASELINE + (y0 - 4) * scale)
    mask.paste(small, (left, top))
    return mask


def led_image(mask, width=GLYPH_SIZE[0]):
    w, h = GLYPH_SIZE
    grad = Image.new("RGB", (w, h))
    gd = ImageDraw.Draw(grad)
    for row in range(h):
        t = min(1, max(0, (row - 3) / 17))
        gd.line([(0, row), (w, row)], fill=mix(LED_TOP, LED_BOTTOM, t))
    glow = mask.filter(ImageFilter.GaussianBlur(1.1)).point(lambda v: v * 3 // 4)
    img = Image.new("RGB", (w, h), BLACK)
    img.paste(LED_GLOW, mask=glow)
    img.paste(grad, mask=mask)
    out = Image.new("RGB", (width, h), BLACK)
    out.paste(img.crop((0, 0, min(w, width), h)), (0, 0))
    return out


CURSOR_EDGE = (214, 132, 40)    # bright enough to find on the black board at a glance


def make_entry_cursor():
    mask = Image.new("L", GLYPH_SIZE)
    d = ImageDraw.Draw(mask)
    d.rectangle((3, 19, 18, 21), fill=255)
    img = led_image(mask)
    ImageDraw.Draw(img).rounded_rectangle((1, 0, 20, 22), radius=2, outline=CURSOR_EDGE)
    img.paste(led_image(mask).crop((0, 18, 22, 23)), (0, 18))
    return img


# --- cans ----------------------------------------------------------------------

# Label colours chosen to stay apart for colour-blind players as well: they differ
# in lightness as much as in hue (tests/assets/balance.py measures them).
CAN_KINDS = [  # label colour, symbol colour, symbol
    ((180, 18, 40), CREAM, "star"),
    ((246, 204, 36), (70, 34, 8), "dot"),
    ((24, 160, 110), CREAM, "triangle"),
    ((30, 70, 200), CREAM, "diamond"),
    ((214, 84, 10), CREAM, "cross"),
    ((238, 240, 246), (26, 34, 86), "crown"),
]
assert len(CAN_KINDS) == G["kCanKinds"], "one look for each can kind of src/game/rules.h"
CAN_CY = CELL_SIZE[1] / 2   # the can's axis, in cell pixels
CAN_RADIUS = CAN_CY - 1
LABEL_SPAN = (7.0, 27.0)
LABEL_STRIPE = 0.9
SYMBOL_SIZE = 10.0      # on the can's surface, in pixels
# Four copies round the label, a quarter turn apart, and frames that stop half a
# step off the copies: every frame shows one whole symbol within 40 degrees of the
# front, while the can still turns an eighth of a copy per frame.
SYMBOL_COPIES = 4
RIM_FADE = (0.25, 0.6)  # symbols fade into the label as the surface turns away
CAN_METAL = (176, 180, 188)
LIGHT = (-0.25, -0.62, 0.74)


def can_radius(x):
    """Side profile of the lying can: lid rim on the left, rounded base on the right."""
    if x < 1.0 or x > 30.6:
        return 0.0
    if x < 2.4:
        return 7.4
    if x < 3.0:
        return 6.7
    if x < 6.0:
        return lerp(7.0, CAN_RADIUS, (x - 3.0) / 3.0)
    if x < 28.6:
        return CAN_RADIUS
    t = (x - 28.6) / 2.0
    return CAN_RADIUS - 1.6 * t * t


def symbol_mask(name):
    n = 96
    m = Image.new("L", (n, n))
    d = ImageDraw.Draw(m)
    c = n / 2
    if name == "star":
        pts = []
        for i in range(10):
            r = n * (0.50 if i % 2 == 0 else 0.21)
            a = math.pi / 5 * i
            pts.append((c + r * math.sin(a), c + 4 - r * math.cos(a)))
        d.polygon(pts, fill=255)
    elif name == "dot":
        d.ellipse((n * 0.06, n * 0.06, n * 0.94, n * 0.94), fill=255)
        d.ellipse((n * 0.34, n * 0.34, n * 0.66, n * 0.66), fill=0)
    elif name == "triangle":
        d.polygon([(c, n * 0.02), (n * 0.98, n * 0.92), (n * 0.02, n * 0.92)], fill=255)
    elif name == "diamond":
        d.polygon([(c, 0), (n - 1, c), (c, n - 1), (0, c)], fill=255)
    elif name == "cross":
        t = n * 0.17
        d.rectangle((c - t, n * 0.04, c + t, n * 0.96), fill=255)
        d.rectangle((n * 0.04, c - t, n * 0.96, c + t), fill=255)
    elif name == "crown":
        d.polygon([(n * 0.04, n * 0.22), (n * 0.28, n * 0.52), (c, n * 0.10),
                   (n * 0.72, n * 0.52), (n * 0.96, n * 0.22), (n * 0.86, n * 0.76),
                   (n * 0.14, n * 0.76)], fill=255)
        d.rectangle((n * 0.14, n * 0.82, n * 0.86, n * 0.95), fill=255)
    return m


def shade(base, ny, nz, shine, power):
    """Light a point of the can whose surface normal is (0, ny, nz)."""
    diffuse = max(0.0, ny * LIGHT[1] + nz * LIGHT[2])
    hx, hy, hz = LIGHT[0], LIGHT[1], LIGHT[2] + 1.0
    hl = math.sqrt(hx * hx + hy * hy + hz * hz)
    glint = max(0.0, (ny * hy + nz * hz) / hl) ** power
    k = 0.28 + 0.9 * diffuse
    return tuple(min(255.0, c * k + 255 * shine * glint) for c in base)


def can_frame(kind, frame, sub=4):
    """One frame of a rolling can, ray-cast with sub x sub samples per pixel.

    The label is wrapped round the cylinder: a point at height y on the can
    faces the angle asin(y / r), and turning the can adds the frame's angle,
    so the symbols slide over the curved face and foreshorten near the rims.
    """
    label, ink, name = CAN_KINDS[kind]
    mask = symbol_mask(name)
    mw = mask.width
    mpix = mask.load()
    turn = 2 * math.pi / SYMBOL_COPIES * (frame + 0.5) / CAN_FRAMES
    centre_v = (LABEL_SPAN[0] + LABEL_SPAN[1]) / 2
    img = Image.new("RGB", CELL_SIZE, BLACK)
    out = img.load()
    for py in range(CELL_SIZE[1]):
        for px in range(CELL_SIZE[0]):
            acc = [0.0, 0.0, 0.0]
            for j in range(sub):
                for i in range(sub):
                    x = px + (i + 0.5) / sub
                    y = py + (j + 0.5) / sub
                    r = can_radius(x)
                    if r <= 0 or abs(y - CAN_CY) >= r:
                        continue
                    ny = (y - CAN_CY) / r
                    nz = math.sqrt(1 - ny * ny)
                    if LABEL_SPAN[0] <= x <= LABEL_SPAN[1]:
                        colour, cover = label, 0.0
                        if x < LABEL_SPAN[0] + LABEL_STRIPE or x > LABEL_SPAN[1] - LABEL_STRIPE:
                            colour = BRASS_HI
                        else:
                            phi = math.asin(ny)
                            for k in range(SYMBOL_COPIES):
                                a = phi - turn - 2 * math.pi * k / SYMBOL_COPIES
                                a = (a + math.pi) % (2 * math.pi) - math.pi
                                su = a * CAN_RADIUS / SYMBOL_SIZE + 0.5
                                sv = (x - centre_v) / SYMBOL_SIZE + 0.5
                                if 0 <= su < 1 and 0 <= sv < 1:
                                    facing = (nz - RIM_FADE[0]) / (RIM_FADE[1] - RIM_FADE[0])
                                    facing = min(1.0, max(0.0, facing))
                                    cover = mpix[int(sv * mw), int(su * mw)] / 255
                                    cover *= facing * facing * (3 - 2 * facing)
                                    colour = mix(label, ink, cover)
                                    break
                        # The printed symbol is matte: the glint never washes it out.
                        c = shade(colour, ny, nz, 0.55 * (1 - 0.7 * cover), 24)
                    else:
                        metal = CAN_METAL
                        if 2.4 <= x < 3.0 or 5.0 <= x < 5.5:
                            metal = scale_colour(CAN_METAL, 0.55)
                        c = shade(metal, ny, nz, 0.9, 10)
                    acc[0] += c[0]
                    acc[1] += c[1]
                    acc[2] += c[2]
            n = sub * sub
            out[px, py] = tuple(int(round(v / n)) for v in acc)
    return img


# --- obstacles -------------------------------------------------------------------

# Cast iron, a material no can kind uses: a cool dark grey that stays apart from
# every label colour for colour-blind players too.
IRON = (120, 126, 146)
IRON_EDGE = (22, 24, 30)
OBSTACLE_EDGES = {  # which ends of the stack the piece closes: top, bottom
    "top": (True, False), "middle": (False, False),
    "bottom": (False, True), "single": (True, True),
}


def make_obstacle(part):
    """One piece of an iron post. Pieces stacked in a column join into one block:
    the same hammered texture in each, no line between them, and the rivets keep
    their 20-pixel rhythm across the joins."""
    top, bottom = OBSTACLE_EDGES[part]
    w, h = CELL_SIZE
    img = Image.new("RGB", CELL_SIZE)
    px = img.load()
    rng = random.Random(404)
    for y in range(h):
        for x in range(w):
            # Lit from the upper left: lighter towards the left side of the post.
            t = x / (w - 1)
            k = 1.16 - 0.36 * t + rng.uniform(-0.06, 0.06)
            px[x, y] = scale_colour(IRON, k)
    d = ImageDraw.Draw(img)
    light, dark = scale_colour(IRON, 1.55), scale_colour(IRON, 0.55)
    y0 = 2 if top else 0
    y1 = h - 3 if bottom else h - 1
    d.line([(2, y0), (2, y1)], fill=light)
    d.line([(w - 3, y0), (w - 3, y1)], fill=dark)
    if top:
        d.line([(2, 2), (w - 3, 2)], fill=light)
    if bottom:
        d.line([(3, h - 3), (w - 3, h - 3)], fill=dark)
    d.rectangle((0, 0, 1, h - 1), fill=IRON_EDGE)
    d.rectangle((w - 2, 0, w - 1, h - 1), fill=IRON_EDGE)
    if top:
        d.rectangle((0, 0, w - 1, 1), fill=IRON_EDGE)
    if bottom:
        d.rectangle((0, h - 2, w - 1, h - 1), fill=IRON_EDGE)
    by = h // 2
    for bx in (6, w - 7):
        d.ellipse((bx - 2, by - 2, bx + 2, by + 2), fill=dark)
        d.ellipse((bx - 2, by - 2, bx + 1, by + 1), fill=scale_colour(IRON, 1.3))
        d.point((bx - 1, by - 1), fill=light)
    return img


# --- mugs --------------------------------------------------------------------------

GLASS_EDGE = (200, 214, 214)
BEER_TOP = (255, 196, 60)
BEER_BOTTOM = (196, 106, 14)
FOAM = (252, 246, 228)
FOAM_SHADE = (214, 200, 170)


def make_mug(full):
    def paint(d, s):
        body = (6, 9, 23, 29.5)
        # Handle.
        d.rounded_rectangle(_pts([(20, 12.5), (29, 25)], s), radius=4 * s,
                            outline=GLASS_EDGE, width=int(2.4 * s))
        if full:
            for row in range(int(body[1] * s), int(body[3] * s)):
                t = (row / s - body[1]) / (body[3] - body[1])
                d.line([(body[0] * s, row), (body[2] * s, row)], fill=mix(BEER_TOP, BEER_BOTTOM, t))
            rng = random.Random(3)
            for _ in range(9):
                bx, by = rng.uniform(9, 20), rng.uniform(14, 27)
                d.ellipse(_pts([(bx - 0.6, by - 0.6), (bx + 0.6, by + 0.6)], s), fill=BEER_TOP)
        else:
            d.rectangle(_pts([(body[0], body[1]), (body[2], body[3])], s),
                        fill=mix(PANEL, GLASS_EDGE, 0.22))
            d.rectangle(_pts([(body[0], 25.5), (body[2], body[3])], s),
                        fill=mix(PANEL, BEER_BOTTOM, 0.45))
        # Glass walls, thick base and fluting.
        d.rectangle(_pts([(body[0], body[1]), (body[2], body[3])], s), outline=GLASS_EDGE,
                    width=int(1.4 * s))
        d.rectangle(_pts([(body[0], 27.5), (body[2], body[3])], s), fill=GLASS_EDGE)
        # Empty glass catches more light: brighter fluting and a second glint.
        fluting = mix(GLASS_EDGE, PANEL, 0.55 if full else 0.25)
        for fx in (10.5, 14.5, 18.5):
            d.line(_pts([(fx, 12), (fx, 26)], s), fill=fluting, width=s)
        d.line(_pts([(7.8, 11), (7.8, 26)], s), fill=WHITE, width=int(1.2 * s))
        if not full:
            d.line(_pts([(9.4, 12), (9.4, 20)], s), fill=mix(WHITE, PANEL, 0.3), width=s)
            d.line(_pts([(21.2, 13), (21.2, 25)], s), fill=mix(WHITE, PANEL, 0.45), width=s)
            d.line(_pts([(6.5, 9.3), (22.5, 9.3)], s), fill=WHITE, width=s)
        if full:
            for cx, cy, r in ((8, 8, 3.6), (12.5, 6.2, 4.2), (17.5, 6.8, 3.8), (21.5, 8.8, 3.0),
                              (6.5, 11.5, 2.0)):
                d.ellipse(_pts([(cx - r, cy - r), (cx + r, cy + r)], s), fill=FOAM_SHADE)
                d.ellipse(_pts([(cx - r, cy - r), (cx + r - 0.6, cy + r - 0.9)], s), fill=FOAM)
            d.rectangle(_pts([(6, 8.5), (23, 11)], s), fill=FOAM)
            d.ellipse(_pts([(5.3, 10.5), (7.3, 14.5)], s), fill=FOAM)
        else:
            d.line(_pts([(7.2, 12), (21.8, 12)], s), fill=mix(FOAM_SHADE, PANEL, 0.4), width=s)
    return supersample((32, 32), paint, background=PANEL)


# --- cop picture -------------------------------------------------------------------

COP_SIZE = (G["kCopWidth"], G["kCopHeight"])
COP_SCALE = 4                   # drawn this many times bigger, then box-filtered down
NIGHT_TOP, NIGHT_BOTTOM = (14, 18, 42), (40, 32, 58)
NAVY, NAVY_LIT, NAVY_DARK = (30, 38, 84), (70, 76, 120), (14, 16, 40)
SKIN, SKIN_SHADE = (240, 190, 150), (200, 140, 104)
WINDOW_GLOW = (255, 196, 96)


def gradient_fill(img, paint_mask, top, bottom, span):
    """Fills the shape that paint_mask(draw) draws with a vertical gradient from
    `top` at y span[0] to `bottom` at y span[1] (scaled pixels)."""
    mask = Image.new("L", img.size)
    paint_mask(ImageDraw.Draw(mask))
    ramp = Image.new("RGB", (1, img.height))
    for y in range(img.height):
        t = min(1.0, max(0.0, (y - span[0]) / max(1, span[1] - span[0])))
        ramp.putpixel((0, y), mix(top, bottom, t))
    img.paste(ramp.resize(img.size), mask=mask)


def make_cop():
    """Closing time at the Frothwick Arms: the constable stands in the light of
    the pub window under the blue lamp, one hand raised. The same wood, brass and
    amber as the rest of the game, in a brass frame."""
    w, h = COP_SIZE
    s = COP_SCALE
    P = lambda pts: [(x * s, y * s) for x, y in pts]
    img = Image.new("RGB", (w * s, h * s))
    d = ImageDraw.Draw(img)
    gradient_fill(img, lambda m: m.rectangle((0, 0, w * s, h * s), fill=255),
                  NIGHT_TOP, NIGHT_BOTTOM, (0, 60 * s))
    rng = random.Random(999)
    for _ in range(26):
        x, y = rng.uniform(150, w), rng.uniform(6, 40)
        d.ellipse(P([(x - 0.5, y - 0.5), (x + 0.5, y + 0.5)]), fill=(200, 200, 226))
    d.ellipse(P([(206, 6), (222, 22)]), fill=(240, 232, 200))
    d.ellipse(P([(211, 4), (226, 19)]), fill=mix(NIGHT_TOP, NIGHT_BOTTOM, 0.05))

    # The pub front: oak panelling under a brass-lettered fascia.
    front = (0, 30, 196, 170)
    oak = wood_texture((front[2] * s, (front[3] - front[1]) * s), seed=66,
                       base=scale_colour(WOOD, 0.8), plank=30 * s)
    img.paste(oak, (0, front[1] * s))
    d.rectangle(P([(0, 30), (200, 50)]), fill=WOOD_DARK)
    d.rectangle(P([(0, 30), (200, 32)]), fill=BRASS)
    d.rectangle(P([(0, 48), (200, 50)]), fill=BRASS_LO)
    d.text(P([(98, 40)])[0], "THE FROTHWICK ARMS", font=font(SERIF_BOLD, 11 * s),
           fill=BRASS_HI, anchor="mm")
    # The window, warm light behind small panes, mugs on the sill.
    win = (14, 60, 122, 140)
    d.rectangle(P([(win[0] - 5, win[1] - 5), (win[2] + 5, win[3] + 5)]), fill=WOOD_DARK)
    gradient_fill(img, lambda m: m.rectangle(P([win[:2], win[2:]]), fill=255),
                  (255, 226, 150), (226, 130, 40), (win[1] * s, win[3] * s))
    for x in (50, 86):
        d.rectangle(P([(x - 1.5, win[1]), (x + 1.5, win[3])]), fill=WOOD_DARK)
    d.rectangle(P([(win[0], 98), (win[2], 101)]), fill=WOOD_DARK)
    for mx in (24, 60, 96):
        d.rectangle(P([(mx, 126), (mx + 10, 140)]), fill=(190, 110, 24))
        d.ellipse(P([(mx - 1, 122), (mx + 11, 129)]), fill=FOAM)
        d.arc(P([(mx + 7, 129), (mx + 15, 137)]), -90, 90, fill=(190, 110, 24), width=2 * s)
    d.rectangle(P([(win[0] - 7, win[3] + 5), (win[2] + 7, win[3] + 9)]), fill=BRASS_LO)
    # Door with a lit pane, and the pavement in the window's light.
    d.rectangle(P([(140, 72), (186, 170)]), fill=WOOD_DARK)
    d.rectangle(P([(145, 77), (181, 170)]), fill=MAROON)
    d.rectangle(P([(151, 84), (175, 110)]), fill=WINDOW_GLOW)
    d.ellipse(P([(173, 128), (178, 133)]), fill=BRASS_HI)
    gradient_fill(img, lambda m: m.rectangle(P([(0, 170), (w, h)]), fill=255),
                  (92, 84, 80), (46, 42, 50), (170 * s, h * s))
    d.line(P([(0, 170), (w, 170)]), fill=(130, 120, 110), width=s)
    pool = Image.new("L", img.size)
    ImageDraw.Draw(pool).ellipse(P([(-20, 164), (170, 206)]), fill=70)
    img.paste(WINDOW_GLOW, mask=pool.filter(ImageFilter.GaussianBlur(8 * s)))

    # The blue lamp on its bracket at the corner of the pub, glowing.
    glow = Image.new("L", img.size)
    ImageDraw.Draw(glow).ellipse(P([(180, 44), (240, 104)]), fill=150)
    img.paste((90, 140, 255), mask=glow.filter(ImageFilter.GaussianBlur(10 * s)))
    d.line(P([(196, 62), (210, 62), (210, 66)]), fill=(30, 30, 36), width=2 * s)
    d.polygon(P([(200, 68), (210, 62), (220, 68)]), fill=(20, 24, 40))
    d.rectangle(P([(202, 68), (218, 88)]), fill=(40, 90, 210), outline=(20, 24, 40), width=s)
    d.rectangle(P([(204, 71), (216, 85)]), fill=(150, 196, 255))
    d.text(P([(210, 78)])[0], "POLICE", font=font(SANS_BOLD, 3 * s), fill=(20, 30, 80),
           anchor="mm")

    draw_constable(img, d, P)

    # What he says, in the game's cream and brass.
    d.rounded_rectangle(P([(106, 4), (202, 27)]), radius=8 * s, fill=CREAM,
                        outline=BRASS_LO, width=2 * s)
    d.polygon(P([(180, 25), (236, 58), (192, 25)]), fill=CREAM)
    d.line(P([(180, 26), (236, 58), (192, 26)]), fill=BRASS_LO, width=2 * s)
    d.text(P([(154, 15.5)])[0], "Last orders!", font=font(SERIF_BOLD, 12 * s), fill=MAROON,
           anchor="mm")

    out = img.resize((w, h), Image.Resampling.BOX)
    brass_frame(ImageDraw.Draw(out), (0, 0, w - 1, h - 1), 4)
    return out


def draw_constable(img, d, P):
    """The constable, standing: boots, trousers, tunic, one hand raised, helmet.
    Lit from the pub window on his left."""
    # Shadow on the pavement, boots and legs.
    d.ellipse(P([(226, 184), (290, 194)]), fill=(30, 28, 34))
    for x in (238, 258):
        gradient_fill(img, lambda m, x=x: m.rectangle(P([(x, 140), (x + 16, 186)]), fill=255),
                      NAVY, NAVY_DARK, (140 * s_of(P), 186 * s_of(P)))
        d.line(P([(x + 3, 142), (x + 3, 184)]), fill=NAVY_LIT, width=s_of(P))
        d.rounded_rectangle(P([(x - 3, 182), (x + 18, 190)]), radius=3 * s_of(P),
                            fill=(16, 14, 16))
        d.line(P([(x, 183), (x + 8, 183)]), fill=(90, 90, 96), width=s_of(P))
    # Tunic with its belt and buttons.
    tunic = [(232, 82), (280, 82), (284, 146), (228, 146)]
    gradient_fill(img, lambda m: m.polygon(P(tunic), fill=255), NAVY_LIT, NAVY,
                  (82 * s_of(P), 146 * s_of(P)))
    d.rectangle(P([(228, 128), (284, 134)]), fill=(16, 16, 24))
    d.rectangle(P([(252, 127), (260, 135)]), fill=BRASS)
    for y in (90, 102, 114, 142):
        d.ellipse(P([(254, y), (258, y + 4)]), fill=BRASS_HI)
    d.rectangle(P([(246, 80), (266, 86)]), fill=NAVY_DARK)            # collar
    # The left arm hangs at his side; the right is raised, palm out: time.
    d.line(P([(234, 88), (226, 118), (228, 132)]), fill=NAVY, width=11 * s_of(P), joint="curve")
    d.ellipse(P([(222, 128), (234, 140)]), fill=SKIN_SHADE)
    d.line(P([(278, 88), (294, 72), (298, 50)]), fill=NAVY, width=11 * s_of(P), joint="curve")
    d.line(P([(272, 86), (288, 72)]), fill=NAVY_LIT, width=2 * s_of(P))
    d.rectangle(P([(292, 46), (304, 52)]), fill=NAVY_DARK)             # cuff
    d.rounded_rectangle(P([(291, 30), (305, 48)]), radius=4 * s_of(P), fill=SKIN)   # palm
    for i, fx in enumerate((292.5, 296, 299.5, 303)):
        top = 22 + abs(1.5 - i) * 2
        d.rounded_rectangle(P([(fx - 1.6, top), (fx + 1.6, 34)]), radius=1.6 * s_of(P), fill=SKIN)
    d.rounded_rectangle(P([(286, 36), (293, 41)]), radius=2 * s_of(P), fill=SKIN)   # thumb
    # Head: face, ears, moustache, a friendly look.
    d.rectangle(P([(250, 70), (262, 82)]), fill=SKIN_SHADE)           # neck
    d.ellipse(P([(240, 44), (272, 78)]), fill=SKIN)
    d.ellipse(P([(237, 56), (244, 66)]), fill=SKIN_SHADE)
    d.ellipse(P([(268, 56), (275, 66)]), fill=SKIN_SHADE)
    for ex in (249, 261):
        d.ellipse(P([(ex - 2, 57), (ex + 2, 61)]), fill=(30, 24, 30))
    d.ellipse(P([(253, 60), (259, 68)]), fill=SKIN_SHADE)
    d.chord(P([(244, 64), (268, 74)]), 180, 360, fill=(110, 70, 40))   # moustache
    d.arc(P([(250, 68), (262, 75)]), 20, 160, fill=(120, 40, 40), width=s_of(P))
    # Custodian helmet with its badge.
    d.chord(P([(238, 8), (274, 66)]), 180, 360, fill=NAVY)
    d.rectangle(P([(238, 36), (274, 52)]), fill=NAVY)
    d.line(P([(246, 14), (243, 44)]), fill=NAVY_LIT, width=2 * s_of(P))
    d.ellipse(P([(252, 4), (260, 12)]), fill=(200, 200, 210))
    d.rounded_rectangle(P([(234, 48), (278, 54)]), radius=2 * s_of(P), fill=NAVY_DARK)
    star = []
    for i in range(16):
        r = 6 if i % 2 == 0 else 3.5
        a = math.pi / 8 * i
        star.append((256 + r * math.sin(a), 36 - r * math.cos(a)))
    d.polygon(P(star), fill=(214, 218, 228))
    d.ellipse(P([(253, 33), (259, 39)]), fill=BRASS)


def s_of(P):
    """The drawing scale of a point mapper."""
    return int(P([(1, 0)])[0][0])


# --- about panel ---------------------------------------------------------------

ABOUT_SIZE = (344, 169)
ABOUT_RULES = ("Six equal cans that fill a 2\u00d73 or 3\u00d72 rectangle clear away for "
               "500 points. Let the cans reach the top and you lose one of your three lives.")
ABOUT_KEYS = [("Left / Right", "move the can"), ("Down / Space", "drop it")]
ABOUT_LINK = "Click here for the Frothwick home page"
LINK_BLUE = (150, 200, 255)     # a link's colour, light enough for dark wood


def wrap(text, fnt, width, draw):
    lines, line = [], ""
    for word in text.split():
        trial = (line + " " + word).strip()
        if draw.textlength(trial, font=fnt) <= width:
            line = trial
        else:
            lines.append(line)
            line = word
    return lines + [line]


def make_about():
    """Title, rules, keys and the link in four blocks spaced evenly down the panel,
    on a plain dark board so that the small text stays crisp."""
    w, h = ABOUT_SIZE
    img = wood_texture(ABOUT_SIZE, seed=55, base=scale_colour(WOOD, 0.5), plank=400, vertical=False)
    d = ImageDraw.Draw(img)
    brass_frame(d, (0, 0, w - 1, h - 1), 4)
    d.rectangle((10, 36, w - 11, h - 11), fill=scale_colour(WOOD_DARK, 0.8))
    title = font(SERIF_BOLD, 20)
    body = font(SANS, 12)
    bold = font(SANS_BOLD, 12)
    engraved_text(d, (w // 2, 19), "Frothwick", title, BRASS_HI)
    d.line([(w // 2 - 90, 32), (w // 2 + 90, 32)], fill=BRASS_LO)
    rules = wrap(ABOUT_RULES, body, w - 36, d)
    line_height, gap = 15, 9
    blocks = len(rules) + len(ABOUT_KEYS) + 1
    y = 36 + (h - 11 - 36 - blocks * line_height - 2 * gap) // 2
    for line in rules:
        d.text((w // 2, y), line, font=body, fill=CREAM, anchor="mt")
        y += line_height
    y += gap
    for key, action in ABOUT_KEYS:
        d.text((w // 2 - 4, y), key + ":", font=bold, fill=AMBER, anchor="rt")
        d.text((w // 2 + 4, y), action, font=body, fill=CREAM, anchor="lt")
        y += line_height
    y += gap
    d.text((w // 2, y), ABOUT_LINK, font=bold, fill=LINK_BLUE, anchor="mt")
    lw = d.textlength(ABOUT_LINK, font=bold)
    d.line([(w // 2 - lw / 2, y + 14), (w // 2 + lw / 2, y + 14)], fill=LINK_BLUE)
    return img


# --- cursor, window icon and tooltip font ----------------------------------------

HOT_SPOT = (12, 1)      # the finger tip; the game uses it as the cursor's hot spot


def make_hand_cursor():
    """A white pointing hand with a one-pixel black outline, drawn pixel by pixel."""
    tx, ty = HOT_SPOT
    fill = Image.new("L", (32, 32))
    d = ImageDraw.Draw(fill)
    d.rectangle((tx - 1, ty + 1, tx + 1, ty + 1), fill=255)            # rounded tip
    d.rectangle((tx - 2, ty + 2, tx + 2, ty + 17), fill=255)           # index finger
    for x0, x1, top in ((tx + 4, tx + 7, ty + 9), (tx + 9, tx + 12, ty + 10),
                        (tx + 14, tx + 16, ty + 12)):                  # folded fingers
        d.rectangle((x0 - 1, top + 1, x1, ty + 20), fill=255)
        d.rectangle((x0, top, x1 - 1, top), fill=255)
    d.rectangle((tx - 2, ty + 15, tx + 16, ty + 24), fill=255)         # palm
    d.polygon([(tx - 3, ty + 21), (tx - 8, ty + 14), (tx - 9, ty + 15),
               (tx - 9, ty + 17), (tx - 4, ty + 25)], fill=255)       # thumb
    d.rectangle((tx - 3, ty + 20, tx + 15, ty + 27), fill=255)         # heel of the hand
    d.rectangle((tx - 2, ty + 28, tx + 14, ty + 29), fill=255)         # cuff
    grown = fill
    for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
        grown = ImageChops.lighter(grown, ImageChops.offset(fill, dx, dy))
    img = Image.new("RGB", (32, 32), WHITE)
    img.paste(BLACK, mask=ImageChops.subtract(grown, fill))
    d = ImageDraw.Draw(img)
    for x, top in ((tx + 3, ty + 9), (tx + 8, ty + 10), (tx + 13, ty + 12)):
        d.line([(x, top), (x, ty + 17)], fill=BLACK)                    # finger gaps
    d.line([(tx - 2, ty + 27), (tx + 14, ty + 27)], fill=BLACK)       # cuff seam
    return to_palette(img, colours=16, keep=[BLACK, WHITE],
                      transparent=ImageChops.invert(grown))


def paint_app_icon(d, s):
    """The foaming mug on its maroon tile, drawn on a 32-unit grid scaled by s."""
    d.rounded_rectangle((0, 0, 32 * s - 1, 32 * s - 1), radius=6 * s, fill=BRASS_LO)
    d.rounded_rectangle((s, s, 31 * s - 1, 31 * s - 1), radius=5 * s, fill=MAROON)
    d.rounded_rectangle((8 * s, 11 * s, 27 * s, 20 * s), radius=3 * s, outline=GLASS_EDGE,
                        width=int(2.5 * s))
    d.rectangle((5 * s, 10 * s, 21 * s, 28 * s), fill=BEER_BOTTOM)
    d.rectangle((5 * s, 10 * s, 21 * s, 18 * s), fill=BEER_TOP)
    d.rectangle((5 * s, 10 * s, 21 * s, 28 * s), outline=GLASS_EDGE, width=int(1.5 * s))
    for cx, cy, r in ((7, 8, 4), (13, 6, 4.5), (19, 7.5, 4), (5.5, 12, 2.5)):
        d.ellipse((int((cx - r) * s), int((cy - r) * s), int((cx + r) * s), int((cy + r) * s)),
                  fill=FOAM)
    d.rectangle((5 * s, 8 * s, 21 * s, 11 * s), fill=FOAM)


def make_app_icon():
    img = supersample((32, 32), paint_app_icon)
    corner = Image.new("L", (32, 32), 255)
    ImageDraw.Draw(corner).rounded_rectangle((0, 0, 31, 31), radius=6, fill=0)
    img.paste(PANEL, mask=corner)
    return to_palette(img, colours=16)


def make_desktop_icon(size):
    """The same mug for desktop menus: full colour, see-through corners."""
    scale = size * 4 // 32
    big = Image.new("RGBA", (32 * scale, 32 * scale), (0, 0, 0, 0))
    paint_app_icon(ImageDraw.Draw(big), scale)
    return big.resize((size, size), Image.Resampling.BOX)


def make_maskable_icon(size):
    """The mug for launchers that cut icons to a shape of their own (circle, squircle):
    a full square of the tile's maroon, the icon inside the middle circle of 40 % radius
    that every such shape keeps."""
    inner = size * 9 // 16
    img = Image.new("RGBA", (size, size), MAROON + (255,))
    img.alpha_composite(make_desktop_icon(inner), ((size - inner) // 2, (size - inner) // 2))
    return img.convert("RGB")


def make_tooltip_font():
    """Glyphs ' '..'~' side by side, each centred in its own cell so that the game can
    cut any one of them out cleanly; smooth grey edges from white paper to black ink,
    which the game turns into its own tooltip colours."""
    cw, ch = TOOLTIP_CELL
    strip = Image.new("L", (cw * 95, ch), 255)
    fnt = font(MONO_BOLD, 11)
    for i in range(95):
        cell = Image.new("L", (cw, ch), 255)
        d = ImageDraw.Draw(cell)
        left, _, right, _ = d.textbbox((0, 10), chr(32 + i), font=fnt, anchor="ls")
        d.text(((cw - (right - left)) // 2 - left, 10), chr(32 + i), font=fnt, fill=0, anchor="ls")
        strip.paste(cell, (i * cw, 0))
    out = Image.new("P", strip.size)
    out.putdata(list(strip.getdata()))
    out.putpalette([v for g in range(256) for v in (g, g, g)])
    return out


# --- sounds ---------------------------------------------------------------------------

def resonator(freq, bandwidth):
    r = math.exp(-math.pi * bandwidth / SAMPLE_RATE)
    a1 = 2 * r * math.cos(2 * math.pi * freq / SAMPLE_RATE)
    a2 = -r * r
    return [a1, a2, 1 - r, 0.0, 0.0]


def run_resonator(state, x):
    a1, a2, gain, y1, y2 = state
    y = gain * x + a1 * y1 + a2 * y2
    state[3], state[4] = y, y1
    return y


def without_dc(samples):
    """The sound less its mean, so the speaker cone rests where it started."""
    mean = sum(samples) / len(samples)
    return [v - mean for v in samples]


def at_loudness(samples, target=SOUND_LOUDNESS, ceiling=SOUND_CEILING):
    """The sound scaled to `target` LUFS. Peaks above `ceiling` are rounded off
    softly (tanh) and the level found again, so nothing clips."""
    samples = without_dc(samples)
    for _ in range(8):
        gain = 10 ** ((target - integrated_loudness(samples, SAMPLE_RATE)) / 20)
        samples = [v * gain for v in samples]
        if max(abs(v) for v in samples) <= ceiling:
            return samples
        samples = without_dc([ceiling * math.tanh(v / ceiling) for v in samples])
    raise AssertionError("sound too spiky to reach its loudness without clipping")


def write_wav(path, samples):
    frames = b"".join(struct.pack("<h", int(round(v * 32767))) for v in samples)
    with wave.open(str(path), "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(SAMPLE_RATE)
        out.writeframes(frames)


def make_burp():
    """A low, rough 'uhh': glottal pulses of uneven strength through three formants."""
    rng = random.Random(1234)
    duration = 0.7
    n = int(SAMPLE_RATE * duration)
    formants = [resonator(430, 100), resonator(760, 140), resonator(2200, 260)]
    weights = [1.0, 0.5, 0.12]
    phase, flutter, pulse, samples = 0.0, 0.0, 1.0, []
    for i in range(n):
        t = i / SAMPLE_RATE
        flutter = 0.995 * flutter + rng.uniform(-1, 1) * 0.6
        f0 = 80 - 24 * t / duration + flutter * 1.5
        phase += f0 / SAMPLE_RATE
        if phase >= 1.0:            # a new glottal pulse, each a little different
            phase -= 1.0
            pulse = rng.uniform(0.35, 1.0)
        glottal = math.sin(math.pi * phase / 0.35) if phase < 0.35 else 0.0
        source = pulse * (glottal + rng.uniform(-1, 1) * 0.3)
        voiced = sum(w * run_resonator(f, source) for w, f in zip(weights, formants))
        gurgle = 0.62 + 0.38 * math.sin(2 * math.pi * 9 * t + 1.5 * math.sin(2 * math.pi * 3 * t))
        attack = min(1.0, t / 0.008)
        release = min(1.0, (duration - t) / 0.22) ** 1.5
        samples.append(voiced * gurgle * attack * release)
    return samples


def make_siren():
    """Two tones, high and low, half a second each, with brassy harmonics."""
    duration, tones, hold = 2.5, (900.0, 650.0), 0.5
    glide, fade = 0.03, 0.04
    n = int(SAMPLE_RATE * duration)
    phase, samples = 0.0, []
    for i in range(n):
        t = i / SAMPLE_RATE
        step = int(t / hold)
        into = t - step * hold
        freq = tones[step % 2]
        if into < glide and step > 0:
            freq = lerp(tones[(step - 1) % 2], freq, into / glide)
        phase += 2 * math.pi * freq / SAMPLE_RATE
        v = (math.sin(phase) + 0.5 * math.sin(2 * phase) + 0.3 * math.sin(3 * phase)
             + 0.12 * math.sin(4 * phase))
        v *= min(1.0, t / fade, (duration - t) / fade)
        samples.append(v)
    return samples


# --- putting it together ------------------------------------------------------------------

def main(out_dir):
    out = Path(out_dir)
    out.mkdir(parents=True, exist_ok=True)

    background = make_background()
    save_gif(to_palette(background, keep=[BLACK, PANEL]), out / "background.gif")
    save_gif(to_palette(make_logo(background)), out / "logo.gif")
    save_gif(to_palette(make_window_icon("minimize")), out / "minimize.gif")
    save_gif(to_palette(make_window_icon("close")), out / "close.gif")

    for name, (symbol, transparent) in BUTTONS.items():
        save_gif(make_button(symbol, transparent), out / f"{name}.gif")

    for digit in range(10):
        img = led_image(led_glyph_mask(str(digit)), DIGIT_WIDTHS.get(digit, GLYPH_SIZE[0]))
        save_gif(to_palette(img, keep=[BLACK]), out / f"digit{digit}.gif")
    for letter in "ABCDEFGHIJKLMNPQRSTUVWXYZ":
        save_gif(to_palette(led_image(led_glyph_mask(letter)), keep=[BLACK]),
                 out / f"alpha_{letter}.gif")
    save_gif(to_palette(make_entry_cursor(), keep=[BLACK]), out / "entry_cursor.gif")
    save_gif(to_palette(Image.new("RGB", GLYPH_SIZE, BLACK)), out / "empty_letter.gif")

    for kind in range(G["kCanKinds"]):
        for frame in range(CAN_FRAMES):
            save_gif(to_palette(can_frame(kind, frame), keep=[BLACK]),
                     out / f"can_{kind}_{frame}.gif")
    save_gif(to_palette(Image.new("RGB", CELL_SIZE, BLACK)), out / "empty_cell.gif")
    for part in OBSTACLE_EDGES:
        save_gif(to_palette(make_obstacle(part)), out / f"obstacle_{part}.gif")

    save_gif(to_palette(make_mug(True), keep=[PANEL]), out / "mug_full.gif")
    save_gif(to_palette(make_mug(False), keep=[PANEL]), out / "mug_empty.gif")
    # Full colour resolution and a high quality keep the JPEG free of ringing.
    make_cop().save(out / "cop.jpg", "JPEG", quality=95, subsampling=0)
    save_gif(to_palette(make_about()), out / "about_text.gif")
    save_gif(make_hand_cursor(), out / "hand_cursor.gif")
    save_gif(make_app_icon(), out / "icon.gif")
    (out / "icons").mkdir(exist_ok=True)
    for size in (32, 48, 128, 192, 512):  # desktop menus; 192 and 512 for the web page
        make_desktop_icon(size).save(out / "icons" / f"frothwick-{size}.png", optimize=True)
    make_maskable_icon(512).save(out / "icons" / "frothwick-maskable-512.png", optimize=True)
    save_gif(make_tooltip_font(), out / "tooltip_font.gif")

    write_wav(out / "burp.wav", at_loudness(make_burp()))
    write_wav(out / "siren.wav", at_loudness(make_siren()))


if __name__ == "__main__":
    default = Path(__file__).resolve().parent.parent / "assets"
    main(sys.argv[1] if len(sys.argv) > 1 else default)
