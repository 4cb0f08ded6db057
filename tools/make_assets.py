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
MONO = "DejaVuSansMono.ttf"

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

# --- window layout (pixels) -------------------------------------------------
WINDOW_SIZE = (599, 436)
PLAYFIELD = (13, 72, 402, 401)            # inclusive box, black on the background
CELL_SIZE = (32, 20)
LOGO_POS, LOGO_SIZE = (74, 16), (254, 31)
MINIMIZE_POS, CLOSE_POS = (542, 14), (564, 14)
DIGIT_LEFTS, DIGIT_TOP = (430, 451, 472, 493, 514, 535, 556), 60
GLYPH_SIZE = (22, 23)
SCORE_PLATE = (DIGIT_LEFTS[0] - 6, DIGIT_TOP - 6,
               DIGIT_LEFTS[-1] + GLYPH_SIZE[0] + 6, DIGIT_TOP + GLYPH_SIZE[1] + 6)
BUTTON_SLOTS = {
    "play": (486, 108), "ok": (470, 142), "clear": (504, 142),
    "new": (470, 176), "scores": (504, 176), "sound": (504, 210),
    "about": (470, 244), "quit": (504, 244),
}
BUTTON_SIZE = 32
RIGHT_PANEL = (444, 96, 568, 398)
FOCUS_BOX = (456, 328, 101, 20)
MUG_SLOTS = ((458, 355), (491, 355), (524, 355))

