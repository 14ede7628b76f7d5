#!/usr/bin/env bash
# Renders the committed PNG pictures from their SVG sources (needs rsvg-convert, librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")"
for size in 16 32 48 256; do
  rsvg-convert -w "$size" -h "$size" pantrel.svg -o "pantrel-$size.png"
done
rsvg-convert kinds.svg -o kinds.png
rsvg-convert sort.svg -o sort.png
