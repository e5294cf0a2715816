#!/usr/bin/env bash
# Renders zok.svg, the drawing the icon is made from, into the PNG sizes that Qt and the desktop
# use (Qt here has no SVG support). Run after changing the drawing; needs rsvg-convert.
set -euo pipefail
cd "$(dirname "$0")"
for size in 16 32 48 64 128 256; do
  rsvg-convert -w "$size" -h "$size" zok.svg -o "zok-$size.png"
done
