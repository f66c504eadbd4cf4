#!/usr/bin/env bash
# Runs a command on a desktop of its own: an X server of the given size under a window manager
# that keeps a strip at the bottom of the screen free, as a panel does.
#   ondesktop.sh WIDTHxHEIGHT PANEL_HEIGHT COMMAND [ARGUMENTS...]
# Fails when the X server or the window manager does not start.
set -euo pipefail

size=$1
panel=$2
shift 2

home=$(mktemp -d)
cleanup() {
  [ -n "${wm:-}" ] && kill "$wm" 2>/dev/null
  [ -n "${server:-}" ] && kill "$server" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$home"
}
trap cleanup EXIT

cat >"$home/rc.xml" <<EOF
<?xml version="1.0" encoding="UTF-8"?>
<openbox_config xmlns="http://openbox.org/3.4/rc">
  <margins><top>0</top><bottom>$panel</bottom><left>0</left><right>0</right></margins>
</openbox_config>
EOF

# The server writes the number of the display it took once it is ready.
exec {ready}<> <(:)
Xvfb -displayfd "$ready" -screen 0 "${size}x24" -nolisten tcp >"$home/server.log" 2>&1 &
server=$!
display=
read -r -t 20 -u "$ready" display || true
if [ -z "$display" ]; then
  echo "The X server did not start:" >&2
  cat "$home/server.log" >&2
  exit 1
fi
export DISPLAY=":$display"

HOME=$home openbox --config-file "$home/rc.xml" >"$home/wm.log" 2>&1 &
wm=$!
# The window manager is up once it has set the work area that leaves the panel free.
width=${size%x*}
height=${size#*x}
expected="0, 0, $width, $((height - panel))"
for _ in $(seq 100); do
  xprop -root _NET_WORKAREA 2>/dev/null | grep -q "= $expected" && break
  sleep 0.1
done
if ! xprop -root _NET_WORKAREA 2>/dev/null | grep -q "= $expected"; then
  echo "The window manager did not start or did not leave the panel free:" >&2
  cat "$home/wm.log" >&2
  exit 1
fi

QT_QPA_PLATFORM=xcb "$@"
