#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the Debian package, checks it with lintian (any error or warning
# fails the check; informational and pedantic tags are shown too), unpacks it
# into a scratch root, checks that every file is where a desktop and man look
# for it, validates the desktop entry and the AppStream metadata as installed,
# and runs the installed programs.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh --packaging
cmake --preset release >/dev/null
cmake --build --preset release
(cd build/release && cpack -G DEB >/dev/null)
deb=$(ls build/release/package/dealwise_*.deb)
echo "package: $deb"

echo "lintian:"
# Root or not, the same checks; lintian only warns that it runs as root.
lintian --info --display-info --pedantic --tag-display-limit 0 --fail-on error,warning "$deb" 2>&1 |
    grep -v 'running with root privileges' | sed 's/^/  /' || true
if ! lintian --fail-on error,warning "$deb" >/dev/null 2>&1; then
    echo "  lintian reports errors or warnings"
    lintian_failed=1
else
    echo "  no error or warning"
    lintian_failed=0
fi

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"

failed=$lintian_failed
expect_file() {
    if [ -f "$root/$1" ]; then echo "  ok   /$1"; else echo "  MISSING /$1"; failed=1; fi
}
for program in dealwise dealwise-score dealwise-study; do
    expect_file "usr/games/$program"
    expect_file "usr/share/man/man6/$program.6.gz"
done
expect_file usr/share/doc/dealwise/copyright
expect_file usr/share/doc/dealwise/changelog.gz
expect_file usr/share/lintian/overrides/dealwise
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
have=$(echo "AS 2S 3S 4H 9C 10D KC" | "$root/usr/games/dealwise-score" --batch)
[ "$have" = "$want" ] || { echo "  installed dealwise-score printed: $have"; failed=1; }

[ "$("$root/usr/games/dealwise" --version)" = "dealwise 1.00" ] || { echo "  dealwise --version is wrong"; failed=1; }
MANPAGER=cat MANWIDTH=80 man -l "$root/usr/share/man/man6/dealwise.6.gz" | head -n 12 | sed 's/^/  /'

# The installed program starts and keeps running until it is stopped.
status=0
QT_QPA_PLATFORM=offscreen timeout 3 "$root/usr/games/dealwise" || status=$?
[ "$status" -eq 124 ] || { echo "  installed dealwise ended with status $status"; failed=1; }

[ "$failed" -eq 0 ] && echo "package check passed"
exit "$failed"
