# Compares the game's picture as a window shows it scaled with the same picture shown at its
# own size (1024 x 768): the scaled window's client area is scaled back and must match within
# the error of the filtering.
#   scaled.py SHOT LEFT TOP WIDTH HEIGHT PLAIN_SHOT PLAIN_LEFT PLAIN_TOP
# Prints the mean difference per channel and exits 0 when it is small.
import sys
from PIL import Image, ImageChops, ImageStat

shot, left, top, width, height = sys.argv[1], *map(int, sys.argv[2:6])
plain, plain_left, plain_top = sys.argv[6], int(sys.argv[7]), int(sys.argv[8])
# The picture keeps its aspect, centred in the client area with black beside or above it.
if width * 768 <= height * 1024:
    w, h = width, width * 768 // 1024
else:
    w, h = height * 1024 // 768, height
x, y = left + (width - w) // 2, top + (height - h) // 2
scaled = Image.open(shot).convert("RGB").crop((x, y, x + w, y + h)).resize((1024, 768),
                                                                            Image.BILINEAR)
original = Image.open(plain).convert("RGB").crop((plain_left, plain_top, plain_left + 1024,
                                                  plain_top + 768))
diff = ImageStat.Stat(ImageChops.difference(scaled, original)).mean
mean = sum(diff) / 3
print(f"picture {w}x{h} at {x - left},{y - top}: mean difference {mean:.2f} per channel")
sys.exit(0 if mean < 8 else 1)
