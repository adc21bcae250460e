#!/usr/bin/env bash
# Installs what the build and the tests need, builds, runs every test.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install_packages.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$(nproc)"
cd build && ctest --output-on-failure -j"$(nproc)" --timeout 600
