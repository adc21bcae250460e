#!/usr/bin/env bash
# Installs what building and running need, builds the program and its
# sample mesh in build/, and starts it. The tests are left out (they need
# the packages of packages-test.txt), unless build/ holds them already
# (test.sh built there).
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install_packages.sh packages.txt
testing=()
[ -f build/CTestTestfile.cmake ] || testing=(-DBUILD_TESTING=OFF)
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release "${testing[@]}" >/dev/null
cmake --build build -j"$(nproc)" --target stlwire stlwire_sample
exec build/stlwire
