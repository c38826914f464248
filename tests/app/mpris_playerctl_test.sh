#!/bin/sh
# Starts the real player on a session bus of its own and drives it with playerctl, as the
# desktop's media keys would: next item, pause, resume; then ends it with SIGTERM, which must
# close it the normal way (the playlist folder kept in last.lst, exit status 0).
#   mpris_playerctl_test.sh PLAYER PROVISION_TOOL
set -eu
player=$1
provision=$2

if [ -z "${QRV_INNER:-}" ]; then
  # Run the rest inside a private bus that goes away with it.
  QRV_INNER=1 exec dbus-run-session -- sh "$0" "$@"
fi

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

export QUORVIN_PREFIX="$work/prefix"
"$provision" >/dev/null
music="$QUORVIN_PREFIX/drive_c/music"
mkdir -p "$music"
for name in one two; do
  gst-launch-1.0 -q audiotestsrc num-buffers=40 ! audio/x-raw,rate=22050,channels=1 ! wavenc \
    ! filesink location="$music/$name.wav" >/dev/null
done

cd "$music"
"$player" >"$work/player.log" 2>&1 &
pid=$!

ctl() { playerctl --player=quorvin "$@"; }
# Waits until `ctl ARGS` prints the expected text.
await() {
  want=$1
  shift
  i=0
  while [ $i -lt 100 ]; do
    got=$(ctl "$@" 2>/dev/null || true)
    [ "$got" = "$want" ] && return 0
    i=$((i + 1))
    sleep 0.1
  done
  fail "playerctl $* gave '$got', expected '$want'"
}

await Stopped status
ctl next
await Playing status
await one.wav metadata xesam:title
ctl pause
await Paused status
ctl play-pause
await Playing status
ctl next
await two.wav metadata xesam:title

kill -TERM "$pid"
status=0
wait "$pid" || status=$?
pid=
[ "$status" -eq 0 ] || fail "the player ended with status $status"
last="$QUORVIN_PREFIX/drive_c/qrv30/last.lst"
[ -f "$last" ] || fail "last.lst was not written"
printf 'c:\\music\r\n' | cmp -s - "$last" || fail "last.lst holds '$(cat "$last")'"
echo "playerctl drove the player; SIGTERM kept the playlist folder"
