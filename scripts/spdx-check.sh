#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Every source and script file of Dealwise names its licence in an SPDX line
# near its top: MIT, but for the AppStream metadata, which is CC0-1.0 as
# AppStream asks. Lists the files that do not and fails if there are any.
#   scripts/spdx-check.sh [--add]    --add puts the line into those files
set -euo pipefail
cd "$(dirname "$0")/.."

line="SPDX-License-Identifier: MIT"
missing=()
while IFS= read -r file; do
    head -n 3 "$file" | grep -qE "SPDX-License-Identifier: (MIT|CC0-1.0)" || missing+=("$file")
done < <(git ls-files -co --exclude-standard -- '*.cpp' '*.h' '*.sh' '*.cmake' '*CMakeLists.txt' '*.sbatch' \
    '*.rc.in' '*.desktop' '*.xml' '.clang-format' '.clang-tidy' '.ci/run' |
    grep -v '^fuzz/corpus/')

if [[ ${1:-} == --add ]]; then
    for file in "${missing[@]}"; do
        case "$file" in
        *.cpp | *.h | *.rc.in) comment="// $line" ;;
        *.xml) comment="<!-- $line -->" ;;
        *) comment="# $line" ;;
        esac
        first=$(head -n 1 "$file")
        if [[ $first == '#!'* || $first == '<?xml'* ]]; then
            { echo "$first"; echo "$comment"; tail -n +2 "$file"; } >"$file.spdx"
        else
            { echo "$comment"; cat "$file"; } >"$file.spdx"
        fi
        chmod --reference="$file" "$file.spdx"
        mv "$file.spdx" "$file"
    done
    echo "spdx: added the licence line to ${#missing[@]} files"
    exit 0
fi
if ((${#missing[@]} > 0)); then
    echo "spdx: no \"$line\" line at the top of:"
    printf '  %s\n' "${missing[@]}"
    exit 1
fi
echo "spdx: every source and script file names its licence"
