#!/bin/sh
# Draws the editor's icon, editor.ico beside this script: a white question
# mark and a pencil stroke on a blue square, at 16, 32 and 48 pixels.
set -e
here="$(dirname "$0")"
for size in 16 32 48; do
    convert -size 256x256 xc:'#2F5DA8' -fill white -font DejaVu-Sans-Bold -pointsize 200 -gravity center \
        -annotate +0-8 '?' -stroke '#F2C230' -strokewidth 28 -draw 'line 150,230 240,140' \
        -resize "${size}x${size}" "$here/icon$size.png"
done
convert "$here/icon16.png" "$here/icon32.png" "$here/icon48.png" "$here/editor.ico"
rm -f "$here/icon16.png" "$here/icon32.png" "$here/icon48.png"
