#!/usr/bin/env bash
# Takes the README screenshots from the real program on the virtual mouse.
# Needs a build (scripts/build.sh) and the packages xvfb, xdotool, imagemagick.
set -euo pipefail
cd "$(dirname "$0")/.."
out=docs
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT

display=:$((90 + RANDOM % 9))
Xvfb "$display" -screen 0 1000x640x24 -nolisten tcp >/dev/null 2>&1 &
sleep 1
export DISPLAY=$display

shoot() { # language, view button x, file name
  rm -rf "$work/app" && mkdir -p "$work/app"
  cp build/bin/skelda "$work/app/" && cp -r build/bin/modules "$work/app/"
  sed -i "s/^language=.*/language=$1/" "$work/app/modules/setting/apConfig.bin"
  SKELDA_VIRTUAL_DEVICE=mouse "$work/app/skelda" >/dev/null 2>&1 &
  local pid=$!
  sleep 6
  if [ "$2" != "-" ]; then
    xdotool mousemove "$2" 617 click 1
    sleep 1
  fi
  import -window root "$out/$3"
  kill "$pid"
  wait "$pid" 2>/dev/null || true
}

shoot English - main-top.png
shoot English 577 main-side.png
shoot ChineseSimplified - main-top-zh.png
shoot ChineseSimplified 577 main-side-zh.png
