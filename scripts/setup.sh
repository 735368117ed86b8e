#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs, from Debian's packages, whatever of Dealwise's build and run-time
# needs this machine lacks. Safe to run again: it installs nothing twice.
#   --packaging  also what building and checking the Debian package needs
#   --bench      also Xvfb and bc, for the window benchmarks
#   --fuzz       also clang and its sanitizer and libFuzzer run-times
#   --windows    also the mingw-w64 cross compiler, Wine and its fonts, icoutils,
#                Xvfb for the windows' tests and ImageMagick for their picture
#   --slurm      also Slurm's controller, node daemon and client, and munge
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config
    libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev
    qt6-base-dev qt6-charts-dev qt6-svg-dev libqt6opengl6-dev fonts-liberation
)
for option in "$@"; do
    case "$option" in
    --packaging) packages+=(dpkg-dev desktop-file-utils appstream icoutils lintian help2man man-db) ;;
    --fuzz) packages+=(clang libclang-rt-dev) ;;
    --bench) packages+=(xvfb xauth bc) ;;
    --windows) packages+=(g++-mingw-w64-x86-64-posix wine64 fonts-wine icoutils googletest xvfb xauth imagemagick unzip) ;;
    --slurm) packages+=(slurmctld slurmd slurm-client munge) ;;
    *) echo "setup: unknown option $option" >&2; exit 2 ;;
    esac
done

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null || true)
    [ "$status" = "installed" ] || missing+=("$package")
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

echo "setup: installing ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
