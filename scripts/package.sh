#!/usr/bin/env bash
# Builds the Debian package bindwell_<version>_<arch>.deb in the repository's
# top folder, then checks it with lintian when lintian is installed.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
build=build/package
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=/usr \
    -DBINDWELL_BUILD_TESTS=OFF -DBINDWELL_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build "$build" -j"$(nproc)"
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/bindwell_*.deb | head -1)
mv "$deb" .
deb=$(basename "$deb")
echo "built $deb"
if command -v lintian >/dev/null; then
    lintian --info --fail-on error "$deb"
fi
