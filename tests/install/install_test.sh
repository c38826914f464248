#!/bin/sh
# Installs the build into a temporary prefix and checks what a desktop and a distribution need of
# it: the desktop entry and the AppStream metainfo pass their validators, the icons, the manual
# page, the copyright file and the changelog are there, the programs carry no symbols, the Debian
# package passes lintian (where lintian is installed), and the installed command, started with
# no data folder, prepares it, starts the player, and on SIGTERM closes it the normal way
# (last.lst written, exit status 0).
#   install_test.sh BUILD_DIR
set -eu
build=$1
id=org.quorvin.QuorvinPro
work=$(mktemp -d)
pid=
cleanup() {
  if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then kill -KILL "$pid"; fi
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

cmake --install "$build" --prefix "$work/usr" >/dev/null
share="$work/usr/share"
desktop-file-validate "$share/applications/$id.desktop" || fail "desktop entry"
# Pedantic, with one hint allowed: the id has upper-case letters, which the desktop entry, the
# icons and the MPRIS desktop entry name already carry.
appstreamcli validate --pedantic --no-net "$share/metainfo/$id.metainfo.xml" >"$work/as.log" 2>&1 ||
  fail "metainfo: $(cat "$work/as.log")"
grep -E '^[EWIP]: ' "$work/as.log" | grep -v 'cid-contains-uppercase-letter' >"$work/as-other.log" || true
[ ! -s "$work/as-other.log" ] || fail "metainfo: $(cat "$work/as-other.log")"
doc="$share/doc/quorvin-pro"
[ -s "$doc/copyright" ] && grep -q '^License: GPL-3+' "$doc/copyright" || fail "no copyright file"
gzip -t "$doc/changelog.gz" || fail "no changelog"
gzip -dc "$share/man/man1/quorvin.1.gz" | grep -q '^\.SH "EXIT STATUS"' || fail "no manual page"
for program in "$work/usr/libexec/quorvin/quorvin" "$work/usr/libexec/quorvin/qrv_provision"; do
  if readelf -S "$program" | grep -q -E '\.symtab|\.debug_info'; then
    grep -q '^CMAKE_BUILD_TYPE:STRING=Debug$' "$build/CMakeCache.txt" || fail "$program not stripped"
  fi
done
"$work/usr/bin/quorvin" --version | grep -q '^quorvin (Quorvin Pro) 3.0$' || fail "--version"
"$work/usr/bin/quorvin" --help | grep -q 'QUORVIN_PREFIX' || fail "--help"
if grep -q '^QRV_SANITIZE:BOOL=ON$' "$build/CMakeCache.txt"; then
  echo "a sanitizer build is not a package to ship; the package check is skipped"
elif command -v lintian >/dev/null; then
  cpack -G DEB -B "$work/deb" --config "$build/CPackConfig.cmake" >/dev/null || fail "cpack"
  lintian "$work"/deb/*.deb >"$work/lintian.log" 2>&1 || fail "lintian: $(cat "$work/lintian.log")"
  grep -E '^[EW]: ' "$work/lintian.log" && fail "lintian has complaints"
  echo "lintian: no errors, no warnings"
else
  echo "lintian is not installed; the package check is skipped"
fi
for size in 16 22 24 32 48 64 128 256; do
  icon="$share/icons/hicolor/${size}x${size}/apps/$id.png"
  [ -s "$icon" ] || fail "no icon $icon"
done
[ -s "$share/quorvin/helppro.txt" ] || fail "no help text"

# A first start: no data folder yet; the player starts in the home folder, as from a menu.
export HOME="$work/home"
export QUORVIN_PREFIX="$work/prefix"
export QT_QPA_PLATFORM=offscreen
# A player already running on the desktop's session bus would be handed this start.
unset DBUS_SESSION_BUS_ADDRESS
mkdir -p "$HOME"
cd "$HOME"
"$work/usr/bin/quorvin" >"$work/player.log" 2>&1 &
pid=$!

# The player is ready for SIGTERM once it catches it (SigCgt in /proc lists it; SIGTERM is 15).
i=0
while :; do
  caught=$(sed -n 's/^SigCgt:[[:space:]]*//p' "/proc/$pid/status" 2>/dev/null || echo 0)
  [ $(((0x$caught >> 14) & 1)) -eq 1 ] && break
  i=$((i + 1))
  [ $i -lt 300 ] || fail "the player did not start: $(cat "$work/player.log")"
  sleep 0.1
done
[ -f "$QUORVIN_PREFIX/drive_c/qrv30/backgrounds/standar.bmp" ] || fail "data folder not prepared"
[ -s "$QUORVIN_PREFIX/drive_c/qrv30/helppro.txt" ] || fail "help text not provisioned"
kill -TERM "$pid"
status=0
wait "$pid" || status=$?
pid=
[ "$status" -eq 0 ] || fail "the player ended with status $status: $(cat "$work/player.log")"
[ -f "$QUORVIN_PREFIX/drive_c/qrv30/last.lst" ] || fail "last.lst was not written"
echo "installed tree valid; the installed command provisioned, ran and closed on SIGTERM"
