#!/usr/bin/env python3
"""Draws Tessellar's icon (a tessellation of triangles with a check mark) as PNG files:
data/icons/tessellar-SIZE.png, in the sizes window managers show (16 to 64) and the desktop's
launchers use (256)."""
import math
import pathlib
import struct
import zlib

COLOURS = [(44, 94, 168), (70, 140, 210), (240, 160, 40), (110, 180, 235)]


def pixel(x, y):
    """Colour at (x, y) of a picture 1 unit wide: RGBA."""
    # rounded square
    r = 0.16
    cx, cy = min(max(x, r), 1 - r), min(max(y, r), 1 - r)
    if (x - cx) ** 2 + (y - cy) ** 2 > r * r:
        return (0, 0, 0, 0)
    # check mark: two thick strokes
    def near(ax, ay, bx, by, width):
        dx, dy = bx - ax, by - ay
        t = max(0, min(1, ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)))
        return math.hypot(x - (ax + t * dx), y - (ay + t * dy)) < width
    if near(0.25, 0.52, 0.43, 0.70, 0.075) or near(0.43, 0.70, 0.77, 0.30, 0.075):
        return (255, 255, 255, 255)
    # triangles: each cell of a 4 x 4 grid split along its diagonal
    gx, gy = x * 4, y * 4
    cell_x, cell_y = int(gx), int(gy)
    upper = (gx - cell_x) + (gy - cell_y) < 1
    index = (cell_x + cell_y * 3 + (0 if upper else 1)) % len(COLOURS)
    return COLOURS[index] + (255,)


def png(size, pixel=pixel):
    """A square RGBA PNG of `size` pixels drawn by pixel(x, y), x and y from 0 to 1."""
    rows = bytearray()
    samples = 4  # 4 x 4 supersampling for smooth edges
    for y in range(size):
        rows.append(0)
        for x in range(size):
            acc = [0, 0, 0, 0]
            for sy in range(samples):
                for sx in range(samples):
                    c = pixel((x + (sx + .5) / samples) / size, (y + (sy + .5) / samples) / size)
                    for i in range(3):
                        acc[i] += c[i] * c[3]
                    acc[3] += c[3]
            alpha = acc[3] / samples ** 2
            colour = [int(acc[i] / acc[3]) if acc[3] else 0 for i in range(3)]
            rows += bytes(colour + [int(alpha)])

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(bytes(rows), 9)) + chunk(b"IEND", b""))


if __name__ == "__main__":
    folder = pathlib.Path(__file__).resolve().parent.parent / "data" / "icons"
    folder.mkdir(parents=True, exist_ok=True)
    for size in (16, 32, 48, 64, 256):
        (folder / f"tessellar-{size}.png").write_bytes(png(size))
