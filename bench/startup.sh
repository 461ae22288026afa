#!/usr/bin/env bash
# Program start to first record shown, the whole process: `quillmark FILE` on a sample of N
# records (default 100000) on a virtual display, timed until its main window's title names the
# database. Prints each run and the median.
#
#   bench/startup.sh [N [RUNS [BUILD_DIR]]]      (RUNS default 5, BUILD_DIR default build-release)
#
# Needs Xvfb, openbox and xdotool (not needed by the tests, so not in scripts/setup.sh), and a
# build with quillmark and quillmark-tool, best with -DCMAKE_BUILD_TYPE=Release. The sample is
# made once with the tool's `sample` command, with the benchmarks' seed, and kept in
# ${QUILLMARK_SAMPLES:-/tmp/quillmark-samples}; delete it when done (a million records take 2.5 GB).
set -euo pipefail

count=${1:-100000}
runs=${2:-5}
here=$(cd "$(dirname "$0")/.." && pwd)
build=${3:-$here/build-release}
program=$build/bin/quillmark
tool=$build/bin/quillmark-tool
samples=${QUILLMARK_SAMPLES:-/tmp/quillmark-samples}
sample=$samples/sample-$count.dat

for needed in Xvfb openbox xdotool; do
    command -v "$needed" >/dev/null || { echo "startup.sh: $needed is not installed" >&2; exit 2; }
done
[[ -x $program && -x $tool ]] || { echo "startup.sh: build $program and $tool first" >&2; exit 2; }

mkdir -p "$samples"
if [[ ! -s $sample ]]; then
    echo "making $sample ..."
    "$tool" sample "$count" "$sample" --seed 20240601
fi

# A display nobody uses, and a home of its own so that the user's settings are neither read
# (the last file, window places) nor written.
display=90
while [[ -e /tmp/.X11-unix/X$display || -e /tmp/.X$display-lock ]]; do
    display=$((display + 1))
done
home=$(mktemp -d)
started=()
cleanup() {
    for pid in "${started[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    wait 2>/dev/null || true
    rm -rf "$home"
}
trap cleanup EXIT

Xvfb ":$display" -screen 0 1600x1000x24 -nolisten tcp >/dev/null 2>&1 &
started+=($!)
export DISPLAY=:$display
for _ in $(seq 100); do
    xdotool getdisplaygeometry >/dev/null 2>&1 && break
    sleep 0.05
done
HOME=$home openbox >/dev/null 2>&1 &
started+=($!)
sleep 0.5

name=$(basename "$sample")
times=()
for run in $(seq "$runs"); do
    begin=$(date +%s%N)
    HOME=$home XDG_CONFIG_HOME=$home/.config XDG_DATA_HOME=$home/.local/share \
        "$program" "$sample" >/dev/null 2>&1 &
    pid=$!
    until xdotool search --all --pid "$pid" --name "$name" >/dev/null 2>&1; do
        if ! kill -0 "$pid" 2>/dev/null; then
            echo "startup.sh: quillmark ended before showing $name" >&2
            exit 1
        fi
        sleep 0.02
    done
    end=$(date +%s%N)
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    ms=$(((end - begin) / 1000000))
    times+=("$ms")
    echo "run $run: $ms ms"
done
median=$(printf '%s\n' "${times[@]}" | sort -n | sed -n "$(((runs + 1) / 2))p")
echo "$count records: start to first record shown, median of $runs: $median ms"
