#!/bin/sh
# Makes the sample pictures that sit next to the built programs, so that the
# default settings (picture folder = program folder) have something to show.
# Needs ImageMagick's convert. The output is committed; run this again only to
# change the pictures. Everything is drawn here, nothing is taken from elsewhere.
set -eu
cd "$(dirname "$0")"
IM="convert -seed 7"

# Evening sky with a low sun over two rows of hills.
$IM -size 640x400 gradient:'#ff9e5e'-'#3b1f5c' -rotate 180 \
    -fill '#ffe7a0' -draw 'circle 420,250 420,200' \
    -fill '#2a1640' -draw 'polygon 0,400 0,300 90,270 200,300 320,260 460,310 560,280 640,300 640,400' \
    -fill '#160b24' -draw 'polygon 0,400 0,350 120,320 260,355 400,330 520,360 640,340 640,400' \
    -blur 0x0.6 -quality 82 sample-1-evening.jpg

# Sea under a clear sky: bands of waves drawn as soft sine curves.
$IM -size 640x400 gradient:'#bfe6ff'-'#0a3d73' \
    \( -size 640x400 xc:none -fill '#ffffff30' \
       -draw 'path "M 0,230 Q 80,215 160,230 T 320,230 T 480,230 T 640,230 L 640,240 L 0,240 Z"' \
       -draw 'path "M 0,290 Q 80,270 160,290 T 320,290 T 480,290 T 640,290 L 640,302 L 0,302 Z"' \
       -draw 'path "M 0,350 Q 80,325 160,350 T 320,350 T 480,350 T 640,350 L 640,365 L 0,365 Z"' \) \
    -composite -fill '#fff8dc' -draw 'circle 120,90 120,62' -blur 0x1 -quality 82 sample-2-sea.jpg

# Soft coloured clouds.
$IM -size 480x360 plasma:'#6fb3d2'-'#f4c2d7' -blur 0x6 -modulate 105,80 -quality 80 sample-3-clouds.jpg

# Concentric rings in a few flat colours.
$IM -size 320x240 xc:'#fdf6e3' \
    -fill '#268bd2' -draw 'circle 160,120 160,10' \
    -fill '#fdf6e3' -draw 'circle 160,120 160,30' \
    -fill '#2aa198' -draw 'circle 160,120 160,50' \
    -fill '#fdf6e3' -draw 'circle 160,120 160,70' \
    -fill '#b58900' -draw 'circle 160,120 160,90' \
    -fill '#fdf6e3' -draw 'circle 160,120 160,105' \
    -fill '#dc322f' -draw 'circle 160,120 160,114' \
    -colors 16 sample-4-rings.gif

# Diagonal stripes.
$IM -size 320x240 xc:'#264653' \
    -fill '#2a9d8f' -draw 'polygon 0,0 80,0 320,240 240,240' \
    -fill '#e9c46a' -draw 'polygon 120,0 160,0 320,160 320,200' \
    -fill '#f4a261' -draw 'polygon 0,80 160,240 120,240 0,120' \
    -fill '#e76f51' -draw 'polygon 200,0 240,0 320,80 320,120' \
    -colors 16 sample-5-stripes.gif

# Night sky with stars and a crescent moon (8-bit palette, run-length coded).
$IM -size 320x240 gradient:'#0b1030'-'#1d2b64' \
    -fill '#f5f3ce' -draw 'circle 250,60 250,30' \
    -fill '#0e1538' -draw 'circle 236,52 236,24' \
    -fill white -draw 'point 30,40' -draw 'point 80,20' -draw 'point 120,70' -draw 'point 170,30' \
    -draw 'point 60,110' -draw 'point 140,140' -draw 'point 200,120' -draw 'point 290,150' \
    -draw 'point 20,180' -draw 'point 100,200' -draw 'point 230,210' -draw 'point 300,100' \
    -fill '#0a0a14' -draw 'polygon 0,240 0,215 60,200 130,220 200,205 260,222 320,210 320,240' \
    +dither -colors 32 -type Palette -compress RLE BMP3:sample-6-night.bmp

# Coloured blocks (8-bit palette, run-length coded).
$IM -size 320x240 xc:'#f0ead6' \
    -fill '#d62828' -draw 'rectangle 20,20 140,110' \
    -fill '#003049' -draw 'rectangle 160,20 300,70' \
    -fill '#f77f00' -draw 'rectangle 160,90 230,220' \
    -fill '#fcbf49' -draw 'rectangle 250,90 300,220' \
    -fill '#2a9d8f' -draw 'rectangle 20,130 140,220' \
    -colors 8 -type Palette -compress RLE BMP3:sample-7-blocks.bmp

ls -l sample-*
