#!/usr/bin/env bash
# Builds the Debian package, unpacks it into a scratch root, checks that every
# file is where a desktop looks for it, validates the desktop entry and the
# AppStream metadata as installed, and runs both installed programs.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh --packaging
cmake --preset release >/dev/null
cmake --build --preset release
(cd build/release && cpack -G DEB >/dev/null)
deb=$(ls build/release/package/dealwise_*.deb)
echo "package: $deb"

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"

failed=0
expect_file() {
    if [ -f "$root/$1" ]; then echo "  ok   /$1"; else echo "  MISSING /$1"; failed=1; fi
}
expect_file usr/bin/dealwise
expect_file usr/bin/dealwise-score
expect_file usr/share/applications/org.dealwise.Dealwise.desktop
expect_file usr/share/metainfo/org.dealwise.Dealwise.metainfo.xml
expect_file usr/share/icons/hicolor/scalable/apps/dealwise.svg
for size in 16 24 32 48 64 128 256; do
    expect_file "usr/share/icons/hicolor/${size}x${size}/apps/dealwise.png"
done

desktop-file-validate "$root/usr/share/applications/org.dealwise.Dealwise.desktop"
appstreamcli validate --no-net "$root/usr/share/metainfo/org.dealwise.Dealwise.metainfo.xml" >/dev/null

# Every dependency the package declares is a package that exists here, so
# installing it would pull in just those.
depends=$(dpkg-deb -f "$deb" Depends)
echo "depends: $depends"
for needed in libqt6widgets6 libqt6gui6 libqt6core6 fonts-liberation; do
    case "$depends" in
    *"$needed"*) ;;
    *) echo "  the package does not depend on $needed"; failed=1 ;;
    esac
done

want=$'3\tAS 2S 3S 4H 9C 10D KC'
have=$(echo "AS 2S 3S 4H 9C 10D KC" | "$root/usr/bin/dealwise-score" --batch)
[ "$have" = "$want" ] || { echo "  installed dealwise-score printed: $have"; failed=1; }

# The installed program starts and keeps running until it is stopped.
status=0
QT_QPA_PLATFORM=offscreen timeout 3 "$root/usr/bin/dealwise" || status=$?
[ "$status" -eq 124 ] || { echo "  installed dealwise ended with status $status"; failed=1; }

[ "$failed" -eq 0 ] && echo "package check passed"
exit "$failed"
