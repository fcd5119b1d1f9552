#!/usr/bin/env python3
"""Writes the probe page's background: a 24-bit bottom-up bitmap of 572 x 169
pixels in four flat quarters (top left red, top right green, bottom left blue,
bottom right grey), so that a stretched copy can be checked by sampling."""
import struct
import sys

WIDTH, HEIGHT = 572, 169
QUARTERS = {  # (right half, bottom half): (blue, green, red)
    (False, False): (40, 40, 200),
    (True, False): (40, 180, 40),
    (False, True): (200, 60, 30),
    (True, True): (128, 128, 128),
}


def main(path):
    row_bytes = (WIDTH * 3 + 3) & ~3
    rows = []
    for y in range(HEIGHT - 1, -1, -1):  # bottom-up
        row = bytearray()
        for x in range(WIDTH):
            row += bytes(QUARTERS[(x >= WIDTH // 2, y >= HEIGHT // 2)])
        row += b"\0" * (row_bytes - len(row))
        rows.append(bytes(row))
    pixels = b"".join(rows)
    info = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 24, 0, len(pixels), 3780, 3780, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    with open(path, "wb") as out:
        out.write(header + info + pixels)


if __name__ == "__main__":
    main(sys.argv[1])
