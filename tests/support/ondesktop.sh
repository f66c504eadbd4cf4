#!/usr/bin/env bash
# Runs a command on a desktop of its own: an X server of the given size under a window manager
# that keeps a strip at the bottom of the screen free, as a panel does.
#   ondesktop.sh WIDTHxHEIGHT PANEL_HEIGHT COMMAND [ARGUMENTS...]
# Fails when the X server or the window manager does not start; stops both whatever happens.
set -euo pipefail

size=$1
panel=$2
shift 2

home=$(mktemp -d)
server=
wm=
display=
cleanup() {
  if [ -n "$wm" ]; then kill "$wm" 2>/dev/null || true; fi
  if [ -n "$server" ]; then kill "$server" 2>/dev/null || true; fi
  wait 2>/dev/null || true
  rm -rf "$home"
}
trap cleanup EXIT

cat >"$home/rc.xml" <<EOF
<?xml version="1.0" encoding="UTF-8"?>
<openbox_config xmlns="http://openbox.org/3.4/rc">
  <margins><top>0</top><bottom>$panel</bottom><left>0</left><right>0</right></margins>
</openbox_config>
EOF

# The server writes the number of the display it took once it is ready. It does not reset when
# its last client leaves, so that each short-lived client below finds it up.
exec {ready}<> <(:)
Xvfb -displayfd "$ready" -screen 0 "${size}x24" -nolisten tcp -noreset >"$home/server.log" 2>&1 &
server=$!
read -r -t 20 -u "$ready" display || true
if [ -z "$display" ]; then
  echo "The X server did not start (it reported no display):" >&2
  cat "$home/server.log" >&2
  exit 1
fi
export DISPLAY=":$display"

# The window manager is up once it has set the work area that leaves the panel free.
width=${size%x*}
height=${size#*x}
expected="0, 0, $width, $((height - panel))"
workAreaSet() {
  xprop -root _NET_WORKAREA 2>/dev/null | grep -q "= $expected"
}

# Starts the window manager and waits for its work area; false when it exits or does not set it.
startWindowManager() {
  HOME=$home openbox --config-file "$home/rc.xml" >>"$home/wm.log" 2>&1 &
  wm=$!
  for _ in $(seq 100); do
    workAreaSet && return 0
    kill -0 "$wm" 2>/dev/null || break
    sleep 0.1
  done
  workAreaSet
}

stopWindowManager() {
  kill "$wm" 2>/dev/null || true
  wait "$wm" 2>/dev/null || true
  wm=
}

if ! startWindowManager; then
  stopWindowManager
  echo "The window manager did not start on display $DISPLAY; starting it again" >>"$home/wm.log"
  if ! startWindowManager; then
    echo "The window manager did not start on display $DISPLAY or did not leave the panel free:" >&2
    cat "$home/wm.log" >&2
    exit 1
  fi
fi

status=0
QT_QPA_PLATFORM=xcb "$@" || status=$?
if [ "$status" -ne 0 ]; then
  echo "Failed with status $status on display $DISPLAY" >&2
  if ! kill -0 "$wm" 2>/dev/null; then
    echo "The window manager had exited:" >&2
    cat "$home/wm.log" >&2
  fi
fi
exit "$status"
