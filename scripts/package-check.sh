#!/usr/bin/env bash
# Builds the Debian package (presets `package`), installs it, checks that the programs start
# from where it put them and find their help there, and removes it again.
#
#   scripts/package-check.sh             builds the `package` preset and checks its package
#   scripts/package-check.sh build/DIR   packages an existing build instead (the test command
#                                        passes its release build, so nothing is built twice;
#                                        the programs find their help beside themselves
#                                        whatever install prefix that build was given)
#
# As root, when no quillet is installed already, the package goes in with dpkg -i and is
# purged at the end, so its declared dependencies and the system paths are what is checked.
# Otherwise (a user without root, or a machine with a quillet of its own that must not be
# replaced) it is unpacked into a scratch folder and checked there.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc 2>/dev/null || echo 2)

if [ $# -ge 1 ]; then
  out=$1/deb
  rm -rf "$out"
  cpack -G DEB --config "$1/CPackConfig.cmake" -B "$out" >/dev/null
else
  cmake --preset package >/dev/null
  cmake --build --preset package -j "$jobs"
  out=build/package
  rm -f "$out"/quillet_*.deb
  cpack --preset package >/dev/null
fi
debs=("$out"/quillet_*.deb)
deb=${debs[0]}
echo "== package $deb"

scratch=$(mktemp -d)
installed_by_us=""
cleanup() {
  if [ -n "$installed_by_us" ]; then
    dpkg --purge quillet >/dev/null
  fi
  rm -rf "$scratch"
}
trap cleanup EXIT

failures=0
ok() { echo "   ok: $*"; }
fail() {
  echo "!! $*" >&2
  failures=$((failures + 1))
}

# What the package must hold. The command-line program is checked when the source has it.
expected=(
  usr/bin/quillet
  usr/share/quillet/Quillet.hlp
  usr/share/applications/quillet.desktop
  usr/share/metainfo/io.github.quillet.quillet.metainfo.xml
  usr/share/icons/hicolor/scalable/apps/quillet.svg
  usr/share/icons/hicolor/16x16/apps/quillet.png
  usr/share/icons/hicolor/256x256/apps/quillet.png
  usr/share/man/man1/quillet.1
)
has_cli=""
if [ -f cli/CMakeLists.txt ]; then
  has_cli=yes
  expected+=(usr/bin/quillet-lrt usr/share/man/man1/quillet-lrt.1)
fi

contents=$(dpkg-deb --contents "$deb" | awk '{ print $NF }' | sed 's|^\./||')
for path in "${expected[@]}"; do
  if grep -qx "$path" <<<"$contents"; then ok "holds /$path"; else fail "the package lacks /$path"; fi
done
depends=$(dpkg-deb --field "$deb" Depends)
if grep -q 'libqt6widgets6' <<<"$depends"; then
  ok "declares its dependencies: $depends"
else
  fail "the Depends line does not name Qt: '$depends'"
fi

# Install for real where that replaces nothing; otherwise unpack into a scratch root.
clash=""
dpkg-query -W -f='${Status}' quillet 2>/dev/null | grep -q "install ok installed" && clash=yes
for path in "${expected[@]}"; do
  [ -e "/$path" ] && clash=yes
done
if [ "$(id -u)" -eq 0 ] && [ -z "$clash" ]; then
  echo "== dpkg -i"
  installed_by_us=yes
  dpkg -i "$deb" >/dev/null
  root=""
else
  echo "== unpacked into a scratch root (not root, or a quillet is installed already)"
  root=$scratch/root
  dpkg-deb -x "$deb" "$root"
fi
bin=$root/usr/bin
share=$root/usr/share

# Run from an empty folder with a clean Qt environment, so that nothing beside the source tree
# or the caller's settings can stand in for the installation.
cwd=$scratch/cwd
mkdir -p "$cwd"
run() { (cd "$cwd" && env -u QT_QPA_PLATFORM -u QT_PLUGIN_PATH "$@"); }

if missing=$(ldd "$bin/quillet" | grep 'not found'); then
  fail "quillet misses libraries: $missing"
else
  ok "every library quillet links is installed"
fi

upstream=$(dpkg-deb --field "$deb" Version)
upstream=${upstream%-*}
version=$(run "$bin/quillet" --version 2>&1) || fail "quillet --version failed: $version"
if [ "$version" = "Quillet $upstream" ]; then
  ok "quillet --version: $version"
else
  fail "quillet --version printed '$version'"
fi

help=$(run "$bin/quillet" --help-path 2>&1) || fail "quillet --help-path failed: $help"
wanted_help=$share/quillet/Quillet.hlp
if [ -n "$root" ] && [ "$help" = /usr/share/quillet/Quillet.hlp ]; then
  # A scratch root beside an installed quillet: the installed help comes first.
  wanted_help=/usr/share/quillet/Quillet.hlp
fi
if [ "$help" = "$wanted_help" ]; then
  ok "the help is found at $help"
else
  fail "quillet --help-path printed '$help', not $wanted_help"
fi

# The window: offscreen, it must still be up and waiting for the user after a few seconds.
window_log=$scratch/window.log
status=0
(cd "$cwd" && QT_QPA_PLATFORM=offscreen timeout 5 "$bin/quillet" >"$window_log" 2>&1) || status=$?
if [ "$status" -eq 124 ]; then
  ok "the window opens offscreen and stays open"
else
  fail "the window ended with status $status within 5 s:"
  sed 's/^/     /' "$window_log" >&2
fi

if [ -n "$has_cli" ]; then
  lrt=$(run "$bin/quillet-lrt" --version 2>&1) || fail "quillet-lrt --version failed: $lrt"
  if grep -q "$upstream" <<<"$lrt"; then
    ok "quillet-lrt --version: $lrt"
  else
    fail "quillet-lrt --version printed '$lrt', without $upstream"
  fi
fi

# The metadata as installed.
if out=$(desktop-file-validate "$share/applications/quillet.desktop" 2>&1) && [ -z "$out" ]; then
  ok "desktop-file-validate: no remarks"
else
  fail "desktop-file-validate: $out"
fi
metainfo=$share/metainfo/io.github.quillet.quillet.metainfo.xml
if out=$(appstreamcli validate --no-net --pedantic "$metainfo" 2>&1) &&
  ! grep -q '^[EWIP]: ' <<<"$out"; then
  ok "appstreamcli validate: no remarks"
else
  fail "appstreamcli validate: $out"
fi

if [ -n "$installed_by_us" ]; then
  echo "== dpkg --purge"
  installed_by_us=""
  dpkg --purge quillet >/dev/null
  left=()
  for path in "${expected[@]}"; do
    [ -e "/$path" ] && left+=("/$path")
  done
  if [ ${#left[@]} -eq 0 ]; then ok "removed without leftovers"; else fail "left behind: ${left[*]}"; fi
fi

if [ "$failures" -ne 0 ]; then
  echo "package check FAILED ($failures)" >&2
  exit 1
fi
echo "package check passed"
