#!/usr/bin/env bash
# Builds the program and starts it on a copy of the bundled sample dictionary,
# so the shipped files stay as they are. The sample's games are copied beside
# it and imported by corners, so the explorer has games on this machine's path.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release "-DCMAKE_CXX_FLAGS_RELEASE=-O2 -DNDEBUG" >/dev/null
cmake --build build -j2 --target vxlo vxlo-tool
work="${XDG_DATA_HOME:-$HOME/.local/share}/vxlo"
mkdir -p "$work"
cp data/sample.jsk "$work/sample.jsk"
# Its comments and board markup travel with it. A journal left by an earlier
# run that was killed would be rolled back into the fresh copy.
rm -f "$work/sample.comments.sqlite-journal"
cp data/sample.comments.sqlite "$work/sample.comments.sqlite"
cp data/sample-games.sgf "$work/sample-games.sgf"
# The import's summary only when it fails.
if ! summary=$(build/src/gui/vxlo-tool import --corners "$work/sample.jsk" "$work/sample-games.sgf" 2>&1); then
  echo "$summary" >&2
  exit 1
fi
exec build/src/gui/vxlo "$work/sample.jsk"
