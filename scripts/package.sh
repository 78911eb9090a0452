#!/usr/bin/env bash
# Builds the Debian package munchtrail_2.01-1_<arch>.deb into build-package/ (Release, without
# tests and benchmarks). Install it with: apt-get install ./build-package/munchtrail_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
bash scripts/build.sh build-package -DCMAKE_BUILD_TYPE=Release -DMT_TESTS=OFF -DMT_BENCH=OFF
(cd build-package && umask 022 && cpack -G DEB)
ls build-package/munchtrail_*.deb
