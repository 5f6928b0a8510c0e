#!/usr/bin/env bash
# Makes the Windows icons (icons/NAME.ico) from the project's PNG icons in
# packaging/icons/png: 16 to 48 pixels as bitmaps, 256 as PNG, the sizes
# Windows picks from for shortcuts, file types and "Apps & features". The
# .ico files are checked in, so the build needs no image tool; run this again
# (needs ImageMagick's convert, Debian imagemagick) after changing an icon.
set -euo pipefail
cd "$(dirname "$0")"
png=../icons/png
mkdir -p icons
for name in kolibra-tgen kolibra-irfetch kolibra-lkpsend application-x-kolibra-template; do
  convert "$png/16/$name.png" "$png/24/$name.png" "$png/32/$name.png" "$png/48/$name.png" \
    "$png/256/$name.png" "icons/$name.ico"
done
