#!/usr/bin/env bash
# Checks what scripts/package.sh wrote into dist/ and what `cmake --install` puts in a
# prefix, as a user would meet them:
#   1. the install tree of the build (default build/) in a fresh temporary prefix holds
#      every file; a C host built with only pkg-config's flags runs; the installed
#      kavelo-play finds its art from the prefix and wins;
#   2. the wheel installs offline into a fresh venv and its module plays to the win; its
#      metadata names the MIT licence and its .dist-info holds LICENSE;
#   3. each .deb holds what it should, its copyright file grants LICENSE's MIT terms, no
#      file is in two of them, lintian passes;
#   4. as root: the .debs install with apt-get, work, and their removal leaves no file
#      behind. The machine is left as it was found, also on failure.
#   scripts/package-check.sh [build-dir]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build=${1:-build}
tmp=$(mktemp -d)
ours=(libplgkavelo1 libplgkavelo-dev kavelo-play python3-kavelo)
installed_here=0
cleanup() {
  if [ "$installed_here" = 1 ]; then
    DEBIAN_FRONTEND=noninteractive apt-get remove --purge -y -qq "${ours[@]}" > /dev/null 2>&1 || true
  fi
  rm -rf "$tmp"
}
trap cleanup EXIT
trap 'exit 1' INT TERM
fail() { echo "package check: $*" >&2; exit 1; }
step() { echo "package check: $*"; }
# kavelo-play ($1) plays by itself and wins.
wins() { env -u DISPLAY -u WAYLAND_DISPLAY "$1" --headless --fast | grep -q '^won ' || fail "$1 did not win"; }
# The width and height a PNG file declares.
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{print $3 * 256 + $4 "x" $7 * 256 + $8}'; }
# The licence every package carries: LICENSE's permission notice and copyright holder.
notice=$(sed -n '/^Permission is hereby granted/,$p' LICENSE)
holder=$(sed -n 's/^Copyright (c) //p' LICENSE)
[ -n "$notice" ] && [ -n "$holder" ] || fail "LICENSE holds no MIT permission notice or no copyright line"
# A Debian copyright file ($1) in the machine-readable format that puts all files under
# the MIT licence of LICENSE's holder, with LICENSE's notice as the licence's text.
grants_mit() {
  [ "$(head -n 1 "$1")" = "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/" ] || return 1
  awk -v RS= '/^Files: \*\n/' "$1" > "$tmp/files-paragraph"
  grep -qxF "Copyright: $holder" "$tmp/files-paragraph" && grep -qxF "License: MIT" "$tmp/files-paragraph" || return 1
  [ "$(awk -v RS= '/^License: MIT\n/' "$1" | sed -e 1d -e 's/^ //' -e 's/^\.$//')" = "$notice" ]
}

step "install tree"
prefix=$tmp/prefix
cmake --install "$build" --prefix "$prefix" > /dev/null
libdir=$(sed -n 's/^CMAKE_INSTALL_LIBDIR:PATH=//p' "$build/CMakeCache.txt")
expected=(bin/kavelo-play include/PlgKavelo/Kavelo.h include/PlgKavelo/KaveloFather.h include/PlgKavelo/OrvinaTools.h
  "$libdir"/libPlgKavelo.so "$libdir"/libPlgKavelo.so.1 "$libdir"/libOrvinaTools.so.1 "$libdir"/pkgconfig/plgkavelo.pc
  "$libdir"/cmake/PlgKavelo/PlgKaveloConfig.cmake share/PlgKavelo/python/kavelo.py share/PlgKavelo/python/kavelo.pyi
  share/PlgKavelo/art/tile42.png share/PlgKavelo/art/timebar.png share/PlgKavelo/art/win.wav
  share/applications/kavelo-play.desktop share/metainfo/org.plgkavelo.KaveloPlay.metainfo.xml share/man/man6/kavelo-play.6)
