#!/usr/bin/env bash
# How well the unit suites guard the rules: changes one operator at a time (< and <=, > and >=,
# == and !=, && and ||, a dropped !, + 1 made + 2) on COUNT random lines of src/core and
# src/engine, rebuilds the core, engine, tool and forms suites in build-mutation/ and runs them.
# A change some suite fails on, or that runs past the time limit, is killed; each change every
# suite passes is printed with its line before and after, and at the end the share killed of the
# changes that compiled.
#
#   scripts/mutation.sh [SEED [COUNT]]        (seed 1 and 100 changes by default)
#
# The same seed on the same sources picks the same changes. The changed file is put back after
# each change, also when the run is stopped (Ctrl-C, kill); should the script itself be killed
# outright, the next run puts it back first from the copy in build-mutation/.
set -euo pipefail
set -m  # every build and test run in a process group of its own, so a stop can end it whole
cd "$(dirname "$0")/.."

seed=${1:-1}
count=${2:-100}
if ! [[ $seed =~ ^[0-9]+$ && $count =~ ^[0-9]+$ ]]; then
    echo "usage: $0 [SEED [COUNT]]" >&2
    exit 2
fi

build=build-mutation
original=$build/mutation-original  # the changed file as it was
pending=$build/mutation-pending    # the changed file's path, while it is changed
log=$build/mutation-last.log       # the output of the latest build or suite
suites=(quillmark_core_tests quillmark_engine_tests quillmark_tool_tests quillmark_forms_tests)
mkdir -p "$build"

exec 9>"$build/mutation.lock"
if ! flock -n 9; then
    echo "another mutation run is using $build/" >&2
    exit 1
fi

put_back() {
    if [[ -f $pending ]]; then
        cp "$original" "$(cat "$pending")"
        rm -f "$pending"
    fi
}

child=
# Runs a command in the background, its output in the log, and waits for it, so that a stop
# reaches the trap at once.
run() {
    "$@" </dev/null >"$log" 2>&1 &
    child=$!
    local status=0
    wait "$child" || status=$?
    child=
    return "$status"
}

stopped() {
    trap '' INT TERM HUP
    if [[ -n $child ]]; then
        kill -TERM -- "-$child" 2>/dev/null || true
        wait "$child" 2>/dev/null || true
    fi
    put_back
    echo "stopped; the sources are as they were" >&2
    exit 130
}
trap stopped INT TERM HUP
trap put_back EXIT

if [[ -f $pending ]]; then
    echo "putting back $(cat "$pending"), left changed by a run that was killed" >&2
    put_back
fi

build_suite() {
    run nice -n 19 cmake --build "$build" -j2 --target "$1"
}

# A suite stops at its first failing test; the limit turns a change that loops into a kill.
run_suite() {
    run env -C "$build/tests" timeout -k 5 "$2" nice -n 19 "$PWD/$build/bin/$1" \
        --gtest_brief=1 --gtest_fail_fast
}

echo "configuring and building the suites in $build/ ..."
# With the standard library's own checks, a change that indexes one past the end of a vector or
# reads an empty optional stops the suite there, instead of reading whatever lies beyond.
run nice -n 19 cmake -S . -B "$build" -DQUILLMARK_BUILD_UI=OFF -DQUILLMARK_BUILD_BENCH=OFF \
    -DCMAKE_BUILD_TYPE=Debug "-DCMAKE_CXX_FLAGS_DEBUG=-O1 -D_GLIBCXX_ASSERTIONS" \
    -DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache ||
    { cat "$log"; exit 1; }
# An earlier run stopped mid-build can leave an object newer than the file put back since.
find "$build/src/core" "$build/src/engine" -name '*.o' -delete 2>/dev/null || true

declare -A limit
for suite in "${suites[@]}"; do
    build_suite "$suite" || { cat "$log"; exit 1; }
    start=$SECONDS
    if ! run_suite "$suite" 600; then
        cat "$log"
        echo "$suite fails on the unchanged sources; mend that first" >&2
        exit 1
    fi
    limit[$suite]=$((5 * (SECONDS - start) + 30))
done

python3 scripts/mutation_points.py sample "$seed" "$count" src/core src/engine >"$build/mutation-changes.tsv"
mapfile -t changes <"$build/mutation-changes.tsv"
total=${#changes[@]}
((total > 0)) || { echo "no lines to change" >&2; exit 1; }
killed=0
timed_out=0
uncompiled=0
survivors=()

number=0
for change in "${changes[@]}"; do
    IFS=$'\t' read -r file line column old new <<<"$change"
    number=$((number + 1))
    cp "$file" "$original"
    echo "$file" >"$pending"
    python3 scripts/mutation_points.py apply "$file" "$line" "$column" "$old" "$new"

    # The suite nearest the changed layer first: most changes are killed there.
    order=("${suites[@]}")
    [[ $file == src/engine/* ]] && order=("${suites[@]:1}" "${suites[0]}")
    outcome=survived
    for suite in "${order[@]}"; do
        if ! build_suite "$suite"; then
            # The build lists each suite's tests by running it: a change that makes the suite
            # crash on start is caught there.
            if grep -q "Error running test executable" "$log"; then
                outcome="killed ($suite, on start)"
                break
            fi
            # The compiler names the changed file with a line number in its errors.
            name=$(basename "$file")
            if ! grep -qE "${name//./\\.}:[0-9]+" "$log"; then
                cat "$log"
                echo "the build failed for a reason other than the change" >&2
                exit 1
            fi
            outcome="did not compile"
            break
        fi
        status=0
        run_suite "$suite" "${limit[$suite]}" || status=$?
        if ((status == 124 || status == 137)); then
            outcome="killed (time limit, $suite)"
            break
        elif ((status != 0)); then
            outcome="killed ($suite)"
            break
        fi
    done

    shown="'$old' -> '$new'"
    [[ -z $new ]] && shown="'$old' dropped"
    printf '[%d/%d] %s:%s %s: %s\n' "$number" "$total" "$file" "$line" "$shown" "$outcome"
    case $outcome in
        killed*)
            killed=$((killed + 1))
            [[ $outcome == *"time limit"* ]] && timed_out=$((timed_out + 1))
            ;;
        "did not compile") uncompiled=$((uncompiled + 1)) ;;
        survived)
            survivor=$(printf '%s:%s\n  - %s\n  + %s' "$file" "$line" \
                "$(sed -n "${line}p" "$original")" "$(sed -n "${line}p" "$file")")
            survivors+=("$survivor")
            echo "$survivor"
            ;;
    esac
    put_back
done

compiled=$((total - uncompiled))
elapsed=$SECONDS
echo
echo "seed $seed: $total changes, $killed killed ($timed_out by the time limit)," \
    "${#survivors[@]} survived, $uncompiled did not compile"
if ((compiled > 0)); then
    echo "killed: $killed of $compiled that compiled," \
        "$(awk -v k="$killed" -v c="$compiled" 'BEGIN { printf "%.1f", 100 * k / c }') %"
fi
printf 'took %dh %02dm %02ds\n' $((elapsed / 3600)) $((elapsed % 3600 / 60)) $((elapsed % 60))
if ((${#survivors[@]} > 0)); then
    echo
    echo "survivors:"
    printf '%s\n' "${survivors[@]}"
fi
