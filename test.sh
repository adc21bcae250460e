#!/usr/bin/env bash
# Installs what building, running and the tests need, builds everything in
# build/ (with the tests, also where run.sh configured without them) and
# runs every test.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install_packages.sh packages.txt packages-test.txt
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON >/dev/null
cmake --build build -j"$(nproc)"
cd build && ctest --output-on-failure -j"$(nproc)" --timeout 600
