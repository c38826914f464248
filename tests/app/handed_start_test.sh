#!/bin/sh
# The real player handed files the ways a desktop hands them, on a session bus and an X display
# of its own: the command line with a host path, a second start with a drive path (handed to the
# running player, which switches to it), the desktop entry's Exec line run by `gio launch`, and a
# start without a file (only a raise). The restore five seconds after start-up must leave the
# handed folder; SIGTERM then writes it to last.lst.
#   handed_start_test.sh PLAYER PROVISION_TOOL DESKTOP_ENTRY
set -eu
player=$(readlink -f "$1")
provision=$(readlink -f "$2")
entry=$(readlink -f "$3")

. "$(dirname "$0")/../support/player_session.sh"
music="$QUORVIN_PREFIX/drive_c/my music"
mkdir -p "$music" "$QUORVIN_PREFIX/drive_c/elsewhere"
for name in one two three; do
  gst-launch-1.0 -q audiotestsrc num-buffers=400 ! audio/x-raw,rate=22050,channels=1 ! wavenc \
    ! filesink location="$music/$name.wav" >/dev/null
done
# The last session's playlist names another folder; the restore must not go back there.
printf 'c:\\elsewhere\r\n' >"$QUORVIN_PREFIX/drive_c/qrv30/last.lst"

start_display

# Runs a second start, which must hand over and end at once with status 0.
second() {
  status=0
  timeout 20 "$@" >"$work/second.log" 2>&1 || status=$?
  [ "$status" -eq 0 ] || fail "the second start '$*' ended with status $status"
}

cd "$work"
started=$(date +%s)
"$player" "$music/one.wav" >"$work/player.log" 2>&1 &
pid=$!
await Playing status
await one.wav metadata xesam:title
echo "command line, host path: plays one.wav"

second "$player" 'c:\my music\two.wav'
await two.wav metadata xesam:title
echo "second start, drive path: the running player switched to two.wav"

# The desktop entry as installed, with the player in place of the command.
sed "s|^Exec=quorvin|Exec=$player|" "$entry" >"$work/org.quorvin.QuorvinPro.desktop"
if command -v gio >/dev/null; then
  second gio launch "$work/org.quorvin.QuorvinPro.desktop" "$music/three.wav"
  echo "gio launch of the desktop entry: the running player switches to three.wav"
else
  # The Exec line expanded by hand, as a launcher does with one file for %F.
  exec_line=$(sed -n 's/^Exec=//p' "$work/org.quorvin.QuorvinPro.desktop")
  second ${exec_line%% %F} "$music/three.wav"
  echo "gio is not installed; the Exec line was expanded by hand"
fi
await three.wav metadata xesam:title

second "$player"
await three.wav metadata xesam:title
kill -0 "$pid" || fail "the first player has gone"
# Only this script's own children count: other tests may run the same program at the same time.
[ "$(pgrep -c -P $$ -f "^$player" || true)" -le 1 ] || fail "a second player is running"
echo "a start without a file only raised the running player"

# Past the restore: the handed folder and the title stay.
while [ $(($(date +%s) - started)) -lt 7 ]; do sleep 0.2; done
await three.wav metadata xesam:title
stop_player
printf 'c:\\my music\r\n' | cmp -s - "$QUORVIN_PREFIX/drive_c/qrv30/last.lst" ||
  fail "last.lst holds '$(cat "$QUORVIN_PREFIX/drive_c/qrv30/last.lst")'"
echo "the restore kept the handed folder, and the close wrote it"
