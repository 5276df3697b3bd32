#!/usr/bin/env python3
"""Counts the pixels in which two screenshots of the window differ inside the
plot surface, each found by its grey border: docs/aurisplot.png against
docs/aurisplot-windows.png by default (bash scripts/dev screenshot makes both).
Needs ImageMagick's convert."""
import subprocess
import sys

BORDER = b"\x80\x80\x80"
WIDTH, HEIGHT = 441, 321  # the surface with its border, in pixels


def load(path):
    size = subprocess.run(["identify", "-format", "%w %h", path], check=True,
                          capture_output=True, text=True).stdout.split()
    pixels = subprocess.run(["convert", path, "-depth", "8", "rgb:-"], check=True,
                            capture_output=True).stdout
    return pixels, int(size[0]), int(size[1])


def pixel(image, x, y):
    pixels, width, _ = image
    return pixels[(y * width + x) * 3:(y * width + x) * 3 + 3]


def surface(image):
    _, width, height = image
    for y in range(height - HEIGHT):
        for x in range(width - WIDTH):
            if all(pixel(image, x + dx, y) == BORDER for dx in (0, 1, 200, WIDTH - 1)) and \
                    pixel(image, x, y + HEIGHT - 1) == BORDER:
                return x, y
    sys.exit("no plot surface found")


def main():
    paths = sys.argv[1:3] or ["docs/aurisplot.png", "docs/aurisplot-windows.png"]
    images = [load(path) for path in paths]
    (ax, ay), (bx, by) = (surface(image) for image in images)
    differing = sum(pixel(images[0], ax + x, ay + y) != pixel(images[1], bx + x, by + y)
                    for y in range(1, HEIGHT - 1) for x in range(1, WIDTH - 1))
    print(f"{differing} pixels differ inside the plot surface")


main()
