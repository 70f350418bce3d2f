#!/bin/bash
# Remakes every picture of Purvex from the drawing commands below into
# art/pictures/ (the updater's two into updater/res/): ImageMagick 6 (convert) with the Nanum fonts (Debian package
# fonts-nanum) draws, pack_icon.py (Python 3, standard library only) packs
# icons and cursors. Bitmaps are 24-bit BMP; pictures that are cut into image
# lists use magenta (255,0,255) as their transparent colour and are drawn
# without anti-aliasing so no edge pixel mixes with it.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
out=$here/pictures
fonts=/usr/share/fonts/truetype/nanum
BOLD=$fonts/NanumGothicBold.ttf
SQUARE=$fonts/NanumSquareB.ttf
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$out"

NAVY='#1B3F75'
DEEP='#0E2549'
ACCENT='#F5A623'
BLUE='#2F5E9E'

bmp() {  # convert arguments..., last one the bitmap name
  local args=("$@") name=${!#}
  unset 'args[${#args[@]}-1]'
  convert "${args[@]}" -alpha off -type TrueColor "BMP3:$out/$name"
}

icon() {  # name width height convert-arguments...: one 32-bit icon picture
  local name=$1 w=$2 h=$3
  shift 3
  convert -size "${w}x${h}" xc:none "$@" -depth 8 "RGBA:$tmp/$name.rgba"
  python3 "$here/pack_icon.py" ico "$out/$name.ico" "$w" "$h" "$tmp/$name.rgba"
}

# Drawing helpers below fill the array D with convert arguments.

# --- Pictograms for the page buttons (drawn in an 80 x 64 box, upper part) ---
pict_cure() {  # magnifier with a cross in the lens
  D=(-fill none -stroke "$1" -strokewidth 4 -draw "circle 36,19 36,8"
     -strokewidth 6 -draw "line 44,28 53,37"
     -strokewidth 3 -draw "line 36,13 36,25" -draw "line 30,19 42,19")
}
pict_clean() {  # screen with a sparkle
  D=(-fill none -stroke "$1" -strokewidth 3 -draw "roundrectangle 22,5 58,31 3,3"
     -stroke none -fill "$1" -draw "rectangle 37,32 43,36" -draw "roundrectangle 30,36 50,39 2,2"
     -draw "polygon 40,10 42,16 48,18 42,20 40,26 38,20 32,18 38,16")
}
pict_activex() {  # shield with a cross
  D=(-fill none -stroke "$1" -strokewidth 3
     -draw "path 'M 40,4 L 55,9 L 55,21 Q 55,33 40,39 Q 25,33 25,21 L 25,9 Z'"
     -draw "line 34,15 46,28" -draw "line 46,15 34,28")
}
pict_report() {  # envelope with a notice badge
  D=(-fill none -stroke "$1" -strokewidth 3 -draw "roundrectangle 22,12 56,37 2,2"
     -strokewidth 2 -draw "polyline 23,14 39,26 55,14"
     -stroke none -fill "$ACCENT" -draw "circle 56,10 56,2"
     -fill white -draw "rectangle 55,5 57,11" -draw "rectangle 55,13 57,15")
}
pict_reports() {  # sheet of paper with lines
  D=(-fill none -stroke "$1" -strokewidth 3 -draw "polygon 28,4 45,4 53,12 53,39 28,39"
     -strokewidth 2 -draw "polyline 45,5 45,12 52,12"
     -draw "line 33,19 48,19" -draw "line 33,25 48,25" -draw "line 33,31 44,31")
}

page_button() {  # name pictogram label: normal, hover and selected icons, 80 x 64
  local name=$1 pict=$2 label=$3
  local text=(-stroke none -font "$BOLD" -pointsize 12 -gravity south)
  # normal: pictogram and label straight on the column's background
  "$pict" "$BLUE"
  icon "page_${name}_normal" 80 64 "${D[@]}" "${text[@]}" -fill '#2A2A2A' -annotate +0+4 "$label"
  # hover: warm panel behind
  "$pict" '#D98200'
  icon "page_${name}_hover" 80 64 \
       -fill '#FFF4DC' -stroke "$ACCENT" -strokewidth 1.5 -draw "roundrectangle 1,1 78,62 8,8" \
       "${D[@]}" "${text[@]}" -fill '#7A4A00' -annotate +0+4 "$label"
  # selected: filled blue panel, white drawing
  "$pict" white
  icon "page_${name}_selected" 80 64 \
       -fill "$BLUE" -stroke '#1E3F6E' -strokewidth 1.5 -draw "roundrectangle 1,1 78,62 8,8" \
       "${D[@]}" "${text[@]}" -fill white -annotate +0+4 "$label"
}
page_button cure pict_cure "검색/치료"
page_button clean pict_clean "PC청소"
page_button activex pict_activex "액티브X차단"
page_button report pict_report "신고하기"
page_button reports pict_reports "보고서"

# --- Banner buttons: 84 x 30, small pictogram at the left, label right ---
ban_patch() {  # shield with a tick
  D=(-fill none -stroke "$1" -strokewidth 2
     -draw "path 'M 15,5 L 24,8 L 24,15 Q 24,22 15,26 Q 6,22 6,15 L 6,8 Z'" -draw "polyline 10,15 14,19 20,11")
}
ban_update() {  # two turning arrows
  D=(-fill none -stroke "$1" -strokewidth 2 -draw "arc 7,7 23,23 200,340" -draw "arc 7,7 23,23 20,160"
     -stroke none -fill "$1" -draw "polygon 22,6 25,13 18,12" -draw "polygon 8,24 5,17 12,18")
}
ban_adware() {  # warning triangle
  D=(-fill none -stroke "$1" -strokewidth 2 -draw "polygon 15,5 25,24 5,24"
     -stroke none -fill "$1" -draw "rectangle 14,11 16,18" -draw "rectangle 14,20 16,22")
}
ban_help() {  # question mark in a ring
  D=(-fill none -stroke "$1" -strokewidth 2 -draw "circle 15,15 15,6"
     -stroke none -fill "$1" -font "$BOLD" -pointsize 14 -draw "text 11,20 '?'")
}
banner_button() {  # name pictogram label: normal and hover icons, 84 x 30
  local name=$1 pict=$2 label=$3
  local text=(-stroke none -font "$BOLD" -pointsize 11 -gravity west)
  "$pict" white
  icon "banner_${name}_normal" 84 30 \
       -fill '#FFFFFF22' -stroke '#FFFFFF80' -strokewidth 1 -draw "roundrectangle 0.5,0.5 83.5,29.5 6,6" \
       "${D[@]}" "${text[@]}" -fill white -annotate +29+0 "$label"
  "$pict" "$DEEP"
  icon "banner_${name}_hover" 84 30 \
       -fill "$ACCENT" -stroke '#FFE2A8' -strokewidth 1 -draw "roundrectangle 0.5,0.5 83.5,29.5 6,6" \
       "${D[@]}" "${text[@]}" -fill "$DEEP" -annotate +29+0 "$label"
}
banner_button patch ban_patch "보안패치"
banner_button update ban_update "업데이트"
banner_button adware ban_adware "애드웨어"
banner_button help ban_help "도움말"

# --- The logo: shield with a magnifier (program icon, banner, pictures) ---
logo() {  # x y scale: a shield 32 x 40 units, scaled by s, with its top left at (x, y)
  local t="translate $1,$2 scale $3,$3"
  D=(-fill "$ACCENT" -stroke white -strokewidth 1.5
     -draw "$t path 'M 16,0 L 32,6 L 32,18 Q 32,32 16,40 Q 0,32 0,18 L 0,6 Z'"
     -fill none -strokewidth 3 -draw "$t circle 14,17 14,9" -draw "$t line 20,23 25,29")
}

# Program icon 128: 48, 32 and 16 pixels.
for n in 48 32 16; do
  s=$(echo "scale=3; $n/42" | bc)
  logo "$(echo "scale=3; ($n - 32*$s)/2" | bc)" 1 "$s"
  convert -size "${n}x$n" xc:none "${D[@]}" -depth 8 "RGBA:$tmp/app$n.rgba"
done
python3 "$here/pack_icon.py" ico "$out/purvex.ico" 48 48 "$tmp/app48.rgba" 32 32 "$tmp/app32.rgba" 16 16 "$tmp/app16.rgba"

# Cursor 130: a pointing hand, hot spot at the finger tip.
convert -size 32x32 xc:none -fill white -stroke black -strokewidth 1 \
  -draw "roundrectangle 9,1 14,18 2.5,2.5" \
  -draw "roundrectangle 14,9 18,18 2,2" -draw "roundrectangle 18,10 22,19 2,2" \
  -draw "roundrectangle 22,12 25,20 1.5,1.5" \
  -draw "path 'M 9,14 L 5,11 Q 2,11 3,15 L 8,23 Q 10,28 14,28 L 20,28 Q 25,28 25,22 L 25,17 L 9,17 Z'" \
  -stroke none -draw "rectangle 10,15 24,19" -depth 8 "RGBA:$tmp/hand.rgba"
python3 "$here/pack_icon.py" cur "$out/link.cur" 11 1 32 32 "$tmp/hand.rgba"

# Bitmap 145: background of the page-button column, 96 x 410.
bmp -size 96x410 gradient:'#F4F8FD-#D7E4F4' -fill '#B7C9E2' -draw "line 95,0 95,409" column.bmp

# Bitmap 206: the banner, 635 x 43, logo at its left end (inside x < 90).
logo 6 3 0.82
bmp -size 635x43 gradient:"$NAVY-$DEEP" \
    -fill '#FFFFFF10' -stroke none -draw "polygon 380,0 470,0 430,43 340,43" \
    -draw "polygon 480,0 520,0 480,43 440,43" \
    -fill "$ACCENT" -draw "rectangle 0,41 635,42" \
    "${D[@]}" \
    -stroke none -fill white -font "$SQUARE" -pointsize 17 -draw "text 34,28 'Purvex'" banner.bmp

# Bitmap 234: the start-up picture, 539 x 360.
logo 50 95 3.2
bmp -size 539x360 gradient:'#24569A-#0B1F3E' \
    -fill '#FFFFFF0C' -stroke none -draw "circle 470,60 470,-90" -draw "circle 60,330 60,230" \
    "${D[@]}" \
    -stroke none -fill white -font "$SQUARE" -pointsize 54 -draw "text 175,170 'Purvex'" \
    -font "$BOLD" -pointsize 18 -fill '#DCE8F8' -draw "text 180,210 '애드웨어 검색·치료와 PC 청소'" \
    -fill "$ACCENT" -draw "rectangle 180,226 500,229" \
    -font "$BOLD" -pointsize 13 -fill '#C9D8EE' -draw "text 180,255 'Beta Version'" \
    -font "$BOLD" -pointsize 11 -fill '#9DB3D3' -draw "text 20,345 '(주)Orvane'" \
    -fill none -stroke '#0A1A33' -draw "rectangle 0,0 538,359" splash.bmp

# Bitmap 131: list-header images, four of 14 x 14 (unchecked, checked, up, down).
bmp -size 56x14 xc:magenta +antialias \
    -fill white -stroke '#1C5180' -draw "rectangle 1,1 12,12" -draw "rectangle 15,1 26,12" \
    -stroke '#21A121' -strokewidth 2 -fill none -draw "polyline 17,6 19,9 24,3" \
    -stroke none -fill '#505050' -draw "polygon 31,9 35,4 39,9" -draw "polygon 45,5 49,10 53,5" \
    header.bmp

# Bitmap 252: tab images, four of 16 x 16 (auto records, disk, activity records, startup).
bmp -size 64x16 xc:magenta +antialias \
    -fill white -stroke '#3B6CB0' -draw "rectangle 1,3 14,12" -stroke '#3B6CB0' -draw "line 3,6 9,6" \
    -draw "line 3,9 12,9" -fill '#F5A623' -stroke none -draw "rectangle 10,4 13,7" \
    -fill '#8FA7C7' -stroke '#44546A' -draw "rectangle 17,4 30,12" -fill '#36C24A' -stroke none \
    -draw "rectangle 27,9 28,10" -fill '#44546A' -draw "rectangle 19,6 25,7" \
    -fill white -stroke '#2F5E9E' -draw "circle 40,8 40,1" -stroke '#C0392B' -draw "line 40,8 40,3" \
    -draw "line 40,8 44,8" \
    -fill '#36A852' -stroke '#206B34' -draw "polygon 51,2 61,8 51,14" tabs.bmp

# Bitmaps of the pages: 207 page foot (bottom left, 535 x 43, the maker's notice is
# drawn over its left part), 209 right edge picture, 240 head of the initial screen.
bmp -size 535x43 gradient:'#FFFFFF-#E3ECF8' -fill '#CFDDEF' -stroke none \
    -draw "path 'M 0,34 Q 130,24 270,31 T 535,22 L 535,43 L 0,43 Z'" -fill '#B6CAE4' -draw "rectangle 0,42 535,42" \
    page_foot.bmp
bmp -size 120x96 xc:white -fill '#EEF3FA' -stroke none -draw "circle 80,56 80,4" \
    -fill none -stroke '#C9D8EC' -strokewidth 6 -draw "circle 76,50 76,24" -strokewidth 10 -draw "line 95,70 112,88" \
    page_side.bmp
logo 24 14 1.6
bmp -size 520x100 gradient:'#EAF2FC-#FFFFFF' -fill '#DDE8F6' -stroke none -draw "circle 470,40 470,-40" \
    "${D[@]}" -stroke none -fill "$NAVY" -font "$BOLD" -pointsize 20 -draw "text 90,46 '애드웨어 검색 및 치료'" \
    -fill '#51627A' -pointsize 12 -draw "text 92,72 '검사시작을 누르면 이 PC에서 애드웨어를 찾아 목록으로 보여 줍니다.'" \
    scan_head.bmp

# Bitmap 260: title of the ActiveX block list page, 463 x 76: the controls a
# user does not want can be picked out and blocked by hand.
activex_head() {
  pict_activex "$NAVY"
  bmp -size 463x76 gradient:'#EAF2FC-#FFFFFF' -fill '#DDE8F6' -stroke none -draw "circle 420,30 420,-40" \
      "${D[@]}" \
      -stroke none -fill "$NAVY" -font "$BOLD" -pointsize 20 -draw "text 62,34 'Active X 차단'" \
      -fill '#51627A' -pointsize 12 -draw "text 64,58 '원하지 않는 Active X 컨트롤을 골라서 직접 차단할 수 있습니다.'" \
      activex_head.bmp
}
activex_head

# Pictures of the reports page in Chronik.dll: 1002 is page_foot.bmp again,
# 1003 the head of the page (drawn at 30,25; the blue hint line sits under it
# at x 95), 1004 the two tick-box header images of 131 (unchecked, checked).
pict_reports "$BLUE"
bmp -size 470x52 xc:white -fill '#EEF3FA' -stroke none -draw "circle 430,26 430,-24" \
    -draw "translate 0,2" "${D[@]}" \
    -stroke none -fill "$NAVY" -font "$BOLD" -pointsize 20 -draw "text 65,26 '검사 보고서'" \
    -fill '#51627A' -pointsize 12 -draw "text 66,46 '지난 검사의 기록을 읽고, 텍스트 파일로 저장하고, 지울 수 있습니다.'" \
    report_head.bmp
bmp -size 28x14 xc:magenta +antialias \
    -fill white -stroke '#1C5180' -draw "rectangle 1,1 12,12" -draw "rectangle 15,1 26,12" \
    -stroke '#21A121' -strokewidth 2 -fill none -draw "polyline 17,6 19,9 24,3" \
    report_checks.bmp

# Bitmap 253: head of the PC cleaning page, drawn at (40, 15) above its tabs.
D=(-fill none -stroke "$BLUE" -strokewidth 3 -draw "roundrectangle 22,16 58,42 3,3"
   -stroke none -fill "$BLUE" -draw "rectangle 37,43 43,47" -draw "roundrectangle 30,47 50,50 2,2"
   -fill "$ACCENT" -draw "polygon 40,21 42,27 48,29 42,31 40,37 38,31 32,29 38,27")
bmp -size 460x80 gradient:'#EAF2FC-#FFFFFF' -fill '#DDE8F6' -stroke none -draw "circle 420,30 420,-40" \
    "${D[@]}" -stroke none -fill "$NAVY" -font "$BOLD" -pointsize 20 -draw "text 80,38 'PC 청소'" \
    -fill '#51627A' -pointsize 12 -draw "text 82,62 '임시 파일과 쿠키, 휴지통, 작업 기록과 시작 프로그램을 정리합니다.'" \
    clean_head.bmp

# Bitmaps 282-290 of the activity-record and auto-record tabs: beside a ticked
# box a pictogram of what it erases, 40 x 30 on the tabs' white, with a red
# eraser badge; while any box is ticked, 287: a broom, 64 x 44.
record_picture() {  # name, then convert drawing arguments
  local name=$1
  shift
  bmp -size 40x30 xc:white "$@" \
      -stroke white -strokewidth 1.5 -fill '#D64541' -draw "circle 32,22 32,14.5" \
      -strokewidth 2 -draw "line 29,19 35,25" -draw "line 35,19 29,25" "record_$name.bmp"
}
record_picture visit_history \
    -fill '#EAF2FC' -stroke "$BLUE" -strokewidth 2 -draw "circle 16,14 16,2" \
    -fill none -strokewidth 1.2 -draw "ellipse 16,14 5,12 0,360" -draw "line 4,14 28,14" \
    -draw "line 6,8 26,8" -draw "line 6,20 26,20"
record_picture typed_urls \
    -fill white -stroke "$BLUE" -strokewidth 1.5 -draw "roundrectangle 1,5 35,17 3,3" \
    -stroke none -fill "$BLUE" -font "$BOLD" -pointsize 9 -draw "text 4,15 'http://'" \
    -stroke '#8FA7C7' -strokewidth 1 -draw "line 4,22 22,22" -draw "line 4,26 18,26"
record_picture recent_docs \
    -fill white -stroke "$BLUE" -strokewidth 1.5 -draw "polygon 7,2 19,2 25,8 25,28 7,28" \
    -fill '#EAF2FC' -draw "polygon 19,2 19,8 25,8" \
    -stroke '#8FA7C7' -strokewidth 1 -draw "line 10,13 22,13" -draw "line 10,17 22,17" -draw "line 10,21 18,21"
record_picture run_mru \
    -fill white -stroke "$BLUE" -strokewidth 1.5 -draw "rectangle 1,3 31,25" \
    -stroke none -fill "$BLUE" -draw "rectangle 1,3 31,8" \
    -stroke "$NAVY" -strokewidth 2 -fill none -draw "polyline 6,13 10,16 6,19" -draw "line 12,20 18,20"
record_picture form_data \
    -fill '#F4F8FD' -stroke "$BLUE" -strokewidth 1.5 -draw "rectangle 1,1 30,28" \
    -fill white -strokewidth 1 -draw "rectangle 5,6 26,11" -draw "rectangle 5,16 26,21" \
    -stroke "$NAVY" -draw "line 7,7.5 7,9.5" -draw "line 7,17.5 7,19.5"
record_picture passwords \
    -fill white -stroke "$BLUE" -strokewidth 1.5 -draw "roundrectangle 1,4 35,16 3,3" \
    -stroke none -fill "$NAVY" -draw "circle 8,10 8,8" -draw "circle 15,10 15,8" -draw "circle 22,10 22,8" \
    -fill none -stroke "$ACCENT" -strokewidth 2 -draw "circle 8,23 8,19" -draw "line 12,23 22,23" -draw "line 19,23 19,26"
record_picture player_history \
    -fill "$BLUE" -stroke "$NAVY" -strokewidth 1.5 -draw "circle 15,14 15,2" \
    -stroke none -fill white -draw "polygon 11,8 21,14 11,20"
bmp -size 64x44 xc:white \
    -fill none -stroke '#8B5A2B' -strokewidth 3 -draw "line 54,3 33,24" \
    -stroke '#6E4420' -strokewidth 1 -fill "$ACCENT" -draw "polygon 28,20 38,30 26,42 10,41 6,36" \
    -stroke '#B87A00' -draw "line 14,39 30,27" -draw "line 19,41 33,30" \
    -stroke none -fill "$BLUE" -draw "polygon 12,8 13.5,12 17.5,13.5 13.5,15 12,19 10.5,15 6.5,13.5 10.5,12" \
    -draw "polygon 48,26 49,29 52,30 49,31 48,34 47,31 44,30 47,29" \
    record_any_ticked.bmp

# The setup program's welcome and finish pages: the picture on their left, 164 x 314.
logo 42 70 2.5
bmp -size 164x314 gradient:'#24569A-#0B1F3E' \
    -fill '#FFFFFF0C' -stroke none -draw "circle 150,20 150,-90" -draw "circle 10,300 10,210" \
    "${D[@]}" \
    -stroke none -fill white -font "$SQUARE" -pointsize 26 -draw "text 33,205 'Purvex'" \
    -fill "$ACCENT" -draw "rectangle 34,216 130,218" \
    -font "$BOLD" -pointsize 11 -fill '#9DB3D3' -draw "text 12,300 '(주)Orvane'" setup_side.bmp

# The updater's banner (bitmap 130, 413 x 99; the lower left stays plain: the
# window writes its status lines there, at (15, 62) and (15, 80)) and its
# program icon (icon 128: 48, 32 and 16 pixels), into updater/res/: two
# turning arrows in a round badge, drawn on a 96 x 96 canvas.
updater=$here/../updater/res
arrows=(-fill "$BLUE" -stroke none -draw "circle 48,48 48,4"
        -fill none -stroke white -strokewidth 9
        -draw "arc 22,22 74,74 200,340" -draw "arc 22,22 74,74 20,160"
        -stroke none -fill white
        -draw "polygon 70,20 84,44 60,42" -draw "polygon 26,76 12,52 36,54")
convert -size 413x99 gradient:'#FFFFFF'-'#DCE8F7' \
  -fill "$NAVY" -draw "rectangle 0,0 412,4" \
  -font "$SQUARE" -pointsize 26 -fill "$NAVY" -annotate +15+38 'Freshen' \
  -font "$BOLD" -pointsize 12 -fill '#4A6A95' -annotate +128+37 'Purvex 업데이트' \
  -fill "$ACCENT" -draw "rectangle 15,46 180,47" \
  \( -size 96x96 xc:none "${arrows[@]}" -resize 74x74 \) -geometry +325+14 -composite \
  -alpha off -type TrueColor "BMP3:$updater/freshen_banner.bmp"
for size in 48 32 16; do
  convert -size 96x96 xc:none "${arrows[@]}" -resize ${size}x${size} "$tmp/freshen$size.png"
done
convert "$tmp/freshen48.png" "$tmp/freshen32.png" "$tmp/freshen16.png" "$updater/freshen.ico"

echo "pictures written to $out and $updater"
