#!/bin/sh
# Starts the real player on a session bus and an X display of its own, chooses the first playlist
# item with a click as a user would, then drives it with playerctl as the desktop's media keys
# do: pause, resume, next item; then ends it with SIGTERM, which must close it the normal way
# (the playlist folder written to last.lst, exit status 0).
#   mpris_playerctl_test.sh PLAYER PROVISION_TOOL
set -eu
player=$(readlink -f "$1")
provision=$(readlink -f "$2")

. "$(dirname "$0")/../support/player_session.sh"
music="$QUORVIN_PREFIX/drive_c/music"
mkdir -p "$music"
for name in one two; do
  gst-launch-1.0 -q audiotestsrc num-buffers=40 ! audio/x-raw,rate=22050,channels=1 ! wavenc \
    ! filesink location="$music/$name.wav" >/dev/null
done

# The last session's playlist, with a stale second line that the close must drop.
printf 'c:\\music\r\nstale\r\n' >"$QUORVIN_PREFIX/drive_c/qrv30/last.lst"

start_display

cd "$music"
started=$(date +%s)
"$player" >"$work/player.log" 2>&1 &
pid=$!


await Stopped status
# Nothing is open yet, and ">|" would say so in a message box: the user picks an item first.
# Without a window manager the window stands exactly where it is placed; the first row of the
# playlist is at (40, 296) in the window.
window=$(xdotool search --sync --name '^Quorvin 3.0 Pro$' | head -n 1)
xdotool mousemove --window "$window" 60 301 click 1
await Playing status
await one.wav metadata xesam:title
ctl pause
await Paused status
ctl play-pause
await Playing status
ctl next
await two.wav metadata xesam:title

# The close rewrites last.lst only once the restore has brought the stored folder back, five
# seconds after start; before that it keeps the file as it is.
while [ $(($(date +%s) - started)) -lt 7 ]; do sleep 0.2; done
stop_player
last="$QUORVIN_PREFIX/drive_c/qrv30/last.lst"
[ -f "$last" ] || fail "last.lst was not written"
printf 'c:\\music\r\n' | cmp -s - "$last" || fail "last.lst holds '$(cat "$last")'"
echo "playerctl drove the player; SIGTERM kept the playlist folder"
