#!/usr/bin/env bash
# Fails when a folder of src/ includes a header from a folder above it. The folders
# depend one way only, from the bottom up:
#   platform, keys, controls, form, progress, run, window, app
# A folder may include its own headers and those of the folders before it; a win32/
# subfolder belongs to its folder.
#   check-layers.sh SRC-FOLDER
set -euo pipefail
src=${1:?src folder}
layers=(platform keys controls form progress run window app)

rank() {
    local i
    for i in "${!layers[@]}"; do
        if [ "${layers[$i]}" == "$1" ]; then echo "$i"; return; fi
    done
    echo -1
}

status=0
for dir in "$src"/*/; do
    folder=$(basename "$dir")
    own=$(rank "$folder")
    if [ "$own" -lt 0 ]; then
        echo "FAIL src/$folder: not in the list of layers"; status=1; continue
    fi
    # Every quoted include that names a folder of src/: file, line and the folder.
    while IFS=: read -r file line included; do
        other=$(rank "$included")
        [ "$other" -ge 0 ] || continue  # a header beside the file, not a folder of src/
        if [ "$other" -gt "$own" ]; then
            echo "FAIL ${file#"$src"/}:$line: $folder includes $included, a higher layer"
            status=1
        fi
    done < <(grep -rnE --include='*.h' --include='*.cpp' '^\s*#\s*include\s+"[A-Za-z0-9_]+/' "$dir" |
        sed -E 's/^([^:]+):([0-9]+):\s*#\s*include\s+"([A-Za-z0-9_]+)\/.*/\1:\2:\3/')
done
[ "$status" -eq 0 ] && echo "layers: every include points down (${layers[*]})"
exit $status
