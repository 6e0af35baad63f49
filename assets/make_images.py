#!/usr/bin/env python3
"""Draws every image Quorl loads at run time and writes them as PNG files.

    system/bitmap.png   bitmap font atlas (4 rows x 32 cells of 32 x 64 px)
    system/k4logo.png   wide title logo shown above the white band of the intro
    system/mwlogo.png   square emblem shown alone on black
    system/r.png        rocket pickup token
    system/rocket.png   flying rocket
    system/hole.png     blast shape (its alpha decides what a blast clears)
    patterns/*.png      line patterns: x runs across the line, y along it
    packaging/icons/quorl-*.png  the desktop icon: the emblem without label

The PNGs are committed, so playing never needs Python. Run this script
(from any folder) after changing it and commit the results. It only uses
Pillow and the DejaVu fonts, and its output is byte-for-byte repeatable.

    python3 assets/make_images.py [--sheet contact_sheet.png]
"""

import argparse
import ast
import math
import os
import random
import sys

try:
    from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont
except ImportError:
    # pyenv and venv interpreters usually lack Pillow; Debian's python3-pil
    # belongs to the system interpreter, so retry with that one.
    SYSTEM_PYTHON = "/usr/bin/python3"
    if os.path.exists(SYSTEM_PYTHON) and \
            os.path.realpath(sys.executable) != os.path.realpath(SYSTEM_PYTHON):
        os.execv(SYSTEM_PYTHON, [SYSTEM_PYTHON] + sys.argv)
    raise

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
FONT_DIR = "/usr/share/fonts/truetype/dejavu"
MONO_BOLD = os.path.join(FONT_DIR, "DejaVuSansMono-Bold.ttf")
SANS_BOLD = os.path.join(FONT_DIR, "DejaVuSans-Bold.ttf")

# One colour per player slot, in slot order; the logos reuse them.
PLAYER_COLOURS = {
    "red": (235, 50, 45),
    "green": (50, 205, 70),
    "blue": (60, 110, 255),
    "yellow": (250, 215, 30),
    "magenta": (225, 60, 220),
    "cyan": (35, 215, 230),
}


# --------------------------------------------------------------------------
# Small helpers


def font(path, size):
    return ImageFont.truetype(path, size)


def clamp8(v):
    return max(0, min(255, int(round(v))))


def scale_rgb(rgb, f):
    return tuple(clamp8(c * f) for c in rgb)


def mix(a, b, t):
    """Linear blend of two colours (t=0 gives a, t=1 gives b)."""
    return tuple(clamp8(x + (y - x) * t) for x, y in zip(a, b))


def radial_image(size, centre, radius, stops):
    """RGB image coloured by distance from centre, through (t, rgb) stops."""
    w, h = size
    img = Image.new("RGB", size)
    px = img.load()
    cx, cy = centre
    for y in range(h):
        for x in range(w):
            t = math.hypot(x + 0.5 - cx, y + 0.5 - cy) / radius
            px[x, y] = gradient_at(stops, t)
    return img


def gradient_at(stops, t):
    """Colour at t along a piecewise-linear list of (t, rgb) stops."""
    if t <= stops[0][0]:
        return stops[0][1]
    for (t0, c0), (t1, c1) in zip(stops, stops[1:]):
        if t <= t1:
            return mix(c0, c1, (t - t0) / (t1 - t0))
    return stops[-1][1]


def rgba(rgb_img, alpha):
    out = rgb_img.convert("RGBA")
    out.putalpha(alpha)
    return out


def add_glow(base, layer, radius, strength):
    """Composites a blurred copy of layer's colours under layer itself."""
    glow = layer.filter(ImageFilter.GaussianBlur(radius))
    if strength != 1.0:
        a = glow.getchannel("A").point(lambda v: clamp8(v * strength))
        glow.putalpha(a)
    base.alpha_composite(glow)
    base.alpha_composite(layer)


# --------------------------------------------------------------------------
# Trails: the game's lines, as used by both logos


