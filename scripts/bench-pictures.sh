#!/bin/bash
# What quizmaker's preparation of pictures gains, under Wine, in one run.
#
# 1. Size: makes 16 photo-like JPEGs of 1280 x 1024 up to 5640 x 3172 pixels
#    (fractal noise with grain; baseline and progressive; 4:2:0, 4:2:2 and
#    4:4:4; qualities 75 to 100), builds a 16-question picture quiz of them
#    as build stores pictures and with --keep-pictures, and prints both
#    executables' sizes and the bytes a photograph takes (target: at most
#    40 KB on average).
# 2. Start-up: the 90-question picture quiz of scripts/bench-startup.sh, its
#    pictures prepared and kept as they are, against the same 90 questions
#    without pictures (target: prepared, at most 1.15 times as long).
#
#   scripts/bench-pictures.sh [RUNS]   BUILD=folder (build/win64 by default)
#                                      PHOTOS=folder of photographs to use
#                                      instead of the generated ones
set -euo pipefail
. "$(dirname "$0")/bench/startup-lib.sh"
RUNS=${1:-7}
WORK=$ROOT/$BUILD/bench-pictures
mkdir -p "$WORK/photos"
cd "$WORK"

bench_tools

# WIDTHxHEIGHT QUALITY SAMPLING INTERLACE: the spread of an ordinary
# photograph collection (made once and kept).
photo=0
while read -r size quality sampling interlace; do
    photo=$((photo + 1))
    file=photos/photo$photo.jpg
    [ -f "$file" ] && continue
    width=${size%x*} height=${size#*x}
    convert -seed "$photo" -size "$((width / 4))x$((height / 4))" plasma:fractal -blur 0x1 -resize "${size}!" \
        -attenuate 0.4 +noise Gaussian -sampling-factor "$sampling" -interlace "$interlace" -quality "$quality" "$file"
done <<'EOF'
2560x1600 85 2x2 None
1920x1200 98 2x1 None
1680x1050 100 2x1 None
1600x1203 75 2x2 JPEG
2560x1600 85 2x2 None
1280x1024 90 2x2 JPEG
2560x1600 85 2x2 None
1920x1200 100 2x2 None
1920x1280 98 2x1 None
2560x1600 100 2x2 None
2560x1920 87 2x1 None
2560x1600 85 2x2 None
1920x1080 90 1x1 JPEG
3840x2160 100 2x1 JPEG
5640x3172 100 2x1 JPEG
1900x1200 95 1x1 None
EOF
PHOTOS=${PHOTOS:-$WORK/photos}
python3 - "$PHOTOS" <<'PY'
import json, os, sys
folder = sys.argv[1]
files = sorted(f for f in os.listdir(folder) if f.lower().endswith((".jpg", ".jpeg", ".png", ".bmp", ".gif")))
questions = [{"answer": "PHOTO%d" % (i + 1), "media": os.path.join(folder, f)} for i, f in enumerate(files)]
json.dump({"title": "Photos", "style": 1, "answerMode": 2, "questions": questions}, open("photos.json", "w"))
PY
count=$(python3 -c 'import json; print(len(json.load(open("photos.json"))["questions"]))')

# The stored pictures' bytes, as unpack writes them.
stored_bytes() {
    rm -rf unpacked
    "$WINE_RUN" "$QUIZMAKER" unpack "$1" -o unpacked >/dev/null 2>&1
    find unpacked -name '*.jpg' -printf '%s\n' | awk '{ sum += $1 } END { print sum + 0 }'
}
bench_build photos.json photos.exe
bench_build photos.json photos-kept.exe --keep-pictures
originals=$(python3 -c 'import json, os; print(sum(os.path.getsize(q["media"]) for q in json.load(open("photos.json"))["questions"]))')
prepared=$(stored_bytes photos.exe)
size() { stat -c %s "$1"; }
echo "Photographs: $count files, $((originals / 1024)) KB in all"
printf 'executable with the pictures prepared: %8d KB\n' $(($(size photos.exe) / 1024))
printf 'executable with --keep-pictures:       %8d KB\n' $(($(size photos-kept.exe) / 1024))
awk -v bytes="$prepared" -v count="$count" \
    'BEGIN { printf "a prepared photograph takes %.1f KB on average (target: at most 40 KB)\n", bytes / count / 1024 }'

echo
bench_startup_pictures
bench_startup_manifests
bench_build pictures.json pictures.exe
bench_build pictures.json kept.exe --keep-pictures
bench_build nopictures.json nopictures.exe
# Wine talks to its server for every window it makes, so the machine's state
# weighs on these times: an idle virtual machine wakes slowly for each call,
# one busy with other work leaves the decoding no second processor.
echo "Start-up of 90 questions with pictures ($RUNS rounds, load average $(cut -d' ' -f1 /proc/loadavg);"
echo "target: pictures / nopictures at most 1.15):"
bench_probe "$RUNS" 5090 pictures.exe 5090 kept.exe 5090 nopictures.exe | bench_report nopictures.exe
