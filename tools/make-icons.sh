#!/usr/bin/env bash
# Renders the program's icon (packaging/icons/org.zigzop.zigzop.svg) into the
# PNG sizes the desktop's icon theme looks for. Needs Debian's librsvg2-bin, a
# developer tool only; the PNG files are committed.
#
#     tools/make-icons.sh
set -euo pipefail

icons=$(cd "$(dirname "${BASH_SOURCE[0]}")/../packaging/icons" && pwd)
command -v rsvg-convert >/dev/null || { echo "make-icons: rsvg-convert is missing" >&2; exit 1; }
for size in 16 24 32 48 64 128 256; do
    rsvg-convert -w "$size" -h "$size" "$icons/org.zigzop.zigzop.svg" -o "$icons/org.zigzop.zigzop-$size.png"
done
echo "make-icons: wrote $(ls "$icons"/*.png | wc -l) files to $icons"