for side in 32 48 64 128 256; do expected+=("share/icons/hicolor/${side}x$side/apps/kavelo-play.png"); done
for file in "${expected[@]}"; do [ -e "$prefix/$file" ] || fail "the install tree lacks $file"; done
[ "$(readlink "$prefix/$libdir/libPlgKavelo.so.1")" = libPlgKavelo.so.1.0.0 ] || fail "libPlgKavelo.so.1 is no link to 1.0.0"
objdump -p "$prefix/$libdir/libPlgKavelo.so.1" | grep -q 'SONAME *libPlgKavelo.so.1$' || fail "the plug-in's SONAME"
for side in 32 48 64 128 256; do
  [ "$(png_size "$prefix/share/icons/hicolor/${side}x$side/apps/kavelo-play.png")" = "${side}x$side" ] ||
    fail "the ${side}x$side icon has another size"
done
desktop-file-validate "$prefix/share/applications/kavelo-play.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$prefix/share/metainfo/org.plgkavelo.KaveloPlay.metainfo.xml" > "$tmp/appstream.log" ||
  { cat "$tmp/appstream.log"; fail "appstreamcli validate"; }
grep -qx ' *<project_license>MIT</project_license>' "$prefix/share/metainfo/org.plgkavelo.KaveloPlay.metainfo.xml" ||
  fail "the AppStream metadata does not name the MIT licence"

step "C and C++ hosts built with pkg-config's flags only"
export PKG_CONFIG_PATH=$prefix/$libdir/pkgconfig
# shellcheck disable=SC2046
cc -std=c99 -Wall -Werror -o "$tmp/c_host" tests/install/host/main.c $(pkg-config --cflags --libs plgkavelo)
# shellcheck disable=SC2046
c++ -std=c++20 -o "$tmp/cpp_host" tests/install/host/main.cpp $(pkg-config --cflags --libs plgkavelo)
LD_LIBRARY_PATH=$prefix/$libdir "$tmp/c_host" || fail "the C host built with pkg-config failed"
LD_LIBRARY_PATH=$prefix/$libdir "$tmp/cpp_host" || fail "the C++ host built with pkg-config failed"
unset PKG_CONFIG_PATH

step "installed kavelo-play finds its art in the prefix"
wins "$prefix/bin/kavelo-play"
mv "$prefix/share/PlgKavelo/art" "$tmp/art"
! env -u DISPLAY "$prefix/bin/kavelo-play" --headless --fast > /dev/null 2>&1 || fail "kavelo-play played without its art"
mv "$tmp/art" "$prefix/share/PlgKavelo/art"

