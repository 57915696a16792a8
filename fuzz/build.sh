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

# Debian names the unversioned compiler only when the clang package is installed.
cxx="$(command -v clang++ || command -v clang++-14 || true)"
if [[ -z "$cxx" ]]; then
    echo "fuzz/build.sh: neither clang++ nor clang++-14 found" >&2
    exit 1
fi
# The companion's sources see cpp-httplib as the library it links was built: with the
# same TLS and compression switches, which change its classes.
read -r -a packages <<<"$(pkg-config --cflags exiv2 libheif libturbojpeg libpng libtiff-4 libwebp libwebpdemux cpp-httplib libqrencode libzip zbar libcurl libsecret-1)"
common=(-std=c++20 -O1 -g -Wall -Wextra -fno-omit-frame-pointer -fno-sanitize-recover=undefined -I"$root/src"
        "${packages[@]}")

# The phone pages the companion serves are built into it, as the CMake build does.
cmake -DSOURCE="$root/src/core/companion/web" -DOUTPUT="$out/obj/WebFileBytes.cpp" \
      -P "$root/src/core/companion/EmbedWebFiles.cmake"

# The core is compiled with coverage but without libFuzzer's main(), at most one
# source per core at a time: the machine is shared with other builds.
objects=()
pids=()
while IFS= read -r source; do
    object="$out/obj/$(echo "${source#"$root"/src/core/}" | tr / _).o"
    rm -f "$object"
    if (( $(jobs -rp | wc -l) >= $(nproc) )); then
        wait -n || true
    fi
    "$cxx" "${common[@]}" -fsanitize=fuzzer-no-link,address,undefined -c "$source" -o "$object" &
    pids+=($!)
    objects+=("$object")
done < <(find "$root/src/core" -name '*.cpp' | sort; echo "$out/obj/WebFileBytes.cpp")
# Bash keeps the status of every finished child, so each failure is seen here.
for pid in "${pids[@]}"; do
    wait "$pid"
done

# The core writes calendars through libical, hashes files with libcrypto, reads
# photos with libjpeg-turbo, libpng, giflib (which has no pkg-config file), libtiff,
# libwebp and libheif and their tags with exiv2, and writes and reads passports with
# libzip; the phone companion among its sources serves through cpp-httplib, draws its
# pairing code with libqrencode and reads labels from photos with zbar; the reminders
# are sent through libcurl with their secrets in libsecret's keyring.
read -r -a libraries <<<"$(pkg-config --libs libical libcrypto exiv2 libheif libturbojpeg libpng libtiff-4 libwebp libwebpdemux cpp-httplib libqrencode libzip zbar libcurl libsecret-1) -lgif -pthread"
for target in "$root"/fuzz/*_fuzzer.cpp; do
    name="$(basename "$target" .cpp)"
    "$cxx" "${common[@]}" -I"$root/tests" -fsanitize=fuzzer,address,undefined "$target" "${objects[@]}" "${libraries[@]}" -o "$out/$name"
    echo "built $out/$name"
done
