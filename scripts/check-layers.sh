#!/usr/bin/env bash
# Includes point down the layers, never up or across: core and files use nothing of ours; hardware
# and settings use files and core; controls uses settings, hardware, files and core; ui and remote
# use controls and below, never each other; app may use anything. Names each include that breaks
# the rule.
#
#   scripts/check-layers.sh [SOURCE_DIR]
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"

# folder: the folders of ours it may include besides itself
declare -A May=(
    [core]=""
    [files]=""
    [hardware]="files core"
    [settings]="files core"
    [controls]="settings hardware files core"
    [ui]="controls settings hardware files core"
    [remote]="controls settings hardware files core"
)
Ours="app core files hardware settings controls ui remote"

found=0
for folder in "${!May[@]}"; do
    [[ -d $folder ]] || continue
    allowed=" $folder ${May[$folder]} "
    while IFS= read -r hit; do
        file=${hit%%:*}
        rest=${hit#*:}
        line=${rest%%:*}
        target=
        [[ ${rest#*:} =~ \"([^\"/]+)/ ]] && target=${BASH_REMATCH[1]}
        if [[ " $Ours " == *" $target "* && $allowed != *" $target "* ]]; then
            echo "$file:$line: $folder/ may not include $target/: ${rest#*:}"
            found=1
        fi
    done < <(grep -rnE --include='*.h' --include='*.cpp' '^\s*#\s*include\s*"[^"/]+/' "$folder" ||
        true)
done

if [[ $found -ne 0 ]]; then
    echo "Move the shared piece down a layer, or turn the dependency round." >&2
    exit 1
fi
echo "Every include points down the layers."
