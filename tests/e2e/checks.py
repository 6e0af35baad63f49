# Pixel checks on the game window's (or the setup window's) part of a screenshot, in window
# coordinates, y down:
#   checks.py SHOT LEFT TOP CHECK   exit code 0 when the screen passes CHECK
#   checks.py SHOT LEFT TOP trail   prints the number of pixels of both lines
# The check "rings" passes while both lines go round in circles: a round under way in which the
# red and the cyan line each span 30 to 90 pixels both ways and leave the middle of their span
# empty. A straight line always passes through the middle of its span.
import sys
from PIL import Image, ImageChops

shot, left, top, check = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), sys.argv[4]
window = Image.open(shot).convert("RGB").crop((left, top, left + 1024, top + 768))

def mask_of(box, red, green, blue):
    """255 where the box's (x0, y0, x1, y1) channels lie in the inclusive (low, high) ranges."""
    bands = window.crop(box).split()
    mask = None
    for band, (low, high) in zip(bands, (red, green, blue)):
        part = band.point([255 if low <= v <= high else 0 for v in range(256)])
        mask = part if mask is None else ImageChops.darker(mask, part)
    return mask

def count(box, red, green, blue):
    """Pixels of the box whose channels lie in the inclusive (low, high) ranges."""
    return mask_of(box, red, green, blue).histogram()[255]

def ring(red, green, blue):
    """Whether the arena's pixels of one colour span 30 to 90 pixels both ways around an empty
    middle."""
    mask = mask_of(ARENA, red, green, blue)
    span = mask.getbbox()
    if span is None:
        return False
    width, height = span[2] - span[0], span[3] - span[1]
    x, y = (span[0] + span[2]) // 2, (span[1] + span[3]) // 2
    middle = mask.crop((x - 3, y - 3, x + 4, y + 4)).histogram()[255]
    return 30 <= width <= 90 and 30 <= height <= 90 and middle == 0

def share(box, red, green, blue):
    return count(box, red, green, blue) / ((box[2] - box[0]) * (box[3] - box[1]))

WINDOW, ARENA, PANEL = (0, 0, 1024, 768), (0, 0, 768, 768), (768, 0, 1024, 768)
BAND, PROMPT, BOTTOM = (0, 300, 768, 468), (8, 4, 232, 44), (0, 512, 1024, 768)
SETUP_BUTTONS, SETUP_PLAYERS = (0, 0, 520, 45), (0, 90, 1024, 700)
SETUP_HEADLINE = (0, 60, 1024, 100)
white, bright_white = (201, 255), (241, 255)
grey = (73, 79)
RED, CYAN = ((151, 255), (0, 99), (0, 99)), ((0, 99), (151, 255), (151, 255))
f = {
    "prompt text": count(PROMPT, white, white, white),
    "panel grey": share(PANEL, grey, grey, grey),
    "panel text": count(PANEL, white, white, white),
    "band grey": share(BAND, grey, grey, grey),
    "band text": count(BAND, white, white, white),
    "bottom white": share(BOTTOM, bright_white, bright_white, bright_white),
    "dark": share(WINDOW, (0, 40), (0, 40), (0, 40)),
    "arena background": share(ARENA, (8, 16), (8, 16), (16, 24)),
    "red": count(ARENA, *RED),
    "cyan": count(ARENA, *CYAN),
    # quorl-setup: its buttons along the top, the red of a refusal or problem note, and the gold
    # of the winner's name after a match.
    "setup buttons": count(SETUP_BUTTONS, (30, 42), (64, 76), (104, 116)),
    "setup notes": count(SETUP_PLAYERS, (245, 255), (100, 120), (80, 100)),
    "setup waiting": count(SETUP_PLAYERS, (195, 205), (135, 145), (25, 35)),
    "setup winner": count(SETUP_HEADLINE, (245, 255), (200, 220), (80, 100)),
}
if check == "trail":
    print(f["red"] + f["cyan"])
    sys.exit(0)
ok = {
    # The intro at any moment: the prompt top left, some logo, neither arena nor score panel.
    "intro": f["prompt text"] > 150 and f["dark"] < 0.95 and f["arena background"] < 0.3
    and f["panel grey"] < 0.3,
    # The intro while its white band fills the bottom 256 rows.
    "intro-band": f["prompt text"] > 150 and f["bottom white"] > 0.98,
    # A round under way: grey panel with the board, the arena, both lines lit, no banner.
    "running": f["panel grey"] > 0.8 and f["panel text"] > 300 and f["band grey"] < 0.3
    and f["arena background"] > 0.9 and f["red"] > 20 and f["cyan"] > 20,
    # The game scene, a round under way or over: the board beside the arena.
    "game": f["panel grey"] > 0.8 and f["panel text"] > 300,
    # A round under way in which both lines circle (see "rings" above).
    "rings": f["panel grey"] > 0.8 and f["panel text"] > 300 and f["band grey"] < 0.3
    and ring(*RED) and ring(*CYAN),
    # A round over: the grey banner with its text across the arena, the board beside it.
    "over": f["band grey"] > 0.7 and f["band text"] > 500 and f["panel grey"] > 0.8
    and f["panel text"] > 300,
    # The setup window drawn, with no red note among the players.
    "setup": f["setup buttons"] > 1500 and f["setup notes"] == 0,
    # The setup window with a key's button waiting for the key to bind.
    "setup-waiting": f["setup buttons"] > 1500 and f["setup waiting"] > 500,
    # The setup window with a red note among the players.
    "setup-note": f["setup buttons"] > 2000 and f["setup notes"] > 30,
    # The setup window naming the winner of the match just played.
    "setup-result": f["setup buttons"] > 2000 and f["setup winner"] > 200,
}[check]
print(shot, check, "yes" if ok else "no:", ", ".join(f"{k} {v:.3g}" for k, v in f.items()))
sys.exit(0 if ok else 1)
