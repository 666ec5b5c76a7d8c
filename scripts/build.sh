#!/bin/sh
# Installs what is missing, then configures and builds each preset named.
# Usage: build.sh "<presets>" [cmake --build options, such as --target Vantry]
set -e
cd "$(dirname "$0")/.."
presets=$1
shift
./scripts/install-deps.sh
for preset in $presets; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" "$@"
done
