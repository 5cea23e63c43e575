#!/usr/bin/env bash
# Draws the program's icons and banner pictures with ImageMagick. The results are committed under
# resources/; run this again only to change a picture.
set -euo pipefail
cd "$(dirname "$0")/../resources"
IM=/usr/bin/convert-im6.q16
FONT=/usr/share/fonts/truetype/wqy/wqy-microhei.ttc
tmp=$(mktemp -d); trap 'rm -rf "$tmp"' EXIT

# A rounded tile of colour $2 with a white glyph drawn by the -draw list $3, on a 64x64 canvas.
tile() {  # out color draw
  $IM -size 64x64 xc:none -fill "$2" -draw "roundrectangle 2,2 61,61 12,12" \
      -fill white -stroke white -strokewidth 0 $3 "$1"
}
# Bundle a 64x64 drawing into an icon with the sizes Windows asks for.
ico64() {  # src out
  for s in 48 32 16; do $IM "$1" -resize ${s}x${s} "$tmp/s$s.png"; done
  $IM "$1" "$tmp/s48.png" "$tmp/s32.png" "$tmp/s16.png" -define icon:format=bmp "$2"
}
# The small buttons' icons: 60x60, the glyph in the upper 42 pixels, the band below left clear
# for the button's caption.
ico60() {  # src out
  $IM "$1" -resize 42x42 -background none -gravity north -extent 60x60 "$tmp/s60.png"
  $IM "$1" -resize 32x32 "$tmp/s32.png"; $IM "$1" -resize 16x16 "$tmp/s16.png"
  $IM "$tmp/s60.png" "$tmp/s32.png" "$tmp/s16.png" -define icon:format=bmp "$2"
}

GREEN='#2e9d4f'; BLUE='#2f6fc4'; ORANGE='#e07b1a'; RED='#d23c3c'; GREY='#5b6470'; PURPLE='#7b4fc4'
TRASH=(-draw "rectangle 20,22 44,52" -draw "rectangle 16,16 48,20" -draw "rectangle 27,11 37,16"
       -fill "$GREEN" -draw "rectangle 25,26 27,48 rectangle 31,26 33,48 rectangle 37,26 39,48")
CHECKLIST=(-draw "rectangle 14,14 22,22 rectangle 14,29 22,37 rectangle 14,44 22,52"
           -draw "rectangle 27,16 50,20 rectangle 27,31 50,35 rectangle 27,46 50,50")
CLOCK=(-strokewidth 4 -fill none -draw "circle 32,32 32,12" -draw "line 32,32 32,18 line 32,32 43,38")
WINDOW=(-fill none -strokewidth 3 -draw "rectangle 12,14 52,50" -fill white -draw "rectangle 12,14 52,22"
        -strokewidth 2 -draw "line 18,30 46,30 line 18,37 46,37 line 18,44 38,44")
BOLT=(-draw "polygon 36,8 16,36 30,36 24,56 48,26 34,26 42,8")
KEYBOARD=(-fill none -strokewidth 3 -draw "roundrectangle 8,18 56,46 4,4" -fill white -strokewidth 0
          -draw "rectangle 14,24 19,29 rectangle 23,24 28,29 rectangle 32,24 37,29 rectangle 41,24 46,29"
          -draw "rectangle 14,33 19,38 rectangle 23,33 41,38 rectangle 45,33 50,38")
SHRED=(-draw "rectangle 14,10 50,28" -fill "$PURPLE" -draw "rectangle 18,14 46,15 rectangle 18,19 40,20"
       -fill white -draw "rectangle 10,28 54,34"
       -draw "rectangle 15,36 18,54 rectangle 22,36 25,50 rectangle 29,36 32,55 rectangle 36,36 39,49 rectangle 43,36 46,53")
EYE=(-fill none -strokewidth 4 -draw "ellipse 32,32 22,12 0,360" -fill white -draw "circle 32,32 32,25"
     -stroke "$GREY" -strokewidth 7 -draw "line 12,52 52,12" -stroke white -strokewidth 4 -draw "line 12,52 52,12")

