#!/bin/sh
# Shows every page of the program in a real window on a virtual display
# (Xvfb) and saves what it looks like, for a person to look at:
#   sh scripts/screenshots.sh [FOLDER]     (default: build/xvfb-screenshots)
# The program runs on a sample ledger of a year, signed in as the default user.
set -e
cd "$(dirname "$0")/.."
OUT=${1:-build/xvfb-screenshots}
mkdir -p "$OUT"
OUT=$(cd "$OUT" && pwd)
WORK=$(mktemp -d)
trap 'kill $APP $XVFB 2>/dev/null; rm -rf "$WORK"' EXIT
build/tools/ledger/ledger-sample "$WORK/fmy.dll" 3000 1 >/dev/null
Xvfb :93 -screen 0 1280x900x24 -nolisten tcp >/dev/null 2>&1 &
XVFB=$!
export DISPLAY=:93
sleep 1
(cd "$WORK" && exec "$OLDPWD/build/src/app/jizhangben") &
APP=$!
sleep 2
xdotool key Return # the password box has the focus; the default user has none
sleep 2
# The navigation labels, from the top of the column: name and height. The
# window's client area starts at 213,167 (no window manager on Xvfb).
for label in Label1:41 Label2:72 Label3:101 L1:136 L2:168 L3:207 L4:235 L5:273 L6:300 L7:324 L9:360 L8:391 L10:415; do
  name=${label%%:*}
  top=${label#*:}
  xdotool mousemove $((213 + 96)) $((167 + 81 + top + 12)) click 1
  sleep 1
  import -window root "$OUT/page-$name.png"
done
echo "截图已保存在 $OUT"
