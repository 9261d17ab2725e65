#!/usr/bin/env bash
# Installs what the build needs on a Debian 12 machine (run as root). Safe to run again:
# packages already present are skipped and the cross-built libraries are cached in the build tree.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$here/build}
cache=$build/cache
mkdir -p "$cache"

# fonts-wine holds Wine's own faces, among them Marlett for the window frames and Symbol for rich
# text bullets, which python3-fonttools gives a symbol cmap (see wineprefix.sh).
need_pkgs=(g++-mingw-w64-i686 cmake make wine wine32:i386 fonts-wine python3-fonttools xvfb fonts-ipafont-gothic fonts-ipafont-mincho
           locales imagemagick x11-apps googletest libgtest-dev dpkg-dev g++ python3 ghostscript)
missing=()
for p in "${need_pkgs[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

if ! locale -a 2>/dev/null | grep -qi '^ja_JP.utf8$'; then
  sed -i 's/^# *ja_JP.UTF-8 UTF-8/ja_JP.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' >> /etc/locale.gen
  locale-gen >/dev/null
fi

toolchain=$here/tools/mingw-i686.cmake

# libjpeg from Debian's own source package, cross-built once.
if [ ! -f "$cache/libjpeg/lib/libjpeg.a" ]; then
  src_list=/etc/apt/sources.list.d/orbal98-src.sources
  if ! apt-get source --print-uris -qq libjpeg-turbo >/dev/null 2>&1; then
    if [ -f /etc/apt/sources.list.d/debian.sources ]; then
      sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources > "$src_list"
    else
      grep -h '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' > /etc/apt/sources.list.d/orbal98-src.list
    fi
    apt-get update -qq
  fi
  rm -rf "$cache/jpegsrc" && mkdir -p "$cache/jpegsrc"
  # (apt warns that root downloads unsandboxed; that is expected here)
  (cd "$cache/jpegsrc" && { apt-get source --download-only -qq libjpeg-turbo 2>&1 >/dev/null | grep -v -i unsandboxed >&2 || true; } \
     && dpkg-source -x --no-check ./*.dsc src >/dev/null)
  cmake -S "$cache/jpegsrc/src" -B "$cache/jpegsrc/build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DENABLE_SHARED=OFF -DWITH_TURBOJPEG=OFF -DWITH_SIMD=OFF \
    -DCMAKE_INSTALL_PREFIX="$cache/libjpeg" -DCMAKE_INSTALL_LIBDIR="$cache/libjpeg/lib" >/dev/null
  cmake --build "$cache/jpegsrc/build" -j"$(nproc)" --target install >/dev/null
  rm -rf "$cache/jpegsrc"
fi

# GoogleTest from the sources Debian ships, cross-built once.
if [ ! -f "$cache/gtest/lib/libgtest.a" ]; then
  cmake -S /usr/src/googletest -B "$cache/gtestbuild" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -Dgtest_disable_pthreads=OFF -DCMAKE_INSTALL_PREFIX="$cache/gtest" \
    -DCMAKE_INSTALL_LIBDIR=lib >/dev/null
  cmake --build "$cache/gtestbuild" -j"$(nproc)" --target install >/dev/null
  rm -rf "$cache/gtestbuild"
fi
echo "setup: done"
