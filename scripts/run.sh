#!/usr/bin/env bash
# Builds the program and starts it on a copy of the bundled sample dictionary,
# so the shipped files stay as they are.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release "-DCMAKE_CXX_FLAGS_RELEASE=-O2 -DNDEBUG" >/dev/null
cmake --build build -j2 --target vxlo
work="${XDG_DATA_HOME:-$HOME/.local/share}/vxlo"
mkdir -p "$work"
cp data/sample.jsk "$work/sample.jsk"
# Its comments and board markup travel with it.
cp data/sample.comments.sqlite "$work/sample.comments.sqlite"
exec build/src/gui/vxlo "$work/sample.jsk"
