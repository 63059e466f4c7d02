#!/bin/sh
# Makes the small media fixtures of the media window tests (committed with
# this script): JPEG pictures of known sizes, a file that is no picture, a
# short WAVE clip and a short uncompressed AVI clip.
set -e
cd "$(dirname "$0")"

# Left half red, right half blue, so the fitted picture can be checked for
# more than its size.
convert -size 260x390 xc:'#d01010' -size 260x390 xc:'#1010d0' +append -quality 80 pic520x390.jpg
convert -size 130x65 xc:'#10a010' -quality 80 pic130x65.jpg
convert -size 300x300 xc:'#e0c000' -quality 80 pic300x300.jpg
# The answer picture: 200 x 100, enlarged to 260 x 130 in the box.
convert -size 200x100 xc:'#8000a0' -quality 80 answer200x100.jpg
# Alternate one-pixel black and white columns: a fit that averages gives
# grey, one that picks single pixels gives black or white.
convert -size 2x1 xc:black -fill white -draw 'point 1,0' -scale 2x1 \
    -write mpr:pair +delete -size 520x390 tile:mpr:pair -quality 95 stripes520x390.jpg
# A photograph-like picture (fractal noise) with fine colour detail; the same
# as a progressive JPEG, and pictures in grey and in CMYK.
convert -seed 7 -size 200x150 plasma:fractal -quality 85 photo200x150.jpg
convert photo200x150.jpg -interlace JPEG -quality 85 progressive200x150.jpg
convert -size 64x32 gradient:black-white -colorspace Gray -quality 80 grey64x32.jpg
convert -size 64x32 xc:'#d01010' -colorspace CMYK -quality 80 cmyk64x32.jpg
printf 'This is not a picture, whatever its resource type says.\n' > notapicture.jpg

python3 - <<'PY'
import math, struct

def chunk(tag, data):
    pad = b"\0" if len(data) % 2 else b""
    return tag + struct.pack("<I", len(data)) + data + pad

def riff_list(kind, tag, body):
    return chunk(kind, tag + body)

# Two WAVE clips of different lengths: 8 kHz, 8-bit mono tones.
for name, seconds, freq in (("sound-a.wav", 0.5, 440), ("sound-b.wav", 0.25, 660)):
    n = int(8000 * seconds)
    samples = bytes(128 + int(60 * math.sin(2 * math.pi * freq * t / 8000)) for t in range(n))
    fmt = struct.pack("<HHIIHH", 1, 1, 8000, 8000, 1, 8)
    open(name, "wb").write(riff_list(b"RIFF", b"WAVE", chunk(b"fmt ", fmt) + chunk(b"data", samples)))

# A 32 x 24 uncompressed AVI clip, 5 frames at 5 frames a second.
w, h, frames, rate = 32, 24, 5, 5
stride = w * 3
frame_size = stride * h
avih = struct.pack("<14I", 1000000 // rate, frame_size * rate, 0, 0x10, frames, 0, 1,
                   frame_size, w, h, 0, 0, 0, 0)
strh = (b"vids" + b"DIB " + struct.pack("<IHHIIIIIIII", 0, 0, 0, 0, 1, rate, 0, frames,
                                        frame_size, 0xFFFFFFFF, 0)
        + struct.pack("<4h", 0, 0, w, h))
strf = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, frame_size, 0, 0, 0, 0)
hdrl = riff_list(b"LIST", b"hdrl", chunk(b"avih", avih) +
                 riff_list(b"LIST", b"strl", chunk(b"strh", strh) + chunk(b"strf", strf)))
movi_body = b""
index = b""
for f in range(frames):
    shade = 40 + 40 * f
    pixel = bytes((shade, 255 - shade, 128))
    data = pixel * (w * h)
    index += b"00db" + struct.pack("<III", 0x10, 4 + len(movi_body), len(data))
    movi_body += chunk(b"00db", data)
movi = riff_list(b"LIST", b"movi", movi_body)
open("clip32x24.avi", "wb").write(riff_list(b"RIFF", b"AVI ", hdrl + movi + chunk(b"idx1", index)))
PY
