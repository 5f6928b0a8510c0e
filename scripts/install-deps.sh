#!/usr/bin/env bash
# Installs the Debian packages the build needs; does nothing when all are there.
set -euo pipefail
packages=(cmake ninja-build g++ pkg-config qt6-base-dev libgtest-dev libgmock-dev fonts-dejavu-core)
if [ "${1:-}" = "--with-tests" ]; then
  packages+=(g++-mingw-w64-x86-64)
  # Building and checking the Debian package.
  packages+=(dpkg-dev help2man lintian desktop-file-utils shared-mime-info man-db
    xvfb xauth openbox xdotool imagemagick)
  # Windows tests: GoogleTest's sources built with MinGW, run under Wine
  # (64-bit loader and the wine commands), the pty peer in Python.
  packages+=(googletest wine64 wine python3)
  # The Windows setup program.
  packages+=(nsis)
  # Wine's own fonts (MS Sans Serif for the dialogs' "Helv", Tahoma for the
  # message boxes), so the Win32 windows under Wine look as on Windows.
  packages+=(fonts-wine)
  # The fuzz targets: clang with its libFuzzer and sanitizer runtimes.
  packages+=(clang libclang-rt-dev)
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=""
  [ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
  $sudo_cmd apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y --no-install-recommends "${missing[@]}"
fi
