#!/usr/bin/env bash
# Installs what the build needs, builds, and starts the program.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install_packages.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$(nproc)" --target stlwire stlwire_sample
exec build/stlwire
