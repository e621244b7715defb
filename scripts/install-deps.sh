#!/usr/bin/env bash
# Installs the Debian packages the build needs; does nothing when they are all present.
set -euo pipefail
packages=(cmake ninja-build g++ clang libclang-rt-dev clang-format libgtest-dev libgmock-dev googletest
          libbenchmark-dev libcurl4-openssl-dev python3 openssl ccache
          libpng-dev libjpeg-dev libgif-dev libtiff-dev libwebp-dev poppler-utils pkg-config
          libfontconfig-dev libfreetype-dev libharfbuzz-dev libcairo2-dev fonts-dejavu-core fonts-liberation2 libxml2-utils)
missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
