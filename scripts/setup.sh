#!/usr/bin/env bash
# Installs everything the build and the tests need on a fresh Debian 12 machine (run as root).
# Idempotent: a second run only checks that the packages are there.
set -euo pipefail

need_root() { if [ "$(id -u)" != 0 ]; then echo "setup.sh: run as root" >&2; exit 1; fi; }

packages=(
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix binutils-mingw-w64
  libz-mingw-w64-dev
  wine64 wine32:i386 qemu-user
  xvfb xauth xdotool x11-utils imagemagick fonts-wqy-microhei
  cmake ninja-build googletest libgtest-dev clang libclang-rt-14-dev
  dpkg-dev unzip zip nsis locales
)

missing=()
have_i386=0
dpkg --print-foreign-architectures | grep -qx i386 && have_i386=1
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
src_list=/etc/apt/sources.list.d/sysclean-src.sources
if [ ${#missing[@]} -gt 0 ] || [ $have_i386 = 0 ] || [ ! -f $src_list ]; then
  need_root
  [ $have_i386 = 1 ] || dpkg --add-architecture i386
  if [ ! -f $src_list ]; then
    # Debian's source packages: libpng is built from them for the Windows targets.
    cat > $src_list <<'SRC'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${packages[@]}"
fi

# Wine reads the code page from the locale: zh_CN.UTF-8 gives code page 936.
if ! locale -a 2>/dev/null | grep -qi '^zh_CN.utf8$'; then
  need_root
  sed -i 's/^# *zh_CN.UTF-8 UTF-8/zh_CN.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' >> /etc/locale.gen
  locale-gen >/dev/null
fi

# 32-bit Wine runs only under qemu-user on this kernel: register qemu-i386 for i386 ELF through binfmt_misc.
if [ "${SYSCLEAN_NO_BINFMT:-0}" != 1 ]; then
  if [ ! -e /proc/sys/fs/binfmt_misc/register ]; then
    need_root
    mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc 2>/dev/null || true
  fi
  if [ -e /proc/sys/fs/binfmt_misc/register ] && [ ! -e /proc/sys/fs/binfmt_misc/qemu-i386 ]; then
    qemu=$(command -v qemu-i386-static || command -v qemu-i386 || true)
    if [ -n "$qemu" ]; then
      echo ":qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:$qemu:F" \
        > /proc/sys/fs/binfmt_misc/register || echo "setup.sh: could not register qemu-i386" >&2
    fi
  fi
fi
# libpng for the Windows targets is built from Debian's source package; fetch it once.
deps="$(cd "$(dirname "$0")/.." && pwd)/.deps/libpng"
if ! ls "$deps"/libpng1.6_*.dsc >/dev/null 2>&1; then
  mkdir -p "$deps"
  (cd "$deps" && apt-get source --download-only -q libpng1.6/bookworm)
fi
echo "setup: ready"