DIGIT_WIDTHS = {2: 21, 3: 21, 4: 24}
CAN_FRAMES = 8
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

    # Dado rail along the bottom and a darker skirting below it.
    rail = 415
    skirting = wood_texture((w, h - rail), seed=7, base=scale_colour(WOOD, 0.7),
                            plank=120, vertical=False)
    img.paste(skirting, (0, rail))
    draw.rectangle((0, rail, w, rail + 2), fill=BRASS_LO)
    draw.line([(0, rail), (w, rail)], fill=BRASS)
    draw.line([(0, rail + 1), (w, rail + 1)], fill=BRASS_HI)
    # The lettering stays below y 424, where the high-score board ends.
    engraved_text(draw, ((PLAYFIELD[0] + PLAYFIELD[2]) // 2, 429),
                  "FREE HOUSE  \u2022  FINE ALES  \u2022  EST. 1887", font(SERIF_BOLD, 9))

    # Sign board behind the logo.
    board = (60, 6, 342, 57)
    img.paste(wood_texture((board[2] - board[0], board[3] - board[1]), seed=31,
                           base=scale_colour(WOOD, 0.55), plank=300, vertical=False),
              board[:2])
    brass_frame(draw, board, 4)
    for x in (board[0] + 8, board[2] - 8):
        rivet(draw, x, (board[1] + board[3]) // 2)

    # Playfield: black well inside a brass moulding.
    px0, py0, px1, py1 = PLAYFIELD
    draw.rectangle((px0 - 7, py0 - 7, px1 + 7, py1 + 7), fill=WOOD_DARK)
    brass_frame(draw, (px0 - 6, py0 - 6, px1 + 6, py1 + 6), 5)
    draw.rectangle((px0 - 1, py0 - 1, px1 + 1, py1 + 1), fill=scale_colour(WOOD_DARK, 0.5))
    draw.rectangle(PLAYFIELD, fill=BLACK)
    for x, y in ((px0 - 3, py0 - 3), (px1 + 3, py0 - 3), (px0 - 3, py1 + 3), (px1 + 3, py1 + 3)):
        rivet(draw, x, y)

    # Score plate with its label.
    draw.rectangle((SCORE_PLATE[0] - 2, SCORE_PLATE[1] - 2, SCORE_PLATE[2] + 2,
                    SCORE_PLATE[3] + 2), fill=WOOD_DARK)
    brass_frame(draw, SCORE_PLATE, 4)
    draw.rectangle((SCORE_PLATE[0] + 4, SCORE_PLATE[1] + 4, SCORE_PLATE[2] - 4,
                    SCORE_PLATE[3] - 4), fill=BLACK)
    engraved_text(draw, ((SCORE_PLATE[0] + SCORE_PLATE[2]) // 2, 45), "SCORE",
                  font(SERIF_BOLD, 11), BRASS_HI)

    # Right-hand panel: buttons on top, the focus slot and the mugs below.
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
    engraved_text(draw, (506, 314), "LAST ORDERS", font(SERIF_BOLD, 9), BRASS)
    fx, fy, fw, fh = FOCUS_BOX
    brass_frame(draw, (fx - 3, fy - 3, fx + fw + 2, fy + fh + 2), 3)
    draw.rectangle((fx, fy, fx + fw - 1, fy + fh - 1), fill=BLACK)
    # A little shelf for the mugs to stand on.
    shelf_y = MUG_SLOTS[0][1] + 32
    shelf = (MUG_SLOTS[0][0] - 1, MUG_SLOTS[-1][0] + 33)
    draw.line([(shelf[0], shelf_y), (shelf[1], shelf_y)], fill=BRASS_HI)
    draw.line([(shelf[0], shelf_y + 1), (shelf[1], shelf_y + 1)], fill=BRASS)
    draw.line([(shelf[0] + 1, shelf_y + 2), (shelf[1] - 1, shelf_y + 2)], fill=BRASS_LO)

    # A dark recess for the minimise and close icons.
    draw.rectangle((MINIMIZE_POS[0] - 3, MINIMIZE_POS[1] - 3, CLOSE_POS[0] + 22,
                    CLOSE_POS[1] + 22), fill=WOOD_DARK, outline=BRASS_LO)

    # A thin brass edge around the whole window (there is no title bar).
    draw.rectangle((0, 0, w - 1, h - 1), outline=BRASS_LO)
    draw.rectangle((1, 1, w - 2, h - 2), outline=BRASS)
    draw.rectangle((2, 2, w - 3, h - 3), outline=WOOD_DARK)
    return img


# --- logo and window icons ---------------------------------------------------

def make_logo(background):
    x, y = LOGO_POS
    w, h = LOGO_SIZE
    img = background.crop((x, y, x + w, y + h))
    fnt = font(SERIF_BOLD, 27)
    text = "Frothwick"
    mask = Image.new("L", (w, h))
    md = ImageDraw.Draw(mask)
    md.text((w // 2, h // 2 + 1), text, font=fnt, anchor="mm", fill=255)
    outline = mask.filter(ImageFilter.MaxFilter(3))
    shadow = ImageChops.offset(outline, 2, 2)
    img.paste(WOOD_DARK, mask=shadow.point(lambda v: v * 3 // 4))
    img.paste(BLACK, mask=outline)
    gradient = Image.new("RGB", (w, h))
    gd = ImageDraw.Draw(gradient)
    for row in range(h):
        t = row / (h - 1)
        colour = mix(BRASS_HI, CREAM, t * 2) if t < 0.5 else mix(CREAM, BRASS, (t - 0.5) * 2)
        gd.line([(0, row), (w, row)], fill=colour)
    img.paste(gradient, mask=mask)
    # Brass rules with diamonds either side of the name.
    text_w = int(md.textlength(text, font=fnt))
    draw = ImageDraw.Draw(img)
    cy = h // 2 + 1
    for side in (-1, 1):
        inner = w // 2 + side * (text_w // 2 + 10)
        outer = w // 2 + side * (w // 2 - 8)
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
    # An upright can with a sparkle: a fresh round.
    d.rounded_rectangle(_pts([(9, 11), (18.5, 24.5)], s, dx, dy), radius=2 * s, fill=c)
    if c == SYMBOL:
        d.rectangle(_pts([(9, 15), (18.5, 20)], s, dx, dy), fill=BUTTON_PLATE)
        d.rectangle(_pts([(10, 12), (17.5, 12.8)], s, dx, dy), fill=mix(c, BUTTON_PLATE, 0.4))
    star = []
    for i in range(8):
        r = 4.6 if i % 2 == 0 else 1.5
        a = math.pi / 4 * i
        star.append((21.5 + r * math.sin(a), 10.5 - r * math.cos(a)))
    d.polygon(_pts(star, s, dx, dy), fill=AMBER if c == SYMBOL else c)


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
LED_MAX_WIDTH = 18
LED_CENTRE_X = 11


def led_glyph_mask(char):
    """The glyph as a mask: DejaVu Sans Bold drawn big, then scaled to the cell."""
    big = 200
    fnt = font(SANS_BOLD, big)
    cap = fnt.getbbox("H", anchor="ls")
    scale = LED_CAP_HEIGHT / (cap[3] - cap[1])
    x0, y0, x1, y1 = fnt.getbbox(char, anchor="ls")
    canvas = Image.new("L", (x1 - x0 + 8, y1 - y0 + 8))
    ImageDraw.Draw(canvas).text((4 - x0, 4 - y0), char, font=fnt, fill=255, anchor="ls")
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


def make_entry_cursor():
    mask = Image.new("L", GLYPH_SIZE)
    d = ImageDraw.Draw(mask)
    d.rectangle((3, 19, 18, 21), fill=255)
    img = led_image(mask)
    ImageDraw.Draw(img).rectangle((1, 1, 20, 21), outline=(74, 34, 0))
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
CAN_CY = 10.0           # the can's axis, in cell pixels
CAN_RADIUS = 9.0
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
                        colour = label
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
                        c = shade(colour, ny, nz, 0.55, 24)
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
        for fx in (10.5, 14.5, 18.5):
            d.line(_pts([(fx, 12), (fx, 26)], s), fill=mix(GLASS_EDGE, PANEL, 0.55), width=s)
        d.line(_pts([(7.8, 11), (7.8, 26)], s), fill=WHITE, width=int(1.2 * s))
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

def make_cop():
    w, h = 320, 200
    s = 2
    img = Image.new("RGB", (w * s, h * s))
    d = ImageDraw.Draw(img)
    for row in range(h * s):
        d.line([(0, row), (w * s, row)], fill=mix((12, 16, 44), (46, 34, 70), row / (h * s)))
    P = lambda pts: [(x * s, y * s) for x, y in pts]
    rng = random.Random(999)
    for _ in range(30):
        x, y = rng.uniform(0, w), rng.uniform(0, 40)
        d.ellipse(P([(x - 0.6, y - 0.6), (x + 0.6, y + 0.6)]), fill=(220, 220, 240))
    d.ellipse(P([(272, 8), (294, 30)]), fill=(244, 238, 206))
    d.ellipse(P([(279, 6), (300, 27)]), fill=mix((12, 16, 44), (46, 34, 70), 0.08))

    # The pub: brick front, warm window, door and hanging sign.
    d.rectangle(P([(0, 46), (250, 176)]), fill=(104, 40, 30))
    for row, y in enumerate(range(46, 176, 6)):
        d.line(P([(0, y), (250, y)]), fill=(70, 26, 20), width=s)
        for x in range(-12 + (row % 2) * 9, 250, 18):
            d.line(P([(x, y), (x, y + 6)]), fill=(70, 26, 20), width=s)
    d.rectangle(P([(0, 40), (256, 58)]), fill=(40, 24, 16))
    d.rectangle(P([(0, 40), (256, 42)]), fill=BRASS)
    d.rectangle(P([(0, 57), (256, 58)]), fill=BRASS_LO)
    d.text(P([(96, 50)])[0], "THE FROTHWICK ARMS", font=font(SERIF_BOLD, 10 * s),
           fill=BRASS_HI, anchor="mm")
    d.rectangle(P([(14, 64), (120, 150)]), fill=(52, 30, 16))
    d.rectangle(P([(20, 70), (114, 144)]), fill=(255, 186, 80))
    for y in range(70, 144):
        d.line(P([(20, y), (114, y)]), fill=mix((255, 214, 120), (220, 120, 40), (y - 70) / 74))
    for fx in (51, 83):
        d.rectangle(P([(fx - 1, 70), (fx + 1, 144)]), fill=(52, 30, 16))
    d.rectangle(P([(20, 106), (114, 108)]), fill=(52, 30, 16))
    for mx in (30, 62, 96):  # mugs on the window sill
        d.rectangle(P([(mx, 132), (mx + 9, 144)]), fill=(230, 150, 30))
        d.rectangle(P([(mx - 1, 129), (mx + 10, 133)]), fill=FOAM)
    d.rectangle(P([(150, 80), (196, 176)]), fill=(40, 24, 16))
    d.rectangle(P([(155, 86), (191, 176)]), fill=(94, 28, 22))
    d.rectangle(P([(160, 92), (186, 118)]), fill=(255, 200, 100))
    d.ellipse(P([(182, 132), (187, 137)]), fill=BRASS_HI)
    d.rectangle(P([(0, 176), (320, 200)]), fill=(60, 58, 64))
    for x in range(0, 320, 28):
        d.line(P([(x, 176), (x - 6, 200)]), fill=(44, 42, 48), width=s)
    d.line(P([(0, 176), (320, 176)]), fill=(120, 118, 124), width=s)

    # Flashing beacon on the corner, with its glow.
    glow = Image.new("RGB", img.size, BLACK)
    gd = ImageDraw.Draw(glow)
    for (cx, cy), colour in (((266, 62), (255, 40, 40)), ((300, 62), (40, 90, 255))):
        for r in range(40, 0, -2):
            gd.ellipse(P([(cx - r, cy - r), (cx + r, cy + r)]),
                       fill=scale_colour(colour, (1 - r / 40) ** 2))
    img = ImageChops.add(img, glow)
    d = ImageDraw.Draw(img)
    d.rectangle(P([(258, 66), (308, 74)]), fill=(30, 30, 40))
    d.rounded_rectangle(P([(258, 54), (281, 68)]), radius=3 * s, fill=(255, 70, 60))
    d.rounded_rectangle(P([(285, 54), (308, 68)]), radius=3 * s, fill=(70, 120, 255))
    d.rounded_rectangle(P([(262, 56), (270, 60)]), radius=s, fill=(255, 200, 190))
    d.rounded_rectangle(P([(289, 56), (297, 60)]), radius=s, fill=(200, 220, 255))
    d.rectangle(P([(281, 74), (285, 176)]), fill=(30, 30, 40))

    # The constable: helmet with badge, smiling, one hand up.
    navy, navy_hi = (28, 36, 86), (52, 64, 130)
    skin, skin_sh = (250, 200, 160), (220, 160, 120)
    d.rounded_rectangle(P([(206, 120), (254, 182)]), radius=10 * s, fill=navy)
    d.rectangle(P([(212, 176), (226, 194)]), fill=navy)
    d.rectangle(P([(234, 176), (248, 194)]), fill=navy)
    d.ellipse(P([(206, 190), (228, 198)]), fill=(16, 16, 20))
    d.ellipse(P([(232, 190), (254, 198)]), fill=(16, 16, 20))
    d.line(P([(230, 124), (230, 170)]), fill=navy_hi, width=s)
    for y in (132, 144, 156):
        d.ellipse(P([(227, y), (233, y + 6)]), fill=(210, 214, 224))
    d.rectangle(P([(206, 160), (254, 165)]), fill=(14, 14, 20))
    d.rectangle(P([(226, 159), (234, 166)]), fill=BRASS)
    d.line(P([(252, 130), (268, 112), (272, 96)]), fill=navy, width=9 * s, joint="curve")
    d.ellipse(P([(264, 88), (280, 102)]), fill=skin)                 # waving hand
    for i, fx in enumerate((265.5, 269.5, 273.5, 277.5)):
        top = 80 + abs(1.5 - i) * 2
        d.rounded_rectangle(P([(fx - 1.6, top), (fx + 1.6, 94)]), radius=1.6 * s, fill=skin)
    d.line(P([(265, 97), (260, 91)]), fill=skin, width=3 * s)
    d.line(P([(208, 130), (200, 156)]), fill=navy, width=9 * s)
    d.ellipse(P([(194, 152), (206, 164)]), fill=skin)
    d.ellipse(P([(212, 84), (248, 124)]), fill=skin)
    d.ellipse(P([(208, 98), (216, 110)]), fill=skin_sh)
    d.ellipse(P([(244, 98), (252, 110)]), fill=skin_sh)
    d.ellipse(P([(221, 97), (227, 104)]), fill=(20, 20, 30))
    d.ellipse(P([(233, 97), (239, 104)]), fill=(20, 20, 30))
    d.ellipse(P([(223, 98), (225, 100)]), fill=WHITE)
    d.ellipse(P([(235, 98), (237, 100)]), fill=WHITE)
    d.ellipse(P([(227, 103), (234, 111)]), fill=(240, 150, 120))
    d.chord(P([(222, 106), (238, 118)]), 20, 160, fill=(140, 30, 30))
    d.polygon(P([(220, 110), (230, 107), (240, 110), (236, 112), (230, 110), (224, 112)]),
              fill=(90, 50, 30))
    d.ellipse(P([(216, 108), (222, 113)]), fill=(255, 160, 150))
    d.ellipse(P([(238, 108), (244, 113)]), fill=(255, 160, 150))
    # Custodian helmet.
    d.chord(P([(210, 40), (250, 110)]), 180, 360, fill=navy)
    d.rectangle(P([(210, 74), (250, 90)]), fill=navy)
    d.ellipse(P([(226, 36), (234, 44)]), fill=(200, 200, 210))
    d.rounded_rectangle(P([(206, 86), (254, 92)]), radius=2 * s, fill=(20, 24, 60))
    d.line(P([(218, 50), (216, 80)]), fill=navy_hi, width=2 * s)
    star = []
    for i in range(16):
        r = 7 if i % 2 == 0 else 4
        a = math.pi / 8 * i
        star.append((230 + r * math.sin(a), 69 - r * math.cos(a)))
    d.polygon(P(star), fill=(214, 218, 228))
    d.ellipse(P([(226.5, 65.5), (233.5, 72.5)]), fill=BRASS)
    d.ellipse(P([(228.5, 67.5), (231.5, 70.5)]), fill=navy)

    # Speech bubble.
    d.rounded_rectangle(P([(92, 4), (204, 32)]), radius=12 * s, fill=WHITE, outline=BLACK,
                        width=2 * s)
    d.polygon(P([(176, 30), (212, 62), (190, 30)]), fill=WHITE)
    d.line(P([(176, 31), (212, 62), (190, 31)]), fill=BLACK, width=2 * s)
    d.text(P([(148, 18)])[0], "Last orders!", font=font(SANS_BOLD, 14 * s), fill=(150, 20, 20),
           anchor="mm")
    return img.resize((w, h), Image.Resampling.LANCZOS)


# --- about panel ---------------------------------------------------------------

ABOUT_SIZE = (344, 169)
ABOUT_RULES = ("Six equal cans that fill a 2\u00d73 or 3\u00d72 rectangle clear away for "
               "500 points. Let the cans reach the top and you lose one of your three lives.")
ABOUT_KEYS = [("Left / Right", "move the can"), ("Down / Space", "drop it")]
ABOUT_LINK = "Click here to visit the Frothwick web page"


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
    w, h = ABOUT_SIZE
    img = wood_texture(ABOUT_SIZE, seed=55, base=scale_colour(WOOD, 0.5), plank=400, vertical=False)
    d = ImageDraw.Draw(img)
    brass_frame(d, (0, 0, w - 1, h - 1), 4)
    title = font(SERIF_BOLD, 20)
    body = font(SANS, 12)
    bold = font(SANS_BOLD, 12)
    engraved_text(d, (w // 2, 20), "Frothwick", title, BRASS_HI)
    d.line([(w // 2 - 90, 33), (w // 2 + 90, 33)], fill=BRASS_LO)
    y = 41
    for line in wrap(ABOUT_RULES, body, w - 28, d):
        d.text((w // 2, y), line, font=body, fill=CREAM, anchor="mt")
        y += 15
    y += 5
    for key, action in ABOUT_KEYS:
        d.text((w // 2 - 6, y), key + ":", font=bold, fill=AMBER, anchor="rt")
        d.text((w // 2 + 2, y), action, font=body, fill=CREAM, anchor="lt")
        y += 15
    link_font = font(SANS_BOLD, 12)
    link_y = h - 22
    d.text((w // 2, link_y), ABOUT_LINK, font=link_font, fill=AMBER, anchor="mt")
    lw = d.textlength(ABOUT_LINK, font=link_font)
    d.line([(w // 2 - lw / 2, link_y + 14), (w // 2 + lw / 2, link_y + 14)], fill=AMBER)
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


def make_tooltip_font():
    """Glyphs ' '..'~' side by side, each centred in its own cell so that the game can
    cut any one of them out cleanly."""
    cw, ch = TOOLTIP_CELL
    strip = Image.new("1", (cw * 95, ch), 1)
    fnt = font(MONO, 11)
    for i in range(95):
        cell = Image.new("1", (cw, ch), 1)
        d = ImageDraw.Draw(cell)
        d.fontmode = "1"
        left, _, right, _ = d.textbbox((0, 10), chr(32 + i), font=fnt, anchor="ls")
        d.text(((cw - (right - left)) // 2 - left, 10), chr(32 + i), font=fnt, fill=0, anchor="ls")
        strip.paste(cell, (i * cw, 0))
    out = Image.new("P", strip.size, 0)
    out.putpalette([0, 0, 0, 255, 255, 255])
    out.paste(1, mask=strip.convert("L"))
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

    for kind in range(len(CAN_KINDS)):
        for frame in range(CAN_FRAMES):
            save_gif(to_palette(can_frame(kind, frame), keep=[BLACK]),
                     out / f"can_{kind}_{frame}.gif")
    save_gif(to_palette(Image.new("RGB", CELL_SIZE, BLACK)), out / "empty_cell.gif")
    for part in OBSTACLE_EDGES:
        save_gif(to_palette(make_obstacle(part)), out / f"obstacle_{part}.gif")

    save_gif(to_palette(make_mug(True), keep=[PANEL]), out / "mug_full.gif")
    save_gif(to_palette(make_mug(False), keep=[PANEL]), out / "mug_empty.gif")
    make_cop().save(out / "cop.jpg", "JPEG", quality=90)
    save_gif(to_palette(make_about()), out / "about_text.gif")
    save_gif(make_hand_cursor(), out / "hand_cursor.gif")
    save_gif(make_app_icon(), out / "icon.gif")
    (out / "icons").mkdir(exist_ok=True)
    for size in (32, 48, 128):
        make_desktop_icon(size).save(out / "icons" / f"frothwick-{size}.png", optimize=True)
    save_gif(make_tooltip_font(), out / "tooltip_font.gif")

    write_wav(out / "burp.wav", at_loudness(make_burp()))
    write_wav(out / "siren.wav", at_loudness(make_siren()))


if __name__ == "__main__":
    default = Path(__file__).resolve().parent.parent / "assets"
    main(sys.argv[1] if len(sys.argv) > 1 else default)
