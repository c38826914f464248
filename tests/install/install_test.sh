#!/bin/sh
# Installs the build into a temporary prefix and checks what a desktop needs of it: the desktop
# entry and the AppStream metainfo pass their validators, the icons are there, and the installed
# command, started with no data folder, prepares it, starts the player, and on SIGTERM closes it
# the normal way (last.lst written, exit status 0).
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
appstreamcli validate --no-net "$share/metainfo/$id.metainfo.xml" || fail "metainfo"
for size in 16 22 24 32 48 64 128 256; do
  icon="$share/icons/hicolor/${size}x${size}/apps/$id.png"
  [ -s "$icon" ] || fail "no icon $icon"
done
[ -s "$share/quorvin/helppro.txt" ] || fail "no help text"

# A first start: no data folder yet; the player starts in the home folder, as from a menu.
export HOME="$work/home"
export QUORVIN_PREFIX="$work/prefix"
export QT_QPA_PLATFORM=offscreen
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