mkdir -p icons banners
draw() {  # out color glyph...
  local out=$1 color=$2; shift 2
  $IM -size 64x64 xc:none -fill "$color" -draw "roundrectangle 2,2 61,61 12,12" \
      -fill white -stroke white -strokewidth 0 "$@" "$out"
}
draw "$tmp/1.png" "$GREEN" "${TRASH[@]}";      ico64 "$tmp/1.png" icons/button1_junk_clean.ico
draw "$tmp/2.png" "$GREEN" "${CHECKLIST[@]}";  ico64 "$tmp/2.png" icons/button2_junk_scope.ico
draw "$tmp/3.png" "$BLUE" "${CHECKLIST[@]}";   ico64 "$tmp/3.png" icons/button3_history_scope.ico
draw "$tmp/4.png" "$BLUE" "${CLOCK[@]}";       ico64 "$tmp/4.png" icons/button4_history_clean.ico
draw "$tmp/5.png" "$ORANGE" "${CHECKLIST[@]}"; ico64 "$tmp/5.png" icons/button5_software_scope.ico
draw "$tmp/6.png" "$ORANGE" "${WINDOW[@]}";    ico64 "$tmp/6.png" icons/button6_software_clean.ico
draw "$tmp/7.png" "$RED" "${BOLT[@]}";         ico64 "$tmp/7.png" icons/button7_clean_all.ico
draw "$tmp/8.png" "$GREY" "${KEYBOARD[@]}";    ico60 "$tmp/8.png" icons/button8_hotkeys.ico
draw "$tmp/9.png" "$PURPLE" "${SHRED[@]}";     ico64 "$tmp/9.png" icons/button9_shredder.ico
draw "$tmp/10.png" "$GREY" "${EYE[@]}";        ico60 "$tmp/10.png" icons/button10_hide.ico
draw "$tmp/app.png" "$GREEN" "${BOLT[@]}";     ico64 "$tmp/app.png" icons/app.ico

# Banner pictures: 450x150, 8-bit RGB, no alpha, not interlaced.
banner() {  # out color1 color2 title subtitle glyph-png
  $IM -size 150x450 "gradient:$2-$3" -rotate 90 \
      \( "$6" -resize 110x110 \) -gravity west -geometry +20+0 -composite \
      -gravity northwest -font "$FONT" -fill white -pointsize 30 -annotate +150+34 "$4" \
      -pointsize 15 -annotate +152+86 "$5" \
      -alpha off -interlace none -depth 8 -define png:color-type=2 "PNG24:$1"
}
banner banners/banner1.png '#1f7a3d' '#5cc07a' "一键清理系统垃圾" "56 种垃圾文件类型，可选择驱动器
快捷键 Ctrl + Alt + Shift + 3" "$tmp/1.png"
banner banners/banner2.png '#1d4f94' '#5e9be0' "清理系统历史记录" "地址栏、最近文档、运行记录等十类痕迹
快捷键 Ctrl + Alt + Shift + 4" "$tmp/4.png"
banner banners/banner3.png '#4d2d8a' '#9a78d8' "文件粉碎，防止恢复" "先用随机数据覆写，再改名删除
被粉碎的文件无法用恢复工具找回" "$tmp/9.png"
banner banners/banner4.png '#3a4048' '#808a96' "全局快捷键" "Ctrl + Alt + Shift + 1 至 6
窗口隐藏时也能显示窗口、一键清理或退出" "$tmp/8.png"
echo "drawn into $(pwd)"

# Reference pixels of each banner, read by ImageMagick, for the decoder's tests: "file x y r g b".
for i in 1 2 3 4; do
  for xy in "0 0" "449 149" "225 75" "60 75" "300 40"; do
    set -- $xy
    rgb=$($IM "banners/banner$i.png" -format "%[fx:int(255*u.p{$1,$2}.r)] %[fx:int(255*u.p{$1,$2}.g)] %[fx:int(255*u.p{$1,$2}.b)]" info:)
    echo "banner$i.png $1 $2 $rgb"
  done
done > banners/samples.txt
