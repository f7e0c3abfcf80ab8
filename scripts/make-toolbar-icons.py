#!/usr/bin/env python3
"""Draws the main window's toolbar pictures (new, open, save, print, load, review, furigana) as
PNG files: data/icons/toolbar-NAME-16.png and -32.png. The toolbar shows them where the desktop
has no icon theme of its own."""
import importlib.util
import math
import pathlib

HERE = pathlib.Path(__file__).resolve().parent
spec = importlib.util.spec_from_file_location("make_icon", HERE / "make-icon.py")
make_icon = importlib.util.module_from_spec(spec)
spec.loader.exec_module(make_icon)

OUTLINE = (90, 90, 90, 255)
WHITE = (255, 255, 255, 255)


def box(x0, y0, x1, y1):
    return lambda x, y: x0 <= x <= x1 and y0 <= y <= y1


def polygon(*points):
    def inside(x, y):
        hit = False
        for (ax, ay), (bx, by) in zip(points, points[1:] + points[:1]):
            if (ay > y) != (by > y) and x < ax + (y - ay) * (bx - ax) / (by - ay):
                hit = not hit
        return hit
    return inside


def ring(cx, cy, outer, inner, gap_from, gap_to):
    """An annulus with the angles from gap_from to gap_to (degrees, clockwise from east) left out."""
    def inside(x, y):
        r = math.hypot(x - cx, y - cy)
        angle = math.degrees(math.atan2(y - cy, x - cx)) % 360
        return inner <= r <= outer and not gap_from <= angle <= gap_to
    return inside


def framed(shape_outer, shape_inner, fill):
    return [(shape_outer, OUTLINE), (shape_inner, fill)]


# Each picture: layers on a 16-unit square, later ones painted over earlier ones.
PICTURES = {
    "new": framed(polygon((3, 1), (10, 1), (14, 5), (14, 15), (3, 15)),
                  polygon((4, 2), (9.6, 2), (13, 5.4), (13, 14), (4, 14)), WHITE)
    + [(polygon((9.5, 1.5), (9.5, 5.5), (13.5, 5.5)), (200, 200, 200, 255))],
    "open": [(polygon((1, 3), (6, 3), (7.5, 4.5), (14, 4.5), (14, 14), (1, 14)), (176, 128, 24, 255)),
             (polygon((4, 7), (15.5, 7), (13.5, 14), (1, 14)), (240, 192, 64, 255))],
    "save": [(box(1, 1, 15, 15), (44, 94, 168, 255)),
             (box(4, 1, 12, 6), (216, 216, 216, 255)),
             (box(9, 2, 11, 5), (44, 94, 168, 255)),
             (box(3.5, 9, 12.5, 15), WHITE)],
    "print": framed(box(4, 1, 12, 7), box(5, 2, 11, 7), WHITE)
    + [(box(1, 6, 15, 12), (112, 112, 112, 255)), (box(12, 7.5, 13.5, 9), (80, 200, 80, 255))]
    + framed(box(4, 10, 12, 15), box(5, 11, 11, 14), WHITE),
    "load": [(ring(8, 8.5, 6.5, 4, 300, 350), (44, 122, 214, 255)),
             (polygon((10.5, 0.5), (15.5, 5), (9, 7)), (44, 122, 214, 255))],
    # A calendar page with the arrow of coming back.
    "review": framed(box(1, 2, 15, 15), box(2, 3, 14, 14), WHITE)
    + [(box(1, 2, 15, 5), (200, 60, 50, 255)),
       (ring(8, 10, 3.6, 2.1, 290, 350), (44, 122, 214, 255)),
       (polygon((9.5, 5.8), (13.2, 7.6), (9.6, 9.6)), (44, 122, 214, 255))],
    # A character (田) with its reading over it.
    "furigana": framed(box(2, 6, 15, 15), box(3, 7, 14, 14), WHITE)
    + [(box(3, 10, 14, 11), OUTLINE), (box(8, 7, 9, 14), OUTLINE),
       (box(3, 2, 7, 4), (44, 122, 214, 255)), (box(10, 2, 14, 4), (44, 122, 214, 255))],
}


def painter(layers):
    def pixel(x, y):
        colour = (0, 0, 0, 0)
        for shape, fill in layers:
            if shape(x * 16, y * 16):
                colour = fill
        return colour
    return pixel


if __name__ == "__main__":
    folder = HERE.parent / "data" / "icons"
    for name, layers in PICTURES.items():
        for size in (16, 32):
            (folder / f"toolbar-{name}-{size}.png").write_bytes(make_icon.png(size, painter(layers)))
