#!/usr/bin/env bash
# Draws the puzzle's built-in 400 × 400 picture: a landscape in which every part of
# the picture looks different, so that the tiles can be told apart.
set -eu
out=${1:-"$(dirname "$0")/puzzle-picture.jpg"}
font=$(fc-match -f '%{file}' 'WenQuanYi Zen Hei')
convert -size 400x400 gradient:'#3a7bd5-#fde9b0' \
  -fill '#ffd23f' -stroke '#f29e1f' -strokewidth 4 -draw 'circle 310,90 310,135' \
  -stroke none -fill 'rgba(255,255,255,0.85)' -draw 'ellipse 90,70 55,18 0,360' -draw 'ellipse 130,60 40,16 0,360' \
  -fill '#5b6f8a' -draw 'polygon 0,250 70,140 130,210 200,110 290,230 340,170 400,240 400,400 0,400' \
  -fill '#eef3f8' -draw 'polygon 200,110 182,140 196,135 207,146 218,134' -draw 'polygon 70,140 56,162 70,157 84,162' \
  -fill '#3f8f3a' -draw 'polygon 0,290 90,250 180,280 260,245 400,285 400,400 0,400' \
  -fill '#2f6fb0' -draw 'polygon 0,330 130,315 250,330 400,320 400,400 0,400' \
  -fill '#c0392b' -draw 'polygon 270,250 305,220 340,250' \
  -fill '#f5deb3' -draw 'rectangle 278,250 332,290' \
  -fill '#6b3e26' -draw 'rectangle 298,265 312,290' \
  -fill '#1e5b2a' -draw 'polygon 40,300 60,240 80,300' -draw 'polygon 95,292 112,245 129,292' \
  -fill '#6b3e26' -draw 'rectangle 56,300 64,312' -draw 'rectangle 108,292 116,302' \
  -fill white -stroke '#1b2a40' -strokewidth 2 -font "$font" -pointsize 44 -gravity south \
  -annotate +0+12 'Korvane 拼图' \
  -quality 90 "$out"
