#!/bin/bash
# Builds the Debian package, unpacks it into a fresh prefix nobody may write,
# runs the installed program as an unprivileged user with a fresh home on the
# virtual mouse under its own X server, changes the DPI of stage 1 with the
# pointer, and checks where that change landed.
# Usage: installed_program.sh <build folder>
set -euo pipefail

build=$(cd "$1" && pwd)
work=$(mktemp -d)
xpid=
app=
cleanup() {
  [ -n "$app" ] && kill "$app" 2>/dev/null || true
  [ -n "$xpid" ] && kill "$xpid" 2>/dev/null || true
  wait 2>/dev/null || true
  chmod -R u+w "$work" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# 1. The package, from the same install rules as cmake --install.
cpack --config "$build/CPackConfig.cmake" -B "$work/package" >"$work/cpack.log" 2>&1 \
  || { cat "$work/cpack.log"; fail "cpack"; }
deb=$(ls "$work"/package/*.deb)
dpkg-deb --field "$deb" Depends | grep -q 'libhidapi-hidraw0' || fail "no hidapi dependency declared"
dpkg-deb --field "$deb" Depends | grep -q 'qml6-module-qtquick' || fail "no QML module dependency declared"

# 2. A fresh root: owned by root where we are root, read-only for everybody else anyway.
root="$work/root"
mkdir "$root"
dpkg-deb -x "$deb" "$root"
chmod -R a-w "$root"
prefix="$root/usr"
for f in bin/skelda share/applications/com.dornak.Skelda.desktop \
    share/metainfo/com.dornak.Skelda.metainfo.xml lib/udev/rules.d/70-skelda-mouse.rules \
    share/icons/hicolor/256x256/apps/com.dornak.Skelda.png share/skelda/modules/setting/p1.bin \
    share/skelda/modules/gun/gunData.bin share/skelda/modules/img/trayIcon.ico \
    share/bash-completion/completions/skelda; do
  [ -e "$prefix/$f" ] || fail "package lacks $f"
done
[ -e "$prefix/share/skelda/modules/img/skingen" ] && fail "package holds the picture generator"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$prefix/share/applications/com.dornak.Skelda.desktop" || fail "desktop entry"
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$prefix/share/metainfo/com.dornak.Skelda.metainfo.xml" \
    >"$work/appstream.log" 2>&1 || { cat "$work/appstream.log"; fail "metainfo"; }
fi
factory_before=$(cd "$prefix/share/skelda" && find . -type f -exec sha256sum {} + | sort)
root_before=$(cd "$root" && find . | sort)

# 3. Two users' homes: the program runs as the first; the second is never touched.
user_uid=$(id -u)
home="$work/home-one"
other="$work/home-two"
mkdir -p "$home" "$other/.local/share"
echo "mine" >"$other/.local/share/note"
run_as=()
if [ "$user_uid" = 0 ]; then
  user_uid=65534
  chown -R 65534:65534 "$home"
  chmod 755 "$work"
  run_as=(setpriv --reuid=65534 --regid=65534 --clear-groups)
fi
other_before=$(cd "$other" && find . -exec stat -c '%n %s %Y' {} + | sort)

exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -ac >"$work/xvfb.log" 2>&1 &
xpid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
display=":$(head -n1 "$work/display")"
[ "$display" != ":" ] || fail "Xvfb did not start"

trace="$home/trace.txt"
env -i PATH=/usr/bin:/bin HOME="$home" DISPLAY="$display" QT_QPA_PLATFORM=xcb \
  SKELDA_VIRTUAL_DEVICE=mouse SKELDA_HID_TRACE="$trace" SKELDA_SYSTEM_POINTER=none \
  "${run_as[@]}" "$prefix/bin/skelda" >"$work/program.log" 2>&1 &
app=$!

started="feature-out 00 03 01 0f 8a 4d 00 00 15"
for _ in $(seq 300); do grep -q "$started" "$trace" 2>/dev/null && break; sleep 0.1; done
grep -q "$started" "$trace" 2>/dev/null || { cat "$work/program.log"; fail "the program did not reach the mouse"; }
[ "$(stat -c %u "$home/.local/share/skelda/modules/setting/p1.bin")" = "$user_uid" ] \
  || fail "the user's data tree is not the user's"

window=
for _ in $(seq 100); do
  window=$(DISPLAY=$display xdotool search --onlyvisible --pid "$app" 2>/dev/null | head -n1) || true
  [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || fail "no window"
eval "$(DISPLAY=$display xdotool getwindowgeometry --shell "$window")"

# Stage 1's slider near its top: 6000 DPI, sent as 5e in the DPI block.
changed="out 00 5e 07 0f 17 1f 31 80 80"
# Clicks are lost while the screen is locked; clicking the same spot again sets the same value.
for _ in $(seq 32); do
  DISPLAY=$display xdotool mousemove $((X + 755)) $((Y + 90)) click 1
  for _ in $(seq 10); do grep -q "$changed" "$trace" && break 2; sleep 0.1; done
done
grep -q "$changed" "$trace" || fail "the DPI change did not reach the mouse"
for _ in $(seq 50); do
  grep -q '^dpi_Z5=6000, ' "$home/.local/share/skelda/modules/setting/p1.bin" && break
  sleep 0.1
done
grep -q '^dpi_Z5=6000, ' "$home/.local/share/skelda/modules/setting/p1.bin" \
  || fail "the change is not in the user's data tree"

kill "$app"; wait "$app" 2>/dev/null || true; app=

factory_after=$(cd "$prefix/share/skelda" && find . -type f -exec sha256sum {} + | sort)
[ "$factory_before" = "$factory_after" ] || fail "the factory tree changed"
other_after=$(cd "$other" && find . -exec stat -c '%n %s %Y' {} + | sort)
[ "$other_before" = "$other_after" ] || fail "the second user's home changed"
[ "$root_before" = "$(cd "$root" && find . | sort)" ] || fail "something was written into the prefix"
echo "PASS: installed program keeps its settings in the user's home"