step "the wheel in a fresh venv"
wheels=(dist/kavelo-*.whl)
if [ ${#wheels[@]} != 1 ] || [ ! -f "${wheels[0]}" ]; then fail "dist/ does not hold one wheel"; fi
/usr/bin/python3 -m venv "$tmp/venv"
"$tmp/venv/bin/pip" install -q --no-index "${wheels[0]}"
mkdir "$tmp/empty"
(cd "$tmp" && env -u KAVELO_LIBRARY PYTHONDONTWRITEBYTECODE=1 "$tmp/venv/bin/python" - <<PY) || fail "the wheel's module"
import kavelo
assert kavelo.load_library()._name.startswith("$tmp/venv/"), kavelo.load_library()._name
PY
(cd "$tmp" && env -u KAVELO_LIBRARY PYTHONDONTWRITEBYTECODE=1 "$tmp/venv/bin/python" \
  "$root/tests/host/python/python_host_wins.py" "$tmp/empty" "$prefix/share/PlgKavelo/art" "$prefix/include/PlgKavelo/KaveloProtocol.h") ||
  fail "the wheel's module did not play to the win"
(cd "$tmp" && "$tmp/venv/bin/python" - "$root/LICENSE" <<'PY') || fail "the wheel does not carry the MIT licence"
import sys
from importlib import metadata
meta = metadata.metadata("kavelo")
assert meta["License"] == "MIT", meta["License"]
assert "License :: OSI Approved :: MIT License" in meta.get_all("Classifier", []), meta.get_all("Classifier")
texts = [f.read_text() for f in metadata.files("kavelo")
         if f.name == "LICENSE" and f.parent.name.endswith(".dist-info") and f.locate().is_file()]
with open(sys.argv[1]) as licence:
    assert texts == [licence.read()], "the .dist-info holds no LICENSE, or another text"
PY

step "the Debian packages"
declare -A holds=(
  [libplgkavelo1]="/libPlgKavelo.so.1 /libPlgKavelo.so.1.0.0 /libOrvinaTools.so.1 /usr/share/doc/libplgkavelo1/copyright"
  [libplgkavelo-dev]="/usr/include/PlgKavelo/Kavelo.h /usr/include/PlgKavelo/KaveloFather.h /libPlgKavelo.so
    /pkgconfig/plgkavelo.pc /cmake/PlgKavelo/PlgKaveloConfig.cmake"
  [kavelo-play]="/usr/games/kavelo-play /usr/share/PlgKavelo/art/tile1.png /usr/share/applications/kavelo-play.desktop
    /usr/share/icons/hicolor/256x256/apps/kavelo-play.png /usr/share/man/man6/kavelo-play.6.gz
    /usr/share/metainfo/org.plgkavelo.KaveloPlay.metainfo.xml"
  [python3-kavelo]="/usr/lib/python3/dist-packages/kavelo.py")
for package in "${ours[@]}"; do
  debs=(dist/"${package}"_*.deb)
  [ -f "${debs[0]}" ] || fail "dist/ lacks $package"
  dpkg-deb --contents "${debs[0]}" | awk '$1 !~ /^d/ {print $6}' | sed 's|^\.||' > "$tmp/$package.files"
  for file in ${holds[$package]}; do grep -q -- "$file\$" "$tmp/$package.files" || fail "$package lacks $file"; done
  dpkg-deb --fsys-tarfile "${debs[0]}" | tar -xOf - "./usr/share/doc/$package/copyright" > "$tmp/$package.copyright" ||
    fail "$package lacks /usr/share/doc/$package/copyright"
  grants_mit "$tmp/$package.copyright" || fail "$package's copyright file does not grant the MIT licence of LICENSE"
done
twice=$(cat "$tmp"/*.files | sort | uniq -d)
[ -z "$twice" ] || fail "in two packages: $twice"
lintian_ok=1
lintian --fail-on error,warning dist/*.deb > "$tmp/lintian.log" 2>&1 || lintian_ok=0
grep -v 'root privileges' "$tmp/lintian.log" || true
[ "$lintian_ok" = 1 ] || fail "lintian found errors or warnings"

if [ "$(id -u)" != 0 ]; then
  step "not root: the packages are not installed into this machine"
  exit 0
fi
step "apt-get install, use, and remove"
for package in "${ours[@]}"; do
  ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" ||
    fail "$package is installed already; remove it first"
done
snapshot() { find /usr /etc /var/lib/dpkg/info -xdev \( -type f -o -type l \) ! -name '*.cache' -print | sort; }
snapshot > "$tmp/before"
extra=$(apt-get install -s ./dist/*.deb 2>/dev/null | awk '/^Inst/ {print $2}' | grep -vxF -f <(printf '%s\n' "${ours[@]}") || true)
[ -z "$extra" ] || fail "installing would pull in more packages (run scripts/package-deps.sh): $extra"
installed_here=1
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq ./dist/*.deb > "$tmp/apt.log" 2>&1 || { cat "$tmp/apt.log"; fail "apt-get install"; }
wins /usr/games/kavelo-play
# shellcheck disable=SC2046
cc -std=c99 -o "$tmp/system_c_host" tests/install/host/main.c $(pkg-config --cflags --libs plgkavelo)
"$tmp/system_c_host" || fail "the C host built against the installed package failed"
(cd "$tmp" && /usr/bin/python3 "$root/tests/host/python/python_host_wins.py" "$tmp/empty" /usr/share/PlgKavelo/art /usr/include/PlgKavelo/KaveloProtocol.h) ||
  fail "the installed Python module did not play to the win"
for package in "${ours[@]}"; do dpkg -L "$package"; done | sort -u > "$tmp/listed"
DEBIAN_FRONTEND=noninteractive apt-get remove --purge -y -qq "${ours[@]}" > "$tmp/apt.log" 2>&1 || { cat "$tmp/apt.log"; fail "apt-get remove"; }
installed_here=0
left=$(while read -r path; do [ -d "$path" ] || [ ! -e "$path" ] || echo "$path"; done < "$tmp/listed")
[ -z "$left" ] || fail "left after removal: $left"
snapshot > "$tmp/after"
diff "$tmp/before" "$tmp/after" || fail "files differ before the installation and after the removal"
step "all passed"
