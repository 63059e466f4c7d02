#!/bin/bash
# Draws the flags of the drapeaux sample as JPEG pictures: img/<name>.jpg is
# the question's flag, answers/<name>.jpg the same flag with the country's
# name under it, shown once the question is solved.
#   make-pictures.sh [FOLDER]   writes into FOLDER (default: beside this script)
set -euo pipefail
out="${1:-$(dirname "$0")}"
mkdir -p "$out/img" "$out/answers"
font=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf

# flag NAME LABEL v|h COLOUR1 COLOUR2 COLOUR3: three vertical or horizontal bands.
flag() {
    local name="$1" label="$2" direction="$3"
    shift 3
    local bands
    if [ "$direction" = v ]; then
        bands=(-size 100x200 "xc:$1" "xc:$2" "xc:$3" +append)
    else
        bands=(-size 300x67 "xc:$1" "xc:$2" "xc:$3" -append -resize '300x200!')
    fi
    convert "${bands[@]}" -quality 90 "$out/img/$name.jpg"
    local fontArgs=()
    [ -f "$font" ] && fontArgs=(-font "$font")
    convert "$out/img/$name.jpg" -resize '300x150!' -background white -gravity south -splice 0x50 \
        "${fontArgs[@]}" -pointsize 28 -fill black -annotate +0+8 "$label" -quality 90 "$out/answers/$name.jpg"
}

flag france    "FRANCE"    v '#0055A4' '#FFFFFF' '#EF4135'
flag italie    "ITALIE"    v '#009246' '#FFFFFF' '#CE2B37'
flag belgique  "BELGIQUE"  v '#000000' '#FAE042' '#ED2939'
flag irlande   "IRLANDE"   v '#169B62' '#FFFFFF' '#FF883E'
flag roumanie  "ROUMANIE"  v '#002B7F' '#FCD116' '#CE1126'
flag allemagne "ALLEMAGNE" h '#000000' '#DD0000' '#FFCE00'
flag pays-bas  "PAYS-BAS"  h '#AE1C28' '#FFFFFF' '#21468B'
flag hongrie   "HONGRIE"   h '#CD2A3E' '#FFFFFF' '#436F4D'
flag estonie   "ESTONIE"   h '#0072CE' '#000000' '#FFFFFF'
