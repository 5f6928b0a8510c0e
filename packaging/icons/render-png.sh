#!/usr/bin/env bash
# Renders the PNG sizes of every icon from its SVG into png/SIZE/NAME.png.
# The PNGs are checked in, so the build needs no SVG renderer; run this again
# (needs rsvg-convert, Debian librsvg2-bin) after changing an SVG.
set -euo pipefail
cd "$(dirname "$0")"
for svg in *.svg; do
  for size in 16 24 32 48 64 128 256; do
    mkdir -p "png/$size"
    rsvg-convert -w "$size" -h "$size" -o "png/$size/${svg%.svg}.png" "$svg"
  done
done
