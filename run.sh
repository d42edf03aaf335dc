#!/usr/bin/env bash
# Installs what is missing, builds in Release and starts the program.
set -euo pipefail
cd "$(dirname "$0")"
tools/ensure-packages.sh
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
cmake --build build/release -j "$(nproc)"
# Registers the chart component for this user, as an installer does.
build/release/bin/jhavari-training -register || true
exec build/release/bin/jhavari-training "$@"
