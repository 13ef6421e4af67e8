#!/bin/sh
# Builds the program and starts it in run/, a working folder kept between
# runs, on a starting database created there the first time. Without a
# display it runs under Xvfb, saves screenshots and says where.
set -e
cd "$(dirname "$0")/.."
sh scripts/build.sh
mkdir -p run
cd run
if [ ! -f fmy.dll ]; then
  ../build/tools/ledger/ledger-init fmy.dll
  echo "已在 $(pwd) 创建初始账本 fmy.dll"
fi
PROGRAM=../build/src/app/jizhangben
if [ -n "$DISPLAY" ] || [ -n "$WAYLAND_DISPLAY" ]; then
  exec "$PROGRAM"
fi

# No display: run on a virtual one and show what it looks like.
echo "没有图形显示，程序在虚拟显示 (Xvfb) 上运行。"
Xvfb :87 -screen 0 1280x900x24 -nolisten tcp >/dev/null 2>&1 &
XVFB=$!
trap 'kill $XVFB 2>/dev/null' EXIT
export DISPLAY=:87
sleep 1
"$PROGRAM" &
APP=$!
sleep 3
import -window root "$(pwd)/screenshot-signin.png"
# The password box has the focus; the default user has an empty password.
xdotool key Return
sleep 3
import -window root "$(pwd)/screenshot-main.png"
kill $APP 2>/dev/null || true
wait $APP 2>/dev/null || true
echo "截图已保存：$(pwd)/screenshot-signin.png 和 $(pwd)/screenshot-main.png"
