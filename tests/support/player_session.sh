# The steps every test of the real player shares: a private session bus, a scratch folder that
# goes away with the test, a provisioned prefix, an X display of its own, and playerctl waits.
# Source it after `set -eu` and after reading the script's arguments; it first runs the calling
# script again inside a session bus that ends with it.

if [ -z "${QRV_INNER:-}" ]; then
  QRV_INNER=1 exec dbus-run-session -- sh "$0" "$@"
fi

work=$(mktemp -d)
pid=
xvfb=
cleanup() {
  if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then kill -KILL "$pid"; fi
  if [ -n "$xvfb" ]; then kill -TERM "$xvfb" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# A fresh prefix, as the provision tool sets it up.
export QUORVIN_PREFIX="$work/prefix"
"$provision" >/dev/null

# Starts Xvfb on a display number it picks itself, and points the player at it.
start_display() {
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
  xvfb=$!
  i=0
  until [ -s "$work/display" ]; do
    i=$((i + 1))
    [ $i -lt 100 ] || fail "Xvfb did not start"
    sleep 0.1
  done
  export DISPLAY=":$(cat "$work/display")"
  export QT_QPA_PLATFORM=xcb
}

ctl() { playerctl --player=quorvin "$@"; }
# Waits until `ctl ARGS` prints the expected text.
await() {
  want=$1
  shift
  i=0
  while [ $i -lt 300 ]; do
    got=$(ctl "$@" 2>/dev/null || true)
    [ "$got" = "$want" ] && return 0
    i=$((i + 1))
    sleep 0.1
  done
  fail "playerctl $* gave '$got', expected '$want'"
}

# Ends the player with SIGTERM, which must close it the normal way (exit status 0).
stop_player() {
  kill -TERM "$pid"
  status=0
  wait "$pid" || status=$?
  pid=
  [ "$status" -eq 0 ] || fail "the player ended with status $status"
}
