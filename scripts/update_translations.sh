#!/usr/bin/env bash
# Brings translations/talvane_fr_<folder>.ts up to date with the texts of each folder of
# src/ui: new texts are added unfinished, texts no longer shown are dropped. Run after
# changing a shown text, then translate what is unfinished (Qt Linguist, or by hand).
#   scripts/update_translations.sh [--check]
# With --check nothing is written: it fails when a shown text is missing from the files
# or a translation is missing or unfinished.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
lupdate=/usr/lib/qt6/bin/lupdate
check=0
[[ "${1:-}" == "--check" ]] && check=1
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failed=0
# The texts the core gives the window have a file of their own.
core_texts=src/ui/framework/CoreTexts.cpp
update() { # NAME SOURCE...
    local name="$1"
    shift
    local ts="translations/talvane_fr_$name.ts"
    local target="$ts"
    if (( check )); then
        target="$work/$name.ts"
        [[ -f "$ts" ]] && cp "$ts" "$target"
    fi
    "$lupdate" -silent -locations none -no-obsolete -source-language en -target-language fr \
        -I src/ui -I src/core "$@" -ts "$target"
    if (( check )); then
        if ! cmp -s "$target" "$ts"; then
            echo "$ts does not hold every text shown by $*: run scripts/update_translations.sh" >&2
            diff "$ts" "$target" | grep '^>.*<source>' | head -20 >&2 || true
            failed=1
        fi
        if grep -q 'type="unfinished"' "$target"; then
            echo "$ts has unfinished translations:" >&2
            grep -B1 'type="unfinished"' "$target" | grep '<source>' | head -20 >&2
            failed=1
        fi
    fi
}
for folder in src/ui/*/; do
    mapfile -t sources < <(find "$folder" -name '*.cpp' -o -name '*.h' | grep -v "^$core_texts$" | sort)
    grep -qE '\btr\(|translate\(' "${sources[@]}" || continue
    update "$(basename "$folder")" "${sources[@]}"
done
update coretexts "$core_texts"
exit "$failed"
