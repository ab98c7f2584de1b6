#!/usr/bin/env bash
# Builds the release a Windows user downloads, from the windows preset
# (Release): Horalet-<version>-win64.zip, which unpacks to one folder that
# runs as it is, and the installer Horalet-<version>-setup.exe. Prints their
# paths. An argument names a build folder other than build/windows.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
cd "$horalet_root"

ensure_toolchain makensis:nsis
dir=$(realpath -m "${1:-build/windows}")
version=$(sed -n 's/^project(Horalet VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
log=$dir/release.log

# Configured every time, so that a makensis installed since the last run is
# found.
say "configuring $dir"
cmake --preset windows -B "$dir" >/dev/null
say "building horalet.exe and its manual"
cmake --build "$dir" -j"$(nproc)" --target horalet horalet_manual >"$log" 2>&1 || { cat "$log"; exit 1; }
say "packing the zip"
(cd "$dir" && cpack -G ZIP --config CPackConfig.cmake) >"$log" 2>&1 || { cat "$log"; exit 1; }
say "building the installer"
cmake --build "$dir" --target horalet_installer >"$log" 2>&1 || { cat "$log"; exit 1; }

zip=$dir/Horalet-$version-win64.zip
setup=$dir/Horalet-$version-setup.exe
[ -f "$zip" ] && [ -f "$setup" ] || { echo "release files missing in $dir" >&2; exit 1; }
say "zip: $zip"
say "installer: $setup"
