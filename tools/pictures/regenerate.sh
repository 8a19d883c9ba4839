#!/bin/sh
# Rebuilds the picture generator and redraws everything in ../../resources:
# all PNG pictures, pictures.qrc and animata.gif.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
cd "$here"
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j 2
./build/draw ../../resources build/frames
./make_gif.sh build/frames ../../resources/animata.gif
