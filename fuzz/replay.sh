#!/usr/bin/env bash
# Builds the fuzz targets and runs each once over its seed corpus and its kept
# crashing inputs, without mutating: any crash, sanitizer report or hang fails.
#   fuzz/replay.sh [OUTDIR]         (default: build-fuzz)
# Target <name>_<part>_fuzzer reads fuzz/corpus/<name>/ and fuzz/regressions/<name>/.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
out="${1:-$root/build-fuzz}"
"$root/fuzz/build.sh" "$out"

failed=0
for target in "$root"/fuzz/*_fuzzer.cpp; do
    name="$(basename "$target" .cpp)"
    inputs=("$root/fuzz/corpus/${name%%_*}")
    if [[ -d "$root/fuzz/regressions/${name%%_*}" ]]; then
        inputs+=("$root/fuzz/regressions/${name%%_*}")
    fi
    log="$out/$name.replay.log"
    start=$SECONDS
    # -runs=0 only executes the given inputs, so nothing is written into the tree.
    if "$out/$name" -runs=0 -timeout=30 "${inputs[@]}" >"$log" 2>&1; then
        echo "replayed $name: $(find "${inputs[@]}" -type f | wc -l) inputs in $((SECONDS - start)) s"
    else
        echo "FAILED $name (log: $log)" >&2
        tail -n 30 "$log" >&2
        failed=1
    fi
done
exit "$failed"
