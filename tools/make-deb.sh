#!/usr/bin/env bash
# Builds the Debian package: a release build for the /usr prefix with Debian's
# hardening flags, packed by CPack (dependencies from dpkg-shlibdeps).
#
#     tools/make-deb.sh          # writes build/deb/zigzop_<version>_<arch>.deb
#
# Needs the packages in tools/debian-packages.txt (dpkg-dev among them).
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="${ZIGZOP_DEB_BUILD_DIR:-$root/build/deb}"
for tool in dpkg-buildflags dpkg-shlibdeps cpack; do
    command -v "$tool" >/dev/null || { echo "make-deb: $tool is missing (tools/debian-packages.txt)" >&2; exit 1; }
done

# Debian's flags, every hardening feature on: fortified functions, stack
# protector, a read-only global offset table.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
ldflags=$(dpkg-buildflags --get LDFLAGS)
# The prefix is baked in: the installed program knows itself by its folder.
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
    -DBUILD_TESTING=OFF -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags" \
    -DCMAKE_MODULE_LINKER_FLAGS="$ldflags" >/dev/null
cmake --build "$build" -j"$(nproc)"
cd "$build"
cpack -G DEB
ls "$build"/zigzop_*.deb
