#!/usr/bin/env python3
"""Writes a page background: a 24-bit bottom-up BMP of dark brushed panels.

The picture is stretched over the whole page, so it carries no detail that
must line up with a control: a dark vertical gradient, a vignette, faint
horizontal brushing, and two raised panels (the title area on the left and
the controls area on the right) in the deliverable's tint, each with a soft
shadow and a thin lit top edge.

usage: make_background.py WIDTH HEIGHT R,G,B OUTPUT.bmp [SPLIT]
  R,G,B  tint of the panels (0..255 each), e.g. 60,120,200
  SPLIT  fraction of the width where the left panel ends (default 0.36)
"""
import math
import struct
import sys


def clamp(v):
    return 0 if v < 0 else 255 if v > 255 else int(v + 0.5)


def rounded_box_distance(x, y, left, top, right, bottom, radius):
    """Signed distance from (x, y) to a rounded rectangle: < 0 inside."""
    cx = (left + right) / 2.0
    cy = (top + bottom) / 2.0
    hx = (right - left) / 2.0 - radius
    hy = (bottom - top) / 2.0 - radius
    dx = abs(x - cx) - hx
    dy = abs(y - cy) - hy
    outside = math.hypot(max(dx, 0.0), max(dy, 0.0))
    inside = min(max(dx, dy), 0.0)
    return outside + inside - radius


def brushing(x, y):
    """A faint, repeatable grain along the rows (no random source)."""
    h = (y * 7919 + (x // 23) * 104729) % 1000
    return (h / 1000.0 - 0.5) * 5.0 + math.sin(y * 0.9) * 1.2


def pixel(x, y, width, height, tint, panels, radius):
    fy = y / max(height - 1, 1)
    fx = x / max(width - 1, 1)
    # Base: charcoal, slightly lighter at the top.
    base = 34.0 - 16.0 * fy
    vignette = 1.0 - 0.35 * ((fx - 0.5) ** 2 * 2.0 + (fy - 0.5) ** 2 * 1.2)
    r = g = b = base * vignette
    b += 4.0
    grain = brushing(x, y)
    r += grain
    g += grain
    b += grain
    for left, top, right, bottom in panels:
        d = rounded_box_distance(x + 0.5, y + 0.5, left, top, right, bottom, radius)
        # Soft shadow below and right of the panel.
        sd = rounded_box_distance(x + 0.5 - 2.0, y + 0.5 - 3.0, left, top, right, bottom, radius)
        if sd < 6.0:
            shade = 0.55 + 0.45 * max(min(sd / 6.0, 1.0), 0.0)
            r *= shade
            g *= shade
            b *= shade
        if d < 0.5:
            cover = min(max(0.5 - d, 0.0), 1.0)
            depth = (y - top) / max(bottom - top, 1.0)
            pr = 18.0 + tint[0] * (0.30 - 0.14 * depth)
            pg = 18.0 + tint[1] * (0.30 - 0.14 * depth)
            pb = 20.0 + tint[2] * (0.30 - 0.14 * depth)
            pr += grain * 0.6
            pg += grain * 0.6
            pb += grain * 0.6
            # Lit top edge and darker rim.
            if -2.5 < d <= 0.5:
                rim = 0.75
                pr *= rim
                pg *= rim
                pb *= rim
            if top + 0.5 <= y < top + 2.0 and d < -1.5:
                pr += tint[0] * 0.35
                pg += tint[1] * 0.35
                pb += tint[2] * 0.35
            r = r * (1.0 - cover) + pr * cover
            g = g * (1.0 - cover) + pg * cover
            b = b * (1.0 - cover) + pb * cover
    return clamp(r), clamp(g), clamp(b)


def write_bmp(path, width, height, rows):
    stride = (width * 3 + 3) & ~3
    image = bytearray()
    for y in range(height - 1, -1, -1):  # bottom-up
        row = rows[y]
        image += row
        image += b"\0" * (stride - len(row))
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(image), 0, 0, 14 + 40)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(image), 3780, 3780, 0, 0)
    with open(path, "wb") as out:
        out.write(header + info + image)


def main(argv):
    if len(argv) not in (5, 6):
        sys.stderr.write(__doc__)
        return 2
    width, height = int(argv[1]), int(argv[2])
    tint = [int(v) for v in argv[3].split(",")]
    split = float(argv[5]) if len(argv) == 6 else 0.36
    margin = max(height * 0.045, 4.0)
    radius = max(height * 0.06, 5.0)
    cut = width * split
    panels = [
        (margin, margin, cut - margin / 2.0, height - margin),
        (cut + margin / 2.0, margin, width - margin, height - margin),
    ]
    rows = []
    for y in range(height):
        row = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y, width, height, tint, panels, radius)
            row += bytes((b, g, r))
        rows.append(row)
    write_bmp(argv[4], width, height, rows)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
