#!/bin/sh
# Assembles the footer strip animata.gif (451 x 10, 9 frames, 50 ms each,
# endless loop) from the frames written by ./build/draw.
#
#   ./make_gif.sh [FRAMES_DIR] [OUTPUT_GIF]
#
# Defaults: build/frames and ../../resources/animata.gif (relative to this
# folder). Needs ImageMagick's convert.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
frames=${1:-$here/build/frames}
out=${2:-$here/../../resources/animata.gif}

count=$(ls "$frames"/frame_*.png 2>/dev/null | wc -l)
if [ "$count" -ne 9 ]; then
  echo "make_gif.sh: expected 9 frames in $frames, found $count" >&2
  exit 1
fi

# Full-size frames, no layer optimisation: every frame stays 451x10 at +0+0.
# -delay is in hundredths of a second: 5 = 50 ms.
convert -delay 5 -loop 0 -dispose none \
  "$frames"/frame_0.png "$frames"/frame_1.png "$frames"/frame_2.png \
  "$frames"/frame_3.png "$frames"/frame_4.png "$frames"/frame_5.png \
  "$frames"/frame_6.png "$frames"/frame_7.png "$frames"/frame_8.png \
  +dither -strip "$out"

identify "$out"
