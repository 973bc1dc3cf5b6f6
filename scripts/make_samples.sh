#!/usr/bin/env bash
# Draws the bundled sample emoticons (our own, made here with ImageMagick) and their list file.
set -euo pipefail
cd "$(dirname "$0")/../samples"
face() {  # face FILE COLOUR MOUTH-DRAWING
  convert -size 19x19 xc:none -fill "$2" -stroke black -draw 'circle 9,9 9,1' \
    -fill black -draw 'point 6,7 point 12,7' -fill none -draw "$3" "$1"
}
face "Happy Face.gif" gold 'arc 5,8 13,14 20,160'
face "WinkFace.png" gold 'line 5,12 13,12'
face "tongue.png" orange 'arc 5,8 13,14 20,160'
face "cool.bmp" skyblue 'line 5,13 13,11'
face "heart.jpg" pink 'arc 5,10 13,15 200,340'
printf '%s\r\n' "Sample emoticons drawn for Pimbrel." "---List---" "cool.bmp - B-)" \
  "heart.jpg - <3" "---" >Readme.txt
