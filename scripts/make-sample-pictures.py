#!/usr/bin/env python3
"""Draws the pictures of the sample quizzes and writes them as GIF files.

The pictures are drawn from simple shapes here, so the repository holds their source;
run this script to make data/quizzes/fuji.gif and data/quizzes/img/torii.gif again.
"""
import math
import pathlib
import struct

WIDTH, HEIGHT = 240, 160


def gif_bytes(pixels, palette):
    """GIF87a with literal-only LZW codes: simple and valid, if not small."""
    min_code = 4  # up to 16 colours
    clear, end = 1 << min_code, (1 << min_code) + 1
    width_bits = min_code + 1
    codes = []
    run = 0
    for value in pixels:
        if run == 0:
            codes.append(clear)
        codes.append(value)
        run = (run + 1) % ((1 << min_code) - 3)
    codes.append(end)
    stream, acc, nbits = bytearray(), 0, 0
    for code in codes:
        acc |= code << nbits
        nbits += width_bits
        while nbits >= 8:
            stream.append(acc & 0xFF)
            acc >>= 8
            nbits -= 8
    if nbits:
        stream.append(acc & 0xFF)
    blocks = bytearray()
    for i in range(0, len(stream), 255):
        chunk = stream[i:i + 255]
        blocks += bytes([len(chunk)]) + chunk
    colours = palette + [(0, 0, 0)] * (16 - len(palette))
    out = bytearray(b"GIF87a")
    out += struct.pack("<HHBBB", WIDTH, HEIGHT, 0xF3, 0, 0)
    out += b"".join(bytes(c) for c in colours)
    out += b"," + struct.pack("<HHHHB", 0, 0, WIDTH, HEIGHT, 0)
    out += bytes([min_code]) + blocks + b"\x00;"
    return bytes(out)


def fuji():
    sky, snow, rock, sun, grass, lake = range(6)
    palette = [(150, 200, 245), (250, 250, 250), (70, 90, 140), (225, 40, 40),
               (90, 160, 80), (60, 120, 200)]
    pixels = []
    for y in range(HEIGHT):
        for x in range(WIDTH):
            half = (y - 30) * 1.3  # half width of the mountain at this height
            on_mountain = y > 30 and abs(x - 120) < half
            if (x - 195) ** 2 + (y - 35) ** 2 < 18 ** 2:
                pixels.append(sun)
            elif on_mountain and y < 62 and not (y > 52 and (x // 8) % 2):
                pixels.append(snow)
            elif on_mountain and y < 125:
                pixels.append(rock)
            elif y >= 125:
                pixels.append(lake if y > 140 else grass)
            else:
                pixels.append(sky)
    return gif_bytes(pixels, palette)


def torii():
    sky, red, black, ground = range(4)
    palette = [(235, 240, 250), (215, 50, 30), (40, 30, 30), (200, 180, 140)]
    pixels = []
    for y in range(HEIGHT):
        for x in range(WIDTH):
            curve = 4 * math.cos((x - 120) / 120 * math.pi / 2)
            top_beam = 25 - curve < y < 38 - curve and 30 < x < 210
            second_beam = 55 < y < 64 and 55 < x < 185
            pillar = y > 38 and (70 < x < 84 or 156 < x < 170)
            if y > 145:
                pixels.append(ground)
            elif 25 - curve < y < 30 - curve and 30 < x < 210:
                pixels.append(black)
            elif top_beam or second_beam or pillar:
                pixels.append(red)
            else:
                pixels.append(sky)
    return gif_bytes(pixels, palette)


if __name__ == "__main__":
    folder = pathlib.Path(__file__).resolve().parent.parent / "data" / "quizzes"
    (folder / "img").mkdir(parents=True, exist_ok=True)
    (folder / "fuji.gif").write_bytes(fuji())
    (folder / "img" / "torii.gif").write_bytes(torii())
