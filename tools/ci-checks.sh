#!/usr/bin/env bash
# The checks that take longer than the quick suite, one per step:
#   tools/ci-checks.sh slow        the soak and the kill-during-save tests
#   tools/ci-checks.sh sanitizers  every test built with ASan and UBSan
#   tools/ci-checks.sh fuzz [SECS] every fuzz target from its seeds (20 s each)
# Each step installs what it needs from tools/debian-packages-checks.txt.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
werror="${ZIGZOP_WARNINGS_AS_ERRORS:-OFF}"

install_checks_packages() {
    ZIGZOP_PACKAGE_LIST="$root/tools/debian-packages-checks.txt" bash "$root/tools/zigzop.sh" install
}

slow() {
    local build="${ZIGZOP_BUILD_DIR:-$root/build/release}"
    bash "$root/tools/zigzop.sh" build
    (cd "$build" && ctest --output-on-failure -L slow)
}

sanitizers() {
    local build="$root/build/asan"
    cmake --preset asan -DZIGZOP_WARNINGS_AS_ERRORS="$werror" >/dev/null
    cmake --build "$build" -j"$(nproc)"
    # Any report fails the test: UBSan stops at the first, LSan checks every
    # process at exit. Nothing is suppressed.
    ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1 \
    UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
        ctest --test-dir "$build" --output-on-failure -j"$(nproc)" --timeout 600 -LE slow
}

fuzz() {
    local seconds="${1:-20}" build="$root/build/fuzz" work failed=0
    install_checks_packages
    local targets=()
    for source in "$root"/tests/fuzz/fuzz_*.cpp; do
        targets+=("$(basename "$source" .cpp)")
    done
    cmake --preset fuzz >/dev/null
    cmake --build "$build" -j"$(nproc)" --target "${targets[@]}"
    work=$(mktemp -d)
    trap 'rm -rf "$work"' RETURN
    for name in "${targets[@]}"; do
        local target="$build/tests/fuzz/$name" seeds="$root/tests/fuzz/corpus/$name"
        mkdir -p "$work/$name" "$work/$name.found"
        # New inputs go to the scratch folder; the seeds stay as committed.
        if ! "$target" -max_total_time="$seconds" -timeout=10 -close_fd_mask=2 -print_final_stats=1 \
                -artifact_prefix="$work/$name.found/" "$work/$name" "$seeds" >"$work/$name.log" 2>&1; then
            echo "FAILED $name"
            tail -n 60 "$work/$name.log"
            failed=1
            continue
        fi
        printf '%-20s %10s runs, %s (edges, features)\n' "$name" \
            "$(awk '/^stat::number_of_executed_units/ {print $2}' "$work/$name.log")" \
            "$(grep -o 'DONE *cov: [0-9]* ft: [0-9]*' "$work/$name.log" | sed 's/DONE *//')"
    done
    return "$failed"
}

case "${1:-}" in
slow) slow ;;
sanitizers) sanitizers ;;
fuzz) shift; fuzz "$@" ;;
*)
    echo "usage: $0 slow | sanitizers | fuzz [seconds]" >&2
    exit 2
    ;;
esac
