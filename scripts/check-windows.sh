#!/usr/bin/env bash
# The Windows-only sources cannot be built here, but they can be compiled: a
# syntax-only pass of every *_win.cpp with the MinGW-w64 cross compiler against
# the Qt and hidapi headers, so the Windows layer cannot rot unseen.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh g++-mingw-w64-x86-64

compiler=x86_64-w64-mingw32-g++-posix
qt=$(pkg-config --variable=includedir Qt6Core 2>/dev/null || echo /usr/include/x86_64-linux-gnu/qt6)
[ -d "$qt/QtCore" ] || qt=/usr/include/x86_64-linux-gnu/qt6
# The Linux-built Qt headers declare their exports for Linux; MinGW notes each one.
flags=(-std=c++17 -fsyntax-only -Wno-attributes -I. -I"$qt" -I/usr/include/hidapi)
for module in QtCore QtGui QtWidgets QtNetwork QtConcurrent QtQml QtQuick; do
  flags+=(-I"$qt/$module")
done

failed=0
checked=0
while IFS= read -r source; do
  checked=$((checked + 1))
  if ! "$compiler" "${flags[@]}" "$source"; then
    echo "FAIL: $source" >&2
    failed=1
  fi
done < <(git ls-files '*_win.cpp')
[ "$checked" -gt 0 ] || { echo "no Windows sources found" >&2; exit 1; }
echo "$checked Windows sources compiled"
exit "$failed"
