#!/usr/bin/env bash
# Checks the desktop harness: it gives back the command's status, starts again a window manager
# that fails once, names the display when it gives up, and leaves no X server behind in any case.
set -uo pipefail

harness="$(dirname "$0")/ondesktop.sh"
realWm=$(command -v openbox)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

# A window manager in place of the real one: notes the harness's X server in $work/server, then
# fails the given number of times before it runs the real one.
fakeWm() {
  mkdir -p "$work/bin"
  cat >"$work/bin/openbox" <<EOF
#!/bin/sh
pgrep -P \$PPID -x Xvfb >"$work/server"
count=\$(cat "$work/starts" 2>/dev/null || echo 0)
echo \$((count + 1)) >"$work/starts"
[ "\$count" -ge $1 ] && exec "$realWm" "\$@"
echo "cannot open display" >&2
exit 1
EOF
  chmod +x "$work/bin/openbox"
  rm -f "$work/starts" "$work/server"
}

serverGone() {
  local pid
  pid=$(cat "$work/server" 2>/dev/null) && [ -n "$pid" ] && ! kill -0 "$pid" 2>/dev/null
}

# The window manager dies while the command runs.
fakeWm 0
PATH="$work/bin:$PATH" "$harness" 640x480 40 bash -c 'pkill -P $PPID -x openbox; sleep 0.5; exit 3' 2>"$work/err"
status=$?
[ "$status" -eq 3 ] || fail "the command's status 3 came back as $status"
serverGone || fail "the X server outlived a window manager that died"
grep -q "on display :" "$work/err" || fail "the failure does not name the display: $(cat "$work/err")"

# The window manager fails on its first start.
fakeWm 1
PATH="$work/bin:$PATH" "$harness" 640x480 40 true 2>"$work/err"
status=$?
[ "$status" -eq 0 ] || fail "a window manager that failed once stopped the run: $(cat "$work/err")"
[ "$(cat "$work/starts")" = 2 ] || fail "the window manager was started $(cat "$work/starts") times, not twice"
serverGone || fail "the X server outlived the run"

# The window manager never starts.
fakeWm 9
PATH="$work/bin:$PATH" "$harness" 640x480 40 true 2>"$work/err"
status=$?
[ "$status" -ne 0 ] || fail "a window manager that never started passed"
grep -q "did not start on display :" "$work/err" || fail "the failure does not name the display: $(cat "$work/err")"
serverGone || fail "the X server outlived a window manager that never started"

exit $((failures > 0))