def trail_path(start, heading_deg, moves, step=1.0):
    """Points of a line that steers like a player: each move is
    (length, total turn in degrees), the turn spread evenly over the
    length, so a non-zero turn is a circular arc."""
    x, y = start
    heading = math.radians(heading_deg)
    points = [(x, y)]
    for length, turn in moves:
        n = max(1, int(length / step))
        dturn = math.radians(turn) / n
        dlen = length / n
        for _ in range(n):
            heading += dturn
            x += math.cos(heading) * dlen
            y += math.sin(heading) * dlen
            points.append((x, y))
    return points


def split_gaps(points, run, gap, phase=0.0):
    """Cuts a path into drawn runs separated by gaps, measured in path
    length: the game's lines leave short holes every so often."""
    pieces, current = [], []
    travelled = phase
    period = run + gap
    prev = points[0]
    for p in points:
        travelled += math.dist(prev, p)
        prev = p
        if travelled % period < run:
            current.append(p)
        elif current:
            pieces.append(current)
            current = []
    if current:
        pieces.append(current)
    return [piece for piece in pieces if len(piece) > 1]


def draw_tube(draw, piece, width, colour):
    """A line piece with round ends, a darker rim and a bright core.
    Each layer is stamped as a disc per point plus a bar per step, because
    Pillow's wide polylines leave hairline cracks at their joints."""
    rim = scale_rgb(colour, 0.6)
    core = mix(colour, (255, 255, 255), 0.45)
    for w, c in ((width, rim), (width * 0.72, colour), (width * 0.28, core)):
        fill = c + (255,)
        r = w / 2
        for a, b in zip(piece, piece[1:]):
            draw.line((a, b), fill=fill, width=max(1, round(w)))
        for x, y in piece:
            draw.ellipse((x - r, y - r, x + r, y + r), fill=fill)


def draw_trail(layer, points, width, colour, run, gap, phase=0.0, head=True):
    draw = ImageDraw.Draw(layer)
    for piece in split_gaps(points, run, gap, phase):
        draw_tube(draw, piece, width, colour)
    if head:
        x, y = points[-1]
        r = width * 0.75
        draw.ellipse((x - r, y - r, x + r, y + r),
                     fill=mix(colour, (255, 255, 255), 0.8) + (255,))


def scaled(points, f):
    return [(x * f, y * f) for x, y in points]


# --------------------------------------------------------------------------
# 1. Bitmap font

CELL_W, CELL_H = 32, 64
FONT_SIZE = 46     # one size for every glyph; the widest (W, M, @, m) fit
BASELINE = 48      # pixels from the cell top; leaves 16 px for descenders
EDGE = 2           # ink keeps this far from cell edges (1 px stays clear)



def font_rows():
    """The font's rows as an image viewer shows the atlas, top to bottom, read
    from the game's own list (core/glyph_rows.inc: one C string literal a
    line). The game flips images on load, so it numbers these rows from the
    bottom up."""
    path = os.path.join(ROOT, "core", "glyph_rows.inc")
    with open(path, encoding="utf-8") as rows:
        return [ast.literal_eval(line.strip()[2:-1]) for line in rows
                if line.startswith('u8"')]


FONT_ROWS = font_rows()


def glyph_mask(fnt, ch):
    """The glyph's coverage in a 32 x 64 cell: pen on the shared baseline,
    advance centred in the cell, nudged inwards if the ink would reach
    closer than EDGE pixels to a cell edge."""
    pad = CELL_W
    canvas = Image.new("L", (CELL_W + 2 * pad, CELL_H), 0)
    x = pad + (CELL_W - fnt.getlength(ch)) / 2
    ImageDraw.Draw(canvas).text((x, BASELINE), ch, font=fnt, fill=255,
                                anchor="ls")
    bbox = canvas.getbbox()
    if bbox is None:
        return Image.new("L", (CELL_W, CELL_H), 0)
    left, top, right, bottom = bbox
    if right - left > CELL_W - 2 * EDGE or top < EDGE or \
            bottom > CELL_H - EDGE:
        raise ValueError(f"glyph {ch!r} does not fit its cell at size "
                         f"{FONT_SIZE}: ink box {bbox}")
    shift = 0
    if left - pad < EDGE:
        shift = EDGE - (left - pad)
    elif right - pad > CELL_W - EDGE:
        shift = (CELL_W - EDGE) - (right - pad)
    return canvas.crop((pad - shift, 0, pad - shift + CELL_W, CELL_H))


