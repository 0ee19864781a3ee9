#!/usr/bin/env bash
# Installs what is missing, builds, then plays or tests.
#   tools/zigzop.sh play [args...]   build and start the game
#   tools/zigzop.sh test             build and run the quick tests
#   tools/zigzop.sh build | install  only build, or only install what is missing
# The slow tests and the sanitizer and fuzz passes: tools/ci-checks.sh.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="${ZIGZOP_BUILD_DIR:-$root/build/release}"

install_missing() {
    local wanted=() missing=()
    mapfile -t wanted < <(grep -v -E '^\s*(#|$)' "${ZIGZOP_PACKAGE_LIST:-$root/tools/debian-packages.txt}")
    for pkg in "${wanted[@]}"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    "${sudo[@]}" apt-get update -q
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
}

build_all() {
    local werror="${ZIGZOP_WARNINGS_AS_ERRORS:-OFF}"
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DZIGZOP_WARNINGS_AS_ERRORS="$werror" >/dev/null
    cmake --build "$build" -j"$(nproc)"
}

case "${1:-}" in
play)
    shift
    install_missing
    build_all
    exec "$build/src/app/zigzop" "$@"
    ;;
test)
    install_missing
    build_all
    cd "$build"
    ctest --output-on-failure -j"$(nproc)" --timeout 300 -LE slow
    ;;
build)
    install_missing
    build_all
    ;;
install)
    install_missing
    ;;
*)
    echo "usage: $0 play [name address true|false] | test | build | install" >&2
    exit 2
    ;;
esac
