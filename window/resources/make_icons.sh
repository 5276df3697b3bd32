#!/bin/sh
# Renders the window icon's bitmaps from aurisplot.svg (needs ImageMagick).
# The PNGs are committed; run this again after changing the SVG.
set -eu
cd "$(dirname "$0")"
for size in 16 32 48; do
    convert -background none -density "$((96 * size / 48))" aurisplot.svg \
        -resize "${size}x${size}" -strip "PNG32:aurisplot-${size}.png"
done
