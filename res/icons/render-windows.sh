#!/usr/bin/env bash
# Makes the committed Windows pictures of res/pantrel.rc from the committed PNGs (run render.sh
# first when an SVG changed). Needs ImageMagick (convert, identify) and python3.
#   kinds.bmp, sort.bmp  the list's image strips: 4-bit, 15-pixel cells, magenta transparent
#   pantrel.ico          the program's icon: 32 and 16 pixels at 256 colours, then 256, 48, 32
#                        and 16 pixels at 32 bits, every image a plain DIB with its AND mask
set -euo pipefail
cd "$(dirname "$0")"
python3 windows_images.py strip kinds.png kinds.bmp
python3 windows_images.py strip sort.png sort.bmp
python3 windows_images.py icon pantrel.ico 32:8 16:8 256:32 48:32 32:32 16:32
