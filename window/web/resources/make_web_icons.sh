#!/bin/sh
# Renders the page's icons, aurisplot-192.png and aurisplot-512.png, from the
# window icon window/resources/aurisplot.svg with rsvg-convert (package
# librsvg2-bin, the renderer make_icons.sh's ImageMagick hands SVG to). Drawn
# at their own size, not enlarged from the 48-pixel one: ImageMagick's SVG
# delegate renders only at the SVG's size. The PNGs are committed in the
# site's icons/ folder; run this again after changing the SVG.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
out="$here/../site/icons"
mkdir -p "$out"
for size in 192 512; do
    rsvg-convert --width "$size" --height "$size" --format png \
        --output "$out/aurisplot-${size}.png" "$here/../../resources/aurisplot.svg"
done
