#!/usr/bin/env bash
# Builds every fuzz/*_fuzzer.cpp with libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer against the core sources.
#   fuzz/build.sh [OUTDIR]          (default: build-fuzz)
# Then run, for example:
#   build-fuzz/bmp_decoder_fuzzer -max_total_time=300 build-fuzz/corpus-bmp fuzz/corpus/bmp
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
out="${1:-$root/build-fuzz}"
mkdir -p "$out/obj"
common=(-std=c++20 -O1 -g -fno-omit-frame-pointer -fno-sanitize-recover=undefined -I"$root/src/core")

# The core is compiled with coverage but without libFuzzer's main().
objects=()
jobs=()
while IFS= read -r source; do
    object="$out/obj/$(echo "${source#"$root"/src/core/}" | tr / _).o"
    clang++ "${common[@]}" -fsanitize=fuzzer-no-link,address,undefined -c "$source" -o "$object" &
    jobs+=($!)
    objects+=("$object")
done < <(find "$root/src/core" -name '*.cpp' | sort)
for job in "${jobs[@]}"; do
    wait "$job"
done

for target in "$root"/fuzz/*_fuzzer.cpp; do
    name="$(basename "$target" .cpp)"
    clang++ "${common[@]}" -fsanitize=fuzzer,address,undefined "$target" "${objects[@]}" -o "$out/$name"
    echo "built $out/$name"
done
