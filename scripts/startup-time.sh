#!/bin/sh
# How long the program takes to start on a big ledger, as a whole process
# in a real window (Xvfb): from the start of the process to its sign-in
# window, and from Enter in the password box to the main window, shown and
# idle. Repeats the run and prints each, then the medians.
#   sh scripts/startup-time.sh [RUNS]        (default 10)
set -e
cd "$(dirname "$0")/.."
RUNS=${1:-10}
ROOT=$(pwd)
WORK=$(mktemp -d)
trap 'kill $XVFB 2>/dev/null; rm -rf "$WORK"' EXIT
build/tools/ledger/ledger-sample "$WORK/fmy.dll" 200000 20 1965 >/dev/null
Xvfb :94 -screen 0 1280x900x24 -nolisten tcp >/dev/null 2>&1 &
XVFB=$!
export DISPLAY=:94 QT_QPA_PLATFORM=xcb
sleep 1
cd "$WORK"
i=0
: > times
while [ $i -lt "$RUNS" ]; do
  before=$(date +%s%N)
  "$ROOT/build/bench/app/startup_probe" 2>/dev/null | awk -v b="$before" \
    '{ printf "%.3f %.3f %.3f\n", ($2 - b) / 1e9, ($4 - $3) / 1e9, ($4 - b - ($3 - $2)) / 1e9 }' >> times
  i=$((i + 1))
done
echo "到登录窗口 (s)  回车到主窗口 (s)  合计 (s，不含登录窗口等待)"
cat times
sort -n -k1 times | awk '{ a[NR] = $1 } END { printf "中位数：到登录窗口 %s", a[int((NR + 1) / 2)] }'
sort -n -k2 times | awk '{ a[NR] = $2 } END { printf "，回车到主窗口 %s", a[int((NR + 1) / 2)] }'
sort -n -k3 times | awk '{ a[NR] = $3 } END { printf "，合计 %s\n", a[int((NR + 1) / 2)] }'
