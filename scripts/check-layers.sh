#!/usr/bin/env bash
# Fails when a folder includes a header of a folder above it. The only direction is
#   platform -> model -> file -> validation -> print, import, editor -> host, cli, launcher
# (a folder may include its own and every lower folder; within the middle group the editor
# may use print and import, not the other way round). Lists each offending include.
set -euo pipefail
cd "$(dirname "$0")/.."

rank() {
    case "$1" in
    platform) echo 0 ;;
    model) echo 1 ;;
    file) echo 2 ;;
    validation) echo 3 ;;
    print | import) echo 4 ;;
    editor) echo 5 ;;
    host | cli | launcher) echo 6 ;;
    *) echo -1 ;;
    esac
}

status=0
while IFS= read -r -d '' source; do
    own=${source%%/*}
    own_rank=$(rank "$own")
    [ "$own_rank" -ge 0 ] || continue
    while IFS=: read -r line target; do
        used=${target%%/*}
        used_rank=$(rank "$used")
        # Folders of the same rank do not include each other either.
        if [ "$used_rank" -gt "$own_rank" ] ||
            { [ "$used_rank" -eq "$own_rank" ] && [ "$used" != "$own" ]; }; then
            echo "$source:$line: $own/ dołącza $target"
            status=1
        fi
    done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p;t;s/.*/-/p' "$source" |
        awk '$0 != "-" {print NR ":" $0}')
done < <(git ls-files -z -- '*.cpp' '*.h')

if [ "$status" -ne 0 ]; then
    echo "Złamany kierunek dołączeń: platform -> model -> file -> validation -> print, import, editor -> host, cli, launcher" >&2
fi
exit "$status"