def make_bitmap_font():
    fnt = font(MONO_BOLD, FONT_SIZE)
    atlas = Image.new("RGBA", (32 * CELL_W, 4 * CELL_H), (255, 255, 255, 0))
    alpha = Image.new("L", atlas.size, 0)
    for row, chars in enumerate(FONT_ROWS):
        assert len(chars) <= 32, chars
        for col, ch in enumerate(chars):
            alpha.paste(glyph_mask(fnt, ch), (col * CELL_W, row * CELL_H))
    atlas.putalpha(alpha)
    return atlas


# --------------------------------------------------------------------------
# 2. Wide title logo

def arena_background(size, ss):
    """Dark blue-black arena with a faint floor grid."""
    w, h = size
    small = radial_image((w // 8, h // 8), (w / 16, h / 16 - 4), w / 12,
                         [(0.0, (26, 32, 58)), (0.6, (13, 16, 32)),
                          (1.0, (5, 6, 12))])
    bg = small.resize((w * ss, h * ss), Image.BICUBIC).convert("RGBA")
    grid = Image.new("RGBA", bg.size, (0, 0, 0, 0))
    d = ImageDraw.Draw(grid)
    step = 32 * ss
    for x in range(0, w * ss + 1, step):
        d.line((x, 0, x, h * ss), fill=(90, 110, 170, 22), width=ss)
    for y in range(0, h * ss + 1, step):
        d.line((0, y, w * ss, y), fill=(90, 110, 170, 22), width=ss)
    bg.alpha_composite(grid)
    return bg


LOGO_TRAILS = [
    # colour, start, heading, moves ((length, turn degrees), ...)
    ("red", (-20, 70), 10, [(180, 0), (160, 80), (120, -150), (200, 40)]),
    ("yellow", (1040, 40), 170, [(140, 0), (200, -60), (150, 120),
                                 (90, 0)]),
    ("cyan", (-20, 330), -15, [(150, 0), (170, 70), (150, -170),
                               (110, 60)]),
    ("green", (1040, 300), 195, [(120, 0), (140, 90), (160, -120),
                                 (110, 0)]),
    ("magenta", (380, 530), -80, [(60, 0), (180, -110), (140, 160),
                                  (60, 0)]),
    ("blue", (700, 530), -100, [(70, 0), (150, 120), (170, -140)]),
]


def logo_trails(size, ss):
    layer = Image.new("RGBA", (size[0] * ss, size[1] * ss), (0, 0, 0, 0))
    for i, (name, start, heading, moves) in enumerate(LOGO_TRAILS):
        pts = scaled(trail_path(start, heading, moves), ss)
        draw_trail(layer, pts, 9 * ss, PLAYER_COLOURS[name],
                   run=150 * ss, gap=14 * ss, phase=37 * i * ss)
    return layer


def text_mask(size, xy, text, fnt, anchor="mm", stroke=0):
    mask = Image.new("L", size, 0)
    ImageDraw.Draw(mask).text(xy, text, font=fnt, fill=255, anchor=anchor,
                              stroke_width=stroke, stroke_fill=255)
    return mask


def vertical_gradient(size, top, bottom):
    col = Image.new("RGB", (1, size[1]))
    for y in range(size[1]):
        col.putpixel((0, y), mix(top, bottom, y / max(1, size[1] - 1)))
    return col.resize(size)


def draw_title(canvas, ss, text, centre, size_px):
    """Big gradient letters with a dark outline, drop shadow and blue glow."""
    size = canvas.size
    fnt = font(SANS_BOLD, size_px * ss)
    xy = (centre[0] * ss, centre[1] * ss)
    fill = text_mask(size, xy, text, fnt)
    outline = text_mask(size, xy, text, fnt, stroke=6 * ss)

    glow = Image.new("RGBA", size, (70, 130, 255, 0))
    glow.putalpha(outline.filter(ImageFilter.GaussianBlur(18 * ss))
                  .point(lambda v: clamp8(v * 0.9)))
    canvas.alpha_composite(glow)

    shadow = Image.new("RGBA", size, (0, 0, 0, 0))
    shadow.putalpha(ImageChops.offset(outline, 5 * ss, 7 * ss)
                    .filter(ImageFilter.GaussianBlur(4 * ss))
                    .point(lambda v: clamp8(v * 0.8)))
    canvas.alpha_composite(shadow)

    canvas.alpha_composite(rgba(Image.new("RGB", size, (10, 12, 26)),
                                outline))
    bbox = fill.getbbox()
    grad = vertical_gradient(size, (255, 255, 255), (255, 255, 255))
    top, bottom = bbox[1], bbox[3]
    band = vertical_gradient((size[0], bottom - top), (255, 255, 255),
                             (150, 190, 255))
    grad.paste(band, (0, top))
    grad.paste((150, 190, 255), (0, bottom, size[0], size[1]))
    canvas.alpha_composite(rgba(grad, fill))


def white_floor(canvas, ss, top):
    """The arena fades to white from `top` down to the bottom edge, where the
    intro's white band carries it on below: the band is the logo's floor."""
    w, h = canvas.size
    fade = Image.new("L", (1, h), 0)
    for y in range(top * ss, h):
        t = (y - top * ss) / max(1, h - 1 - top * ss)
        fade.putpixel((0, y), clamp8(255 * (t * t * (3 - 2 * t))))
    canvas.alpha_composite(rgba(Image.new("RGB", (w, h), (255, 255, 255)),
                                fade.resize((w, h))))


def floor_trails(canvas, ss, top, bottom):
    """The six player colours running down into the white floor, three by
    each side of the subtitle, their heads just above the band."""
    layer = Image.new("RGBA", canvas.size, (0, 0, 0, 0))
    for i, name in enumerate(PLAYER_COLOURS):
        x = 52 + i * 72 if i < 3 else 828 + (i - 3) * 72
        pts = [(x + 18 * math.sin((y - top) / 22.0 + i), y)
               for y in range(top, bottom + 1 - 7 * i % 20, 2)]
        draw_trail(layer, scaled(pts, ss), 8 * ss, PLAYER_COLOURS[name],
                   run=70 * ss, gap=12 * ss, phase=23 * i * ss)
    canvas.alpha_composite(layer)


def make_title_logo():
    size, ss = (1024, 512), 2
    canvas = arena_background(size, ss)
    add_glow(canvas, logo_trails(size, ss), 7 * ss, 0.9)
    draw_title(canvas, ss, "QUORL", (512, 200), 230)
    white_floor(canvas, ss, 320)
    floor_trails(canvas, ss, 380, 496)
    sub = font(SANS_BOLD, 30 * ss)
    sub_xy = (512 * ss, 468 * ss)
    sub_text = "a game of lines for 2 to 6 players"
    canvas.alpha_composite(rgba(Image.new("RGB", canvas.size, (18, 22, 44)),
                                text_mask(canvas.size, sub_xy, sub_text,
                                          sub)))
    return canvas.resize(size, Image.LANCZOS)


# --------------------------------------------------------------------------
# 3. Square emblem

def make_emblem_logo(label=True):
    """The square emblem; without its label (for the desktop icon, where
    the word would be too small to read) the Q moves to the centre."""
    size, ss = 512, 4
    big = size * ss
    c = big / 2
    emblem = Image.new("RGBA", (big, big), (0, 0, 0, 0))

    # Dark disc with a light metal rim.
    body = radial_image((128, 128), (64, 56), 64,
                        [(0.0, (34, 42, 78)), (0.7, (14, 17, 34)),
                         (1.0, (6, 7, 14))]).resize((big, big), Image.BICUBIC)
    d = ImageDraw.Draw(emblem)
    r = 246 * ss
    d.ellipse((c - r, c - r, c + r, c + r), fill=(190, 200, 225, 255))
    r = 236 * ss
    d.ellipse((c - r, c - r, c + r, c + r), fill=(40, 46, 70, 255))
    r = 230 * ss
    inner = Image.new("L", (big, big), 0)
    ImageDraw.Draw(inner).ellipse((c - r, c - r, c + r, c + r), fill=255)
    emblem.paste(body, (0, 0), inner)

    # The Q: a ring of six trail arcs, one per player colour, with gaps,
    # and a white trail for its tail that curls out past the ring.
    drop = 0 if label else 30
    ring_r, qc = 120, (256, 226 + drop)
    trails = Image.new("RGBA", (big, big), (0, 0, 0, 0))
    for i, name in enumerate(PLAYER_COLOURS):
        a0 = -90 + i * 60 + 5
        start = (qc[0] + ring_r * math.cos(math.radians(a0)),
                 qc[1] + ring_r * math.sin(math.radians(a0)))
        pts = trail_path(start, a0 + 90, [(ring_r * math.radians(50), 50)])
        draw_trail(trails, scaled(pts, ss), 26 * ss, PLAYER_COLOURS[name],
                   run=1e9, gap=1, head=False)
    tail = trail_path((292, 262 + drop), 42, [(60, 0), (80, -40)])
    draw_trail(trails, scaled(tail, ss), 24 * ss, (235, 238, 250),
               run=92 * ss, gap=12 * ss, head=True)
    add_glow(emblem, clip_alpha(trails, inner), 10 * ss, 1.0)

    if label:
        emblem.alpha_composite(rgba(Image.new("RGB", (big, big), (215, 225, 245)),
                                    text_mask((big, big), (c, 420 * ss), "QUORL",
                                              font(SANS_BOLD, 44 * ss))))
    return emblem.resize((size, size), Image.LANCZOS)


def clip_alpha(layer, mask):
    out = layer.copy()
    out.putalpha(ImageChops.multiply(layer.getchannel("A"), mask))
    return out


# --------------------------------------------------------------------------
# 4. Line patterns (x across the line, y along the direction of travel)

PATTERN_W = 16


def across_shade(x):
    """Brightness across the line: full in the middle, darker at the rims,
    so a line reads as a rounded tube."""
    s = (x + 0.5) / PATTERN_W
    return 0.62 + 0.38 * math.sin(math.pi * s)


def along_shade(y, height):
    """A soft band repeating once per tile, so a moving line visibly flows."""
    return 1.0 + 0.14 * math.cos(2 * math.pi * (y + 0.5) / height)


def solid_pattern(rgb, height=32):
    img = Image.new("RGBA", (PATTERN_W, height))
    px = img.load()
    for y in range(height):
        for x in range(PATTERN_W):
            f = across_shade(x) * along_shade(y, height)
            px[x, y] = scale_rgb(rgb, f) + (255,)
    return img


def striped_pattern():
    """Orange with a see-through stripe across the line in every tile:
    the stripe rows have alpha 0, so other lines can pass through them."""
    height, hole = 48, 16
    img = solid_pattern((255, 140, 30), height)
    ImageDraw.Draw(img).rectangle((0, height - hole, PATTERN_W - 1,
                                   height - 1), fill=(0, 0, 0, 0))
    return img


def rainbow_pattern():
    height = 64
    img = Image.new("RGBA", (PATTERN_W, height))
    px = img.load()
    for y in range(height):
        rgb = hue_rgb(y / height)
        for x in range(PATTERN_W):
            px[x, y] = scale_rgb(rgb, across_shade(x)) + (255,)
    return img


def hue_rgb(h):
    """Fully saturated colour at hue h in [0, 1)."""
    h6 = (h % 1.0) * 6
    i, f = int(h6), h6 - int(h6)
    rgb = [(1, f, 0), (1 - f, 1, 0), (0, 1, f),
           (0, 1 - f, 1), (f, 0, 1), (1, 0, 1 - f)][i]
    return tuple(clamp8(c * 255) for c in rgb)


def white_pattern():
    """White with only a hint of the tube shading so it stays white."""
    height = 32
    img = Image.new("RGBA", (PATTERN_W, height))
    px = img.load()
    for y in range(height):
        for x in range(PATTERN_W):
            f = 0.85 + 0.15 * across_shade(x) * along_shade(y, height)
            px[x, y] = scale_rgb((255, 255, 255), f) + (255,)
    return img


# --------------------------------------------------------------------------
# 5-7. Sprites

def make_pickup():
    """Golden glowing token with a dark R."""
    size, ss = 32, 8
    big = size * ss
    c = big / 2
    img = Image.new("RGBA", (big, big), (0, 0, 0, 0))
    halo = Image.new("RGBA", (big, big), (255, 190, 60, 0))
    halo_mask = Image.new("L", (big, big), 0)
    r = 13 * ss
    ImageDraw.Draw(halo_mask).ellipse((c - r, c - r, c + r, c + r), fill=200)
    halo.putalpha(halo_mask.filter(ImageFilter.GaussianBlur(1.6 * ss)))
    img.alpha_composite(halo)

    r = 13 * ss
    face = radial_image((big, big), (c - 3 * ss, c - 4 * ss), 15 * ss,
                        [(0.0, (255, 250, 200)), (0.45, (255, 205, 60)),
                         (0.85, (230, 130, 20)), (1.0, (170, 80, 10))])
    mask = Image.new("L", (big, big), 0)
    ImageDraw.Draw(mask).ellipse((c - r, c - r, c + r, c + r), fill=255)
    img.paste(face, (0, 0), mask)
    ring = ImageDraw.Draw(img)
    ring.ellipse((c - r, c - r, c + r, c + r), outline=(120, 50, 0, 255),
                 width=int(1.2 * ss))
    letter = text_mask((big, big), (c, c + 0.5 * ss), "R",
                       font(SANS_BOLD, 19 * ss))
    img.alpha_composite(rgba(Image.new("RGB", (big, big), (90, 30, 0)),
                             letter))
    return img.resize((size, size), Image.LANCZOS)


def make_rocket():
    """Bright round projectile: white-hot core inside a ragged flame ring."""
    size, ss = 16, 16
    big = size * ss
    c = big / 2
    img = Image.new("RGBA", (big, big), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    spikes = 10
    outer, inner = 7.8 * ss, 5.6 * ss
    star = []
    for i in range(spikes * 2):
        a = math.pi * i / spikes
        r = outer if i % 2 == 0 else inner
        star.append((c + r * math.cos(a), c + r * math.sin(a)))
    d.polygon(star, fill=(235, 60, 20, 255))
    body = radial_image((big, big), (c, c), 6 * ss,
                        [(0.0, (255, 255, 255)), (0.35, (255, 250, 190)),
                         (0.7, (255, 190, 40)), (1.0, (255, 120, 20))])
    mask = Image.new("L", (big, big), 0)
    r = 5.6 * ss
    ImageDraw.Draw(mask).ellipse((c - r, c - r, c + r, c + r), fill=255)
    img.paste(body, (0, 0), mask)
    return img.resize((size, size), Image.LANCZOS)


def make_hole():
    """A disc touching all four edges. Alpha is strictly 0 or 255 because
    it selects the pixels a blast clears; the colours show a scorch mark."""
    size = 64
    rng = random.Random(1234)
    noise = Image.new("L", (16, 16))
    noise.putdata([rng.randrange(256) for _ in range(16 * 16)])
    noise = noise.resize((size, size), Image.BICUBIC).load()
    img = Image.new("RGBA", (size, size), (0, 0, 0, 0))
    px = img.load()
    c = size / 2
    stops = [(0.0, (255, 245, 200)), (0.25, (255, 190, 70)),
             (0.55, (220, 90, 20)), (0.8, (110, 35, 10)),
             (1.0, (40, 18, 10))]
    for y in range(size):
        for x in range(size):
            d = math.hypot(x + 0.5 - c, y + 0.5 - c)
            if d <= c:
                t = d / c + (noise[x, y] - 128) / 900
                px[x, y] = gradient_at(stops, t) + (255,)
    return img


# --------------------------------------------------------------------------
# Output

ICON_SIZES = (48, 128, 256)   # the hicolor icon sizes the package installs


def all_images():
    images = {
        "system/bitmap.png": make_bitmap_font(),
        "system/k4logo.png": make_title_logo(),
        "system/mwlogo.png": make_emblem_logo(),
        "system/r.png": make_pickup(),
        "system/rocket.png": make_rocket(),
        "system/hole.png": make_hole(),
    }
    for name, rgb in PLAYER_COLOURS.items():
        images[f"patterns/{name}.png"] = solid_pattern(rgb)
    images["patterns/striped.png"] = striped_pattern()
    images["patterns/rainbow.png"] = rainbow_pattern()
    images["patterns/white.png"] = white_pattern()
    return images


def icon_images():
    """The desktop icon in the sizes the package installs, each scaled
    down from the emblem at full size so that small ones stay crisp."""
    emblem = make_emblem_logo(label=False)
    return {f"packaging/icons/quorl-{n}.png": emblem.resize((n, n), Image.LANCZOS)
            for n in ICON_SIZES}


def save_png(img, path):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    # No pnginfo is passed, so Pillow writes no text or time chunks.
    img.convert("RGBA").save(path, format="PNG", optimize=True)


def checkerboard(size, cell=8):
    img = Image.new("RGBA", size, (150, 150, 150, 255))
    d = ImageDraw.Draw(img)
    for y in range(0, size[1], cell):
        for x in range((y // cell) % 2 * cell, size[0], cell * 2):
            d.rectangle((x, y, x + cell - 1, y + cell - 1),
                        fill=(105, 105, 105, 255))
    return img


def contact_sheet(images):
    """All images on a checkerboard, small ones enlarged, with file names."""
    label_font = font(SANS_BOLD, 14)
    tiles = []
    for name, img in images.items():
        zoom = max(1, min(8, 128 // max(img.size)))
        tiles.append((name, img.resize((img.width * zoom, img.height * zoom),
                                       Image.NEAREST), zoom))
    width, pad = 1100, 16
    x, y, row_h = pad, pad, 0
    placed = []
    for name, tile, zoom in tiles:
        if x + max(tile.width, 190) > width - pad:
            x, y, row_h = pad, y + row_h + 24 + pad, 0
        placed.append((name, tile, zoom, x, y))
        x += max(tile.width, 190) + pad
        row_h = max(row_h, tile.height)
    sheet = checkerboard((width, y + row_h + 24 + pad))
    d = ImageDraw.Draw(sheet)
    for name, tile, zoom, x, y in placed:
        sheet.alpha_composite(tile, (x, y))
        d.text((x, y + tile.height + 4), f"{name} x{zoom}", font=label_font,
               fill=(255, 255, 255, 255))
    return sheet


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--sheet", metavar="PATH",
                        help="also write a contact sheet of all images")
    args = parser.parse_args()
    images = {**all_images(), **icon_images()}
    for rel, img in images.items():
        save_png(img, os.path.join(ROOT, rel))
        print(f"wrote {rel} ({img.width} x {img.height})")
    if args.sheet:
        save_png(contact_sheet(images), os.path.abspath(args.sheet))
        print(f"wrote contact sheet {args.sheet}")


if __name__ == "__main__":
    main()
