#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The Windows build check that can run on Linux: cross-compiles the library,
# dealwise-score, the native windows (dealwise.exe) and their tests with
# mingw-w64, with the version resource and the icon; runs the tests under
# Wine on a virtual X display; photographs both windows and checks the
# layout's colours in the picture; reads the resources back out of the two
# programs; and builds the ZIP download and checks what it holds.
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

wine=$(command -v wine || echo /usr/lib/wine/wine64)
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
work=$(mktemp -d)
xvfb_pid=""
cleanup() {
    "$wineserver" -k 2>/dev/null || true
    if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
    rm -rf "$work"
}
trap cleanup EXIT

# The windows need a display: a virtual one of our own, on the first free
# number from 97.
display=97
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 1 100); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done
[ -e "/tmp/.X11-unix/X$display" ] || { echo "Xvfb did not start"; cat "$work/xvfb.log"; exit 1; }
export DISPLAY=":$display"

# The first start of Wine makes its prefix; do it once, before the tests time.
"$wine" wineboot --init >/dev/null 2>&1 || true
"$wineserver" -w
# Debian's Wine leaves its own fonts out of a new prefix; a Windows machine
# has them: MS Sans Serif, the font the windows ask for, and Marlett, whose
# glyphs are the title bars' buttons.
for font in /usr/share/wine/fonts/*; do ln -sf "$font" "$WINEPREFIX/drive_c/windows/Fonts/"; done
# There is no window manager on the virtual display: Wine draws the frames
# and title bars itself, as Windows does.
"$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
"$wineserver" -w
# Keep a persistent wineserver, so that tests running side by side never meet
# one that is shutting down; and start Wine's own services now, so that no
# test's output pipe is held open by them.
"$wineserver" -p
"$wine" cmd /c exit >/dev/null 2>&1 || true
ctest --test-dir "$build" --output-on-failure --parallel "$(nproc)"

failed=0

echo "== both windows on the screen"
picture="$build/dealwise-windows.png"
"$wine" "$build/tests/win32/dealwise_win32_show.exe" "$build/src/win32/dealwise.exe" \
    "Z:${work//\//\\}\\ready" "Z:${work//\//\\}\\done" >"$work/show.txt" 2>&1 &
show_pid=$!
for _ in $(seq 1 600); do [ -e "$work/ready" ] || ! kill -0 "$show_pid" 2>/dev/null && break; sleep 0.1; done
if [ -e "$work/ready" ]; then
    import -window root "$work/screen.png"
fi
touch "$work/done"
wait "$show_pid" || failed=1
tr -d '\r' <"$work/show.txt" | sed 's/^/  /'
if [ -e "$work/screen.png" ]; then
    # Each check names a screen rectangle that must hold a pixel of a colour.
    while read -r _ name left top width height colour; do
        # grep -c reads to the end: -q would stop convert with SIGPIPE.
        if convert "$work/screen.png" -crop "${width}x${height}+${left}+${top}" +repage txt:- |
            grep -ci "#$colour" >/dev/null; then
            echo "  $name: #$colour at ${width}x${height}+${left}+${top}"
        else
            echo "  $name: no #$colour at ${width}x${height}+${left}+${top}"; failed=1
        fi
    done < <(tr -d '\r' <"$work/show.txt" | grep '^area ')
    read -r _ left top width height < <(tr -d '\r' <"$work/show.txt" | grep '^windows ')
    convert "$work/screen.png" -crop "${width}x${height}+${left}+${top}" +repage "$picture"
    echo "  the picture: $picture"
else
    echo "  the windows did not come up for the picture"; failed=1
fi

for exe in "$build/src/cli/dealwise-score.exe" "$build/src/win32/dealwise.exe"; do
    echo "== resources of $exe"
    rm -f "$work"/*.ico "$work/version.res"
    wrestool -x --raw --type=version -o "$work/version.res" "$exe"
    wrestool -x --type=group_icon -o "$work" "$exe"

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
done

echo "== the download"
# dealwise.exe needs nothing but the system's own DLLs.
imports=$(x86_64-w64-mingw32-objdump -p "$build/src/win32/dealwise.exe" | sed -n 's/^\tDLL Name: //p' | sort -f)
echo "  dealwise.exe imports: $(echo "$imports" | tr '\n' ' ')"
if echo "$imports" | grep -viqE '^(kernel32|user32|gdi32|comctl32|msvcrt|advapi32|shell32)\.dll$'; then
    echo "  dealwise.exe needs a DLL that Windows does not bring"; failed=1
fi
(cd "$build" && cpack >/dev/null)
zip="$build/package/dealwise-1.00-windows.zip"
listing=$(unzip -Z1 "$zip")
echo "$listing" | sed "s|^|  $(basename "$zip"): |"
for file in dealwise.exe dealwise-score.exe README.txt; do
    echo "$listing" | grep -qx "dealwise-1.00-windows/$file" || { echo "  the zip lacks $file"; failed=1; }
done
[ "$(echo "$listing" | grep -cv '/$')" -eq 3 ] || { echo "  the zip holds more than the three files"; failed=1; }

[ "$failed" -eq 0 ] && echo "windows check passed"
exit "$failed"
