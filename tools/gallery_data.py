#!/usr/bin/env python3
"""Prints the data lines of the gallery scripts that are made from numbers:
   gallery_data.py terrain|grading|sky
(the height map of examples/terrain.script, the lookup table of
examples/colour_grading.script, the six faces of examples/skybox.script),
each a script line that the script holds as written."""
import math
import sys


def numbers(values):
    return ", ".join(("%.3f" % v).rstrip("0").rstrip(".") if v != int(v) else str(int(v)) for v in values)


def rows(table):
    return "[" + ", ".join("[" + numbers(row) + "]" for row in table) + "]"


def terrain():
    # Three hills and a ridge over a gentle slope, 0 to 1, 32 x 32.
    side = 32
    table = []
    for j in range(side):
        row = []
        for i in range(side):
            x, y = i / (side - 1), j / (side - 1)
            h = 0.1 * y
            for cx, cy, r, a in ((0.25, 0.65, 0.12, 0.6), (0.68, 0.72, 0.14, 0.85), (0.55, 0.3, 0.1, 0.45),
                                 (0.2, 0.2, 0.08, 0.3)):
                h += a * math.exp(-((x - cx) ** 2 + (y - cy) ** 2) / (2 * r * r))
            h += 0.04 * math.sin(13 * x + 5 * y) + 0.03 * math.sin(7 * y - 11 * x)
            row.append(max(0.0, min(1.0, h)))
        table.append(row)
    print("TextureData(heights, 0, 0, 0, 32, 32, " + rows(table) + ")")


def grade(r, g, b):
    # Contrast around the middle, shadows towards teal, highlights towards
    # orange, a little more saturation.
    def curve(v):
        return v * v * (3 - 2 * v) * 0.7 + v * 0.3
    r, g, b = curve(r), curve(g), curve(b)
    luma = 0.2126 * r + 0.7152 * g + 0.0722 * b
    r, g, b = (luma + 1.3 * (c - luma) for c in (r, g, b))
    shadow, light = 1 - luma, luma
    r += 0.10 * light - 0.06 * shadow
    g += 0.02 * light + 0.03 * shadow
    b += -0.08 * light + 0.07 * shadow
    return [max(0.0, min(1.0, c)) for c in (r, g, b)]


def grading():
    size = 16
    for slice_ in range(size):
        table = []
        for gi in range(size):
            row = []
            for ri in range(size):
                row += grade(ri / (size - 1), gi / (size - 1), slice_ / (size - 1)) + [1]
            table.append(row)
        print("TextureData(table, %d, 0, 0, 16, 16, %s)" % (slice_, rows(table)))


def sky_colour(x, y, z):
    n = math.sqrt(x * x + y * y + z * z)
    x, y, z = x / n, y / n, z / n
    if y < 0:
        # The ground: a checkerboard of fields fading into haze at the horizon.
        t = -y
        u, v = x / max(t, 0.05), z / max(t, 0.05)
        check = (math.floor(u * 1.5) + math.floor(v * 1.5)) % 2
        ground = [0.30, 0.42, 0.20] if check else [0.42, 0.36, 0.22]
        haze = math.exp(-6 * t)
        return [g * (1 - haze) + 0.75 * haze for g in ground]
    # The sky: deep blue above, pale at the horizon, and a warm sun.
    up = y
    colour = [0.75 - 0.55 * up, 0.82 - 0.45 * up, 0.95 - 0.15 * up]
    sun = max(0.0, x * 0.48 + y * 0.6 - z * 0.64)
    glow = sun ** 64 * 1.2 + sun ** 8 * 0.25
    return [min(1.0, c + glow * w) for c, w in zip(colour, (1.0, 0.85, 0.55))]


def sky():
    side = 32
    faces = [
        lambda s, t: (1, -t, -s), lambda s, t: (-1, -t, s), lambda s, t: (s, 1, t),
        lambda s, t: (s, -1, -t), lambda s, t: (s, -t, 1), lambda s, t: (-s, -t, -1),
    ]
    for face, direction in enumerate(faces):
        table = []
        for j in range(side):
            row = []
            for i in range(side):
                s, t = 2 * (i + 0.5) / side - 1, 2 * (j + 0.5) / side - 1
                row += sky_colour(*direction(s, t)) + [1]
            table.append(row)
        print("TextureData(sky, %d, 0, 0, 32, 32, %s)" % (face, rows(table)))


{"terrain": terrain, "grading": grading, "sky": sky}[sys.argv[1]]()
