#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The Windows build check that can run on Linux: cross-compiles the library,
# dealwise-score and their tests with mingw-w64, with the version resource
# and the icon; runs the tests under Wine; and reads the resources back out of
# the .exe. The Qt windows are not built for Windows here.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh --windows
export WINEDEBUG=-all WINEPREFIX="${WINEPREFIX:-$PWD/build/wineprefix}"
build=build/mingw

cmake -S . -B "$build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
    -DCMAKE_BUILD_TYPE=Release \
    -DDEALWISE_WINDOWS=OFF -DDEALWISE_BENCHMARKS=OFF \
    -DDEALWISE_GTEST_SOURCE_DIR=/usr/src/googletest >/dev/null
cmake --build "$build"
# The first start of Wine makes its prefix; do it once, before the tests time.
# Make the prefix once, then keep a persistent wineserver, so that tests
# running side by side never meet one that is shutting down; and start Wine's
# own services now, so that no test's output pipe is held open by them.
wine=$(command -v wine || echo /usr/lib/wine/wine64)
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
"$wine" wineboot --init >/dev/null 2>&1 || true
"$wineserver" -w
"$wineserver" -p
trap '"$wineserver" -k 2>/dev/null || true' EXIT
"$wine" cmd /c exit >/dev/null 2>&1 || true
ctest --test-dir "$build" --output-on-failure --parallel "$(nproc)"

exe="$build/src/cli/dealwise-score.exe"
echo "== resources of $exe"
work=$(mktemp -d)
trap 'rm -rf "$work"; "$wineserver" -k 2>/dev/null || true' EXIT
wrestool -x --raw --type=version -o "$work/version.res" "$exe"
wrestool -x --type=group_icon -o "$work" "$exe"

failed=0
version_strings=$(iconv -f UTF-16LE -t UTF-8 <"$work/version.res" | tr -c '[:print:]' '\n' | grep -v '^$')
for pair in "ProductName Dealwise" "FileVersion 1.00" "ProductVersion 1.00" "InternalName DealwiseV1" \
    "OriginalFilename DealwiseV1.exe"; do
    name=${pair%% *} value=${pair#* }
    if echo "$version_strings" | grep -A1 -x "$name" | tail -1 | grep -qx "$value"; then
        echo "  $name = $value"
    else
        echo "  $name is not $value"; failed=1
    fi
done
# The numeric versions follow the fixed record's signature and layout
# version: file 1.0 and 0.0, product 1.0 and 0.0, as little-endian words.
fixed="bd04effe""00000100""00000100""00000000""00000100""00000000"
if od -An -tx1 -v "$work/version.res" | tr -d ' \n' | grep -q "$fixed"; then
    echo "  numeric file and product version 1.0.0.0"
else
    echo "  numeric versions are not 1.0.0.0"; failed=1
fi

icon=$(ls "$work"/*.ico)
icons=$(icotool -l "$icon")
echo "$icons" | sed 's/^/  /'
for image in "--width=32 --height=32 --bit-depth=1 --palette-size=2" \
    "--width=32 --height=32 --bit-depth=4 --palette-size=16" \
    "--width=16 --height=16 --bit-depth=4 --palette-size=16"; do
    echo "$icons" | grep -q -- "$image" || { echo "  no icon image $image"; failed=1; }
done
[ "$(echo "$icons" | wc -l)" -eq 3 ] || { echo "  the icon group does not hold exactly three images"; failed=1; }

[ "$failed" -eq 0 ] && echo "windows check passed"
exit "$failed"
