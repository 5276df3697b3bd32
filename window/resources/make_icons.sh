#!/bin/sh
# Renders the window icon's bitmaps from aurisplot.svg and gathers them into
# the Windows icon, aurisplot.ico (needs ImageMagick with its SVG delegate,
# rsvg-convert, and icotool from icoutils). The PNGs and the .ico are
# committed; run this again after changing the SVG.
#   make_icons.sh       both steps
#   make_icons.sh ico   the .ico alone, from the committed PNGs
set -eu
cd "$(dirname "$0")"

if [ "${1:-}" != ico ]; then
    for size in 16 32 48; do
        convert -background none -density "$((96 * size / 48))" aurisplot.svg \
            -resize "${size}x${size}" -strip "PNG32:aurisplot-${size}.png"
    done
fi

# Each size in 16 colours, 256 colours and 32-bit colour with alpha, the set
# Windows picks from for every display depth. The palette versions have a
# one-bit mask: alpha is cut at half, and the colours are reduced without
# dithering, which at these sizes only adds noise. One palette entry is left
# for the transparent pixels.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
set --
for size in 16 32 48; do
    for colours in 16 256; do
        convert "aurisplot-${size}.png" -channel A -threshold 50% +channel +dither \
            -colors "$((colours - 1))" -strip "PNG8:$work/${size}-${colours}.png"
    done
    set -- "$@" -b 4 "$work/${size}-16.png" -b 8 "$work/${size}-256.png" \
        -b 32 "aurisplot-${size}.png"
done
icotool -c -o aurisplot.ico "$@"
