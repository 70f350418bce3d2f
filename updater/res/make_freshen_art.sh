#!/bin/bash
# Draws the updater's pictures into updater/res/: the banner (bitmap 130,
# 413 x 99, 24-bit BMP) and the program icon (icon 128: 48, 32 and 16 pixels).
# Needs ImageMagick 6 (convert) and the Nanum fonts (Debian package fonts-nanum).
# The lower left of the banner stays plain: the window writes its status lines
# there, at (15, 62) and (15, 80).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
fonts=/usr/share/fonts/truetype/nanum
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# Two turning arrows in a round badge, drawn on a 96 x 96 canvas.
arrows=(-fill '#2F5E9E' -stroke none -draw "circle 48,48 48,4"
        -fill none -stroke white -strokewidth 9
        -draw "arc 22,22 74,74 200,340" -draw "arc 22,22 74,74 20,160"
        -stroke none -fill white
        -draw "polygon 70,20 84,44 60,42" -draw "polygon 26,76 12,52 36,54")

convert -size 413x99 gradient:'#FFFFFF'-'#DCE8F7' \
  -fill '#1B3F75' -draw "rectangle 0,0 412,4" \
  -font "$fonts/NanumSquareB.ttf" -pointsize 26 -fill '#1B3F75' -annotate +15+38 'Freshen' \
  -font "$fonts/NanumGothicBold.ttf" -pointsize 12 -fill '#4A6A95' -annotate +128+37 'Purvex 업데이트' \
  -fill '#F5A623' -draw "rectangle 15,46 180,47" \
  \( -size 96x96 xc:none "${arrows[@]}" -resize 74x74 \) -geometry +325+14 -composite \
  -alpha off -type TrueColor "BMP3:$here/freshen_banner.bmp"

for size in 48 32 16; do
  convert -size 96x96 xc:none "${arrows[@]}" -resize ${size}x${size} "$tmp/icon$size.png"
done
convert "$tmp/icon48.png" "$tmp/icon32.png" "$tmp/icon16.png" "$here/freshen.ico"
