#!/usr/bin/env bash
# Draws the media window's and the about box's pictures and icons (needs ImageMagick).
# Run from this folder; the PNGs it writes are kept in the repository.
set -euo pipefail
mkdir -p media about

# A small island with two palm trees in a calm sea under an evening sky, 617 x 410.
convert -size 617x410 gradient:'#8fc8f0-#f6e2b8' \
  -fill '#2f7fb8' -draw 'rectangle 0,250 617,410' \
  -fill '#3c8fc6' -draw 'rectangle 0,262 617,268' -draw 'rectangle 0,292 617,296' -draw 'rectangle 0,330 617,333' \
  -fill '#fff2a8' -draw 'circle 500,90 500,125' \
  -fill '#e8d49a' -draw 'ellipse 300,262 170,34 180,360' \
  -fill '#d9c07e' -draw 'ellipse 300,266 120,20 0,180' \
  -stroke '#7a5230' -strokewidth 9 -fill none \
  -draw 'bezier 270,258 262,200 268,160 290,110' \
  -draw 'bezier 350,258 356,210 352,180 336,140' \
  -stroke '#2e7d32' -strokewidth 7 \
  -draw 'bezier 290,110 250,95 225,105 205,135' \
  -draw 'bezier 290,110 330,88 360,95 380,125' \
  -draw 'bezier 290,110 270,75 245,70 225,80' \
  -draw 'bezier 290,110 315,72 340,68 360,78' \
  -draw 'bezier 290,110 285,130 270,150 255,170' \
  -draw 'bezier 290,110 305,135 318,150 330,168' \
  -draw 'bezier 336,140 300,125 282,135 268,160' \
  -draw 'bezier 336,140 372,120 398,128 414,150' \
  -draw 'bezier 336,140 325,108 305,100 290,102' \
  -draw 'bezier 336,140 352,108 375,102 392,108' \
  -stroke none -fill '#5b3a1e' -draw 'circle 292,114 292,121' -draw 'circle 284,118 284,124' -draw 'circle 338,144 338,150' \
  -fill white -draw 'ellipse 120,70 45,14 0,360' -draw 'ellipse 150,62 35,12 0,360' \
  media/island.png

# The media window's icon: a play triangle on a disc.
convert -size 32x32 xc:none -fill '#1e6fb8' -draw 'circle 16,16 16,1' \
  -fill white -draw 'polygon 12,9 12,23 24,16' media/icon.png

# The about box: a pale beige surface, a small eye emblem top left, a thin rule low down, 414 x 273.
convert -size 414x273 gradient:'#f7f1e3-#efe4cc' \
  -fill '#8a6d3b' -draw 'ellipse 26,22 16,9 0,360' \
  -fill '#f7f1e3' -draw 'ellipse 26,22 13,7 0,360' \
  -fill '#2d5a8a' -draw 'circle 26,22 26,28' \
  -fill '#101820' -draw 'circle 26,22 26,25' \
  -fill white -draw 'circle 24,20 24,21' \
  -stroke '#a08a60' -strokewidth 1 -draw 'line 24,212 390,212' \
  about/background.png

# The about box's icon: the same eye.
convert -size 32x32 xc:none -fill '#8a6d3b' -draw 'ellipse 16,16 15,9 0,360' \
  -fill '#f7f1e3' -draw 'ellipse 16,16 12,7 0,360' -fill '#2d5a8a' -draw 'circle 16,16 16,22' \
  -fill '#101820' -draw 'circle 16,16 16,19' about/icon.png
