#!/usr/bin/env bash
# Builds the packages people install into dist/: the Debian packages libplgkavelo1,
# libplgkavelo-dev, kavelo-play and python3-kavelo (from the install tree, with dpkg-deb),
# and the Python wheel kavelo-<version>-py3-none-<platform>.whl (built offline).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
scripts/package-deps.sh
umask 022
version=$(sed -n 's/^project(PlgKavelo VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
grep -qx "version = \"$version\"" bindings/python/pyproject.toml ||
  { echo "bindings/python/pyproject.toml does not carry version $version" >&2; exit 1; }
arch=$(dpkg --print-architecture)
multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
maintainer="PlgKavelo maintainers <maintainers@users.noreply.c-seed-73eef4d3.example>"
build="build-package"
work=$build/debian

# A release build with Debian's hardening flags, laid out as a distribution installs it
# (a game's program in /usr/games).
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=None -DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_INSTALL_BINDIR=games \
  -DKAVELO_DISTRO_LAYOUT=ON -DKAVELO_BUILD_TESTS=OFF -DKAVELO_BUILD_BENCH=OFF \
  -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" \
  -DCMAKE_SHARED_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" > /dev/null
cmake --build "$build" -j "$(nproc)"

rm -rf "$work"
mkdir -p dist "$work/shlibdeps/debian"
rm -f dist/*.deb dist/*.whl
declare -A components=([libplgkavelo1]=runtime [libplgkavelo-dev]=dev [kavelo-play]=play [python3-kavelo]=python)
fill() { sed -e "s|@VERSION@|$version|g" -e "s|@MAINTAINER@|$maintainer|g" "$@"; }

for package in libplgkavelo1 libplgkavelo-dev kavelo-play python3-kavelo; do
  tree=$work/$package
  DESTDIR=$root/$tree cmake --install "$build" --component "${components[$package]}" --strip > /dev/null
  doc=$tree/usr/share/doc/$package
  mkdir -p "$doc" "$tree/DEBIAN"
  fill packaging/debian/copyright > "$doc/copyright"
  fill packaging/debian/changelog | gzip -9n > "$doc/changelog.gz"
  find "$tree/usr/share/man" -type f -name '*.[0-9]' -exec gzip -9n {} + 2>/dev/null || true
  find "$tree/usr/lib" -name '*.so.*' -type f -exec chmod 0644 {} + 2>/dev/null || true
  find "$tree/usr" -type f \( -name '*.so.*' -o -perm -0100 \) -exec strip --remove-section=.comment --remove-section=.note {} +
  for script in postinst prerm triggers shlibs; do
    [ -f "packaging/debian/$package.$script" ] || continue
    fill "packaging/debian/$package.$script" > "$tree/DEBIAN/$script"
    case $script in postinst|prerm) chmod 0755 "$tree/DEBIAN/$script" ;; *) chmod 0644 "$tree/DEBIAN/$script" ;; esac
  done
done

# Dependencies of the programs and libraries, from the shared libraries they need; the
# plug-in's own come from this build's libplgkavelo1.
depends() {
  local files
  mapfile -t files < <(find "$root/$work/$1/usr" -type f \( -name '*.so.*' -o -perm -0100 \))
  fill packaging/debian/libplgkavelo1.shlibs > "$work/shlibdeps/debian/shlibs.local"
  : > "$work/shlibdeps/debian/control"
  (cd "$work/shlibdeps" && dpkg-shlibdeps -O -x"$1" -l"$root/$work/libplgkavelo1/usr/lib/$multiarch" "${files[@]}") |
    sed -n 's/^shlibs:Depends=//p'
}
for package in libplgkavelo1 libplgkavelo-dev kavelo-play python3-kavelo; do
  tree=$work/$package
  deps=""
  case $package in libplgkavelo1|kavelo-play) deps=$(depends "$package") ;; esac
  size=$(du -sk --exclude=DEBIAN "$tree" | cut -f1)
  fill "packaging/debian/$package.control" | sed -e "s|@ARCH@|$arch|" -e "s|@SIZE@|$size|" -e "s|@DEPENDS@|$deps|" \
    > "$tree/DEBIAN/control"
  (cd "$tree" && find usr -type f -printf '%P\n' | sort | sed 's|^|usr/|' | xargs md5sum) > "$tree/DEBIAN/md5sums"
  chmod 0644 "$tree/DEBIAN/control" "$tree/DEBIAN/md5sums"
  package_arch=$(sed -n 's/^Architecture: //p' "$tree/DEBIAN/control")
  dpkg-deb --root-owner-group -Zxz --build "$tree" "dist/${package}_${version}_${package_arch}.deb" > /dev/null
  echo "wrote dist/${package}_${version}_${package_arch}.deb"
done

# The wheel: the module as the package kavelo, its stubs, and the libraries beside it;
# the licence goes into its .dist-info.
stage=$build/wheel
rm -rf "$stage"
mkdir -p "$stage/kavelo"
cp bindings/python/pyproject.toml bindings/python/setup.py LICENSE "$stage/"
cp bindings/python/kavelo.py "$stage/kavelo/__init__.py"
cp bindings/python/kavelo.pyi "$stage/kavelo/__init__.pyi"
: > "$stage/kavelo/py.typed"
cp "$work/libplgkavelo1/usr/lib/$multiarch"/lib*.so.[0-9] "$stage/kavelo/"
/usr/bin/python3 -m build --no-isolation --wheel --outdir dist "$stage" > "$build/wheel.log" 2>&1 ||
  { cat "$build/wheel.log" >&2; exit 1; }
for wheel in dist/*.whl; do echo "wrote $wheel"; done
