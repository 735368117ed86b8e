#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Draws the graph of Dealwise's libraries and programs, as CMake sees their
# links, into docs/targets.dot and docs/targets.svg (needs graphviz's dot).
set -euo pipefail
cd "$(dirname "$0")/.."

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cmake -S . -B "$work/build" -G Ninja -DBUILD_TESTING=OFF -DDEALWISE_BENCHMARKS=OFF \
    --graphviz="$work/targets.dot" >/dev/null
# The legend and the generated node numbers change nothing of substance;
# keep the file stable so that a change in it is a change in the layers.
sed '/subgraph clusterLegend/,/^}/d' "$work/targets.dot" >docs/targets.dot
dot -Tsvg docs/targets.dot -o docs/targets.svg
echo "docs/targets.dot and docs/targets.svg written"
