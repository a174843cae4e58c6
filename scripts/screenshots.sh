#!/usr/bin/env bash
# Pictures of the window for the README: at first start on a copy of the
# sample, and with the lines panel (Ctrl+L) after two moves, in English and
# in Japanese. Needs a built program (scripts/run.sh builds it), xvfb,
# xdotool and ImageMagick; writes docs/screenshots/*.png.
set -euo pipefail
cd "$(dirname "$0")/.."
out=docs/screenshots
mkdir -p "$out"
shoot() {
  local language=$1 name=$2 keys=$3
  local work
  work=$(mktemp -d)
  mkdir -p "$work/config"
  printf '[Form]\nLanguage=%s\n' "$language" >"$work/config/VXLO.INI"
  cp data/sample.jsk data/sample.comments.sqlite data/sample-games.sgf "$work/"
  build/src/gui/vxlo-tool import --corners "$work/sample.jsk" "$work/sample-games.sgf" >/dev/null
  XDG_CONFIG_HOME="$work/config" xvfb-run -a -s "-screen 0 1600x1000x24" bash -c "
    build/src/gui/vxlo '$work/sample.jsk' & pid=\$!
    for i in \$(seq 50); do xdotool search --pid \$pid --onlyvisible --name . >/dev/null 2>&1 && break; sleep 0.2; done
    sleep 1.5
    win=\$(xdotool search --pid \$pid --onlyvisible --name . | head -1)
    for k in $keys; do xdotool windowfocus --sync \$win key --window \$win \$k; sleep 0.4; done
    sleep 0.8
    import -window root -trim +repage '$out/$name.png'
    kill \$pid"
  rm -rf "$work"
}
for language in en ja; do
  shoot "$language" "first-start-$language" ""
  shoot "$language" "lines-panel-$language" "ctrl+l Right Right"
done
echo "written: $(ls $out/*.png | tr '\n' ' ')"
