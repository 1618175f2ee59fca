#!/usr/bin/env bash
# Builds the Debian package build/package/talvanor_VERSION_ARCH.deb with CPack and checks it:
# the menu entry with desktop-file-validate, the AppStream data with appstreamcli, the package
# with lintian (what lintian reports and we keep is in resources/debian/lintian-overrides, with
# the reasons). Exits non-zero when the build or any check fails.
set -euo pipefail
cd "$(dirname "$0")/.."

# The package tools: dpkg-shlibdeps (dpkg-dev) finds the libraries' packages.
bash scripts/deps.sh dpkg-dev lintian appstream desktop-file-utils

# Built apart from run.sh's build/release: with Debian's own compiler and linker flags (hardened:
# fortified functions, read-only relocations, bound at load) as every Debian package is.
build=${TALVANOR_PACKAGE_DIR:-build/package}
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTALVANOR_BUILD_TESTS=OFF \
      -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)" \
      -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >/dev/null
cmake --build "$build" -j2
rm -f "$build"/talvanor_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/talvanor_*.deb)
echo "Built $deb"

echo "== desktop-file-validate"
desktop-file-validate resources/talvanor.desktop
echo "== appstreamcli validate --no-net"
appstreamcli validate --no-net resources/com.example.talvanor.metainfo.xml
echo "== lintian"
# Root or not, the checks are the same; lintian only notes that it runs as root.
status=0
lintian --info --display-info --fail-on error,warning "$deb" >"$build/lintian.log" 2>&1 || status=$?
grep -v '^running with root privileges' "$build/lintian.log" || true
[ "$status" -eq 0 ] || { echo "lintian found errors or warnings (exit $status)"; exit 1; }
echo "lintian: no errors or warnings"
