#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs them two at a time for a total
# of twice SECONDS (default 60), shared out among the targets, so that a new
# target does not lengthen CI. New inputs go to build-fuzz/corpus-*; the seeds in
# fuzz/corpus stay as they are. Crashes are written to build-fuzz/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
for p in clang libclang-rt-14-dev; do
  dpkg -s "$p" >/dev/null 2>&1 || { apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq clang libclang-rt-14-dev; break; }
done
CXX=clang++ cmake -S . -B build-fuzz -DVXLO_FUZZ=ON -DVXLO_GUI=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz -j2
targets=$(cd build-fuzz/fuzz && ls fuzz_* | grep -v '\.' || true)
count=$(echo $targets | wc -w)
rounds=$(( (count + 1) / 2 ))
seconds=$(( seconds * 2 / (rounds > 0 ? rounds : 1) ))
run_one() {
  local t=$1 name=${1#fuzz_}
  mkdir -p "build-fuzz/corpus-$name"
  (cd build-fuzz && ./fuzz/"$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -artifact_prefix="$PWD/$t-" "corpus-$name" "../fuzz/corpus/$name" 2>"$t.log") \
    && echo "$t: $(grep -o 'Done [0-9]* runs' "build-fuzz/$t.log")" \
    || { echo "$t FAILED"; tail -40 "build-fuzz/$t.log"; return 1; }
}
status=0
set -- $targets
while [ $# -gt 0 ]; do
  run_one "$1" & a=$!
  b=""
  if [ $# -gt 1 ]; then run_one "$2" & b=$!; fi
  wait $a || status=1
  [ -n "$b" ] && { wait $b || status=1; }
  shift; [ $# -gt 0 ] && shift
done
exit $status
