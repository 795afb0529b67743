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
# The desktop the script runs on keeps its pointer settings.
export SKELDA_SYSTEM_POINTER=none

# The window leaves the corners outside its rounded frame transparent (dimmed by the
# mask while a dialog is open), and an X server without a compositor shows the window's
# premultiplied pixels as they are: the shot composes them over white, as on a page.
shot() { # file, "dimmed" while a dialog's mask covers the window
  local mask=()
  [ "${2:-}" = dimmed ] && mask=(-fx "u + (1 - u) * 144 / 255")
  import -window root "$1"
  convert "$1" \( modules/img/background.png -alpha extract "${mask[@]}" \) \
    -fx "u + (1 - v)" "$1"
}

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
  shot "$out/$3"
  kill "$pid"
  wait "$pid" 2>/dev/null || true
}

# A small recorded macro library, then clicks at window points (x,y ...) before the shot.
shoot_macros() { # language, file name, points
  local language=$1 file=$2
  shift 2
  rm -rf "$work/app" && mkdir -p "$work/app"
  cp build/bin/skelda "$work/app/" && cp -r build/bin/modules "$work/app/"
  sed -i "s/^language=.*/language=$language/" "$work/app/modules/setting/apConfig.bin"
  mkdir -p "$work/app/modules/macro"
  printf '[macro]\nmacroName=Reload, Quick Build, Jump Crouch\n' >"$work/app/modules/setting/name.bin"
  local n=0 name
  for name in "Reload" "Quick Build" "Jump Crouch"; do
    printf '[config]\nindex=%d\ntotal=0\nrepeat=1\ndid=-1\n' $n >"$work/app/modules/macro/$name.bin"
    n=$((n + 1))
  done
  printf '%s\n' '[config]' index=0 total=12 repeat=3 did=-1 '[macro]' '0="1,L Shift"' '1="0,40"' \
    '2="1,R"' '3="0,120"' '4="2,R"' '5="0,60"' '6="2,L Shift"' '7="0,350"' '8="3,MS-L"' \
    '9="0,80"' '10="4,MS-L"' '11="0,1500"' >"$work/app/modules/macro/Reload.bin"
  SKELDA_VIRTUAL_DEVICE=mouse "$work/app/skelda" >/dev/null 2>&1 &
  local pid=$!
  sleep 15
  local point
  for point in "$@"; do
    xdotool mousemove "${point%,*}" "${point#*,}" click 1
    sleep 1
  done
  shot "$out/$file" dimmed
  kill "$pid"
  wait "$pid" 2>/dev/null || true
}

# Button assignment: the filled panel with a hovered row, the menu with the DPI sub-menu
# beside button 3, and the single-key dialog with F5 typed.
shoot_buttons() { # language, file name suffix
  rm -rf "$work/app" && mkdir -p "$work/app"
  cp build/bin/skelda "$work/app/" && cp -r build/bin/modules "$work/app/"
  sed -i "s/^language=.*/language=$1/" "$work/app/modules/setting/apConfig.bin"
  SKELDA_VIRTUAL_DEVICE=mouse "$work/app/skelda" >/dev/null 2>&1 &
  local pid=$!
  sleep 15
  xdotool mousemove 180 181 click 1 mousemove 300 396 sleep 0.5 mousemove 440 441 click 1
  xdotool mousemove 180 244 click 1 mousemove 300 417 sleep 0.5 mousemove 440 525 click 1
  xdotool mousemove 180 160 sleep 1
  shot "$out/buttons-panel$2.png"
  xdotool mousemove 180 181 click 1 mousemove 300 396 sleep 0.5 mousemove 440 441 sleep 1
  shot "$out/buttons-menu$2.png"
  xdotool mousemove 180 202 click 1 mousemove 300 459 click 1 sleep 0.5 key F5 sleep 1
  shot "$out/buttons-key$2.png" dimmed
  kill "$pid"
  wait "$pid" 2>/dev/null || true
}

shoot English - main-top.png
shoot English 577 main-side.png
shoot ChineseSimplified - main-top-zh.png
shoot ChineseSimplified 577 main-side-zh.png
shoot_macros English macro-editor.png 139,336
shoot_macros ChineseSimplified macro-editor-zh.png 139,336

# The gun page with the shipped recoil pattern open, then its Insert Cursor dialog.
shoot_guns() { # language, page file, dialog file
  rm -rf "$work/app" && mkdir -p "$work/app"
  cp build/bin/skelda "$work/app/" && cp -r build/bin/modules "$work/app/"
  sed -i "s/^language=.*/language=$1/" "$work/app/modules/setting/apConfig.bin"
  SKELDA_VIRTUAL_DEVICE=mouse "$work/app/skelda" >/dev/null 2>&1 &
  local pid=$!
  sleep 15
  xdotool mousemove 139 370 click 1
  sleep 1
  xdotool mousemove 247 171 click 1
  sleep 1
  shot "$out/$2" dimmed
  xdotool mousemove 387 370 click 1
  sleep 1
  xdotool mousemove 424 328 click 1
  sleep 1
  shot "$out/$3" dimmed
  kill "$pid"
  wait "$pid" 2>/dev/null || true
}

shoot_guns English gun-page.png gun-insert.png
shoot_guns ChineseSimplified gun-page-zh.png gun-insert-zh.png
shoot_buttons English ""
shoot_buttons ChineseSimplified -zh
shoot_macros English macro-key.png 183,202 316,480 500,269
shoot_macros ChineseSimplified macro-key-zh.png 183,202 316,480 500,269

# The profile page with the context menu of its second row.
shoot_profiles() { # language, file name
  rm -rf "$work/app" && mkdir -p "$work/app"
  cp build/bin/skelda "$work/app/" && cp -r build/bin/modules "$work/app/"
  sed -i "s/^language=.*/language=$1/" "$work/app/modules/setting/apConfig.bin"
  SKELDA_VIRTUAL_DEVICE=mouse "$work/app/skelda" >/dev/null 2>&1 &
  local pid=$!
  sleep 15
  xdotool mousemove 80 620 click 1 sleep 1 mousemove 60 592 click 1 sleep 3
  xdotool mousemove 70 65 click 3 sleep 1 mousemove 120 136 sleep 1
  shot "$out/$2" dimmed
  kill "$pid"
  wait "$pid" 2>/dev/null || true
}

shoot_profiles English profiles.png
shoot_profiles ChineseSimplified profiles-zh.png
