#!/usr/bin/env bash
# Runs a Windows program of the build under Wine: the build's own tools
# (drawing the pictures, writing the courses) and every test program.
#   run_under_wine.sh WINE PROGRAM [ARGUMENT...]
#
# A Wine program needs the prefix's server. Left to itself, Wine starts one
# server for the first program and lets it exit a few seconds after the last
# one ends; a program starting while that server is on its way out connects
# to it, loses the connection ("recvmsg: Connection reset by peer") or ends
# with a failure status and no message. A build starts its Wine programs side
# by side at any moment, so that moment comes by chance. Hence one server for
# the prefix that never times out, started (and the prefix booted) before the
# first program runs, under a lock so that programs starting together do it
# once. Whoever owns the prefix stops the server at the end ("wineserver -k",
# as tools/windows.sh does).
set -uo pipefail
wine="$1"
shift
prefix="${WINEPREFIX:-$HOME/.wine}"
export WINEPREFIX="$prefix"
export WINEDEBUG="${WINEDEBUG:--all}"

say_failed() {  # what, status, log file
  echo "run_under_wine: $1 ended with status $2 (prefix $prefix)" >&2
  [ -s "$3" ] && sed 's/^/  /' "$3" >&2
}

start_server() {
  local status
  # "-p": persistent. A server already running for the prefix keeps running
  # and this one leaves with status 2. The server and the processes the boot
  # leaves running (services, devices, the desktop) get none of this
  # script's files: a build tool waits for its command's output to close.
  wineserver -p </dev/null >/dev/null 2>"$prefix/.kelvaro-server.log" 9>&-
  status=$?
  if [ "$status" != 0 ] && [ "$status" != 2 ]; then
    say_failed "wineserver -p" "$status" "$prefix/.kelvaro-server.log"
    return 1
  fi
  [ -f "$prefix/.kelvaro-booted" ] && return 0
  "$wine" wineboot -i </dev/null >"$prefix/.kelvaro-boot.log" 2>&1 9>&-
  status=$?
  if [ "$status" != 0 ]; then
    say_failed "wineboot -i" "$status" "$prefix/.kelvaro-boot.log"
    return 1
  fi
  touch "$prefix/.kelvaro-booted"
}

mkdir -p "$prefix" || exit 1
exec 9>"$prefix/.kelvaro-lock"
flock 9
start_server || exit 1
flock -u 9
exec 9>&-

"$wine" "$@"
status=$?
if [ "$status" != 0 ]; then
  # The program's own output, if any, is above; this names it even when
  # there is none.
  echo "run_under_wine: $(basename "$1") ended with status $status (prefix $prefix)" >&2
fi
exit "$status"
