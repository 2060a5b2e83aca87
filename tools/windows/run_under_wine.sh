#!/usr/bin/env bash
# Runs a Windows program of the build under Wine: the build's own tools
# (drawing the pictures, writing the courses), every test program and the
# programs the Windows tests start.
#   run_under_wine.sh WINE PROGRAM [ARGUMENT...]
#   run_under_wine.sh --in-place WINE PROGRAM [ARGUMENT...]
#       the program takes this script's place (its process number), and a
#       failure is left to the caller to report
#   run_under_wine.sh --stop
#       stops the prefix's server (see below)
#
# A Wine program needs the prefix's server. Left to itself, Wine starts one
# server for the first program and lets it exit a few seconds after the last
# one ends; a program starting while that server is on its way out connects
# to it, loses the connection ("recvmsg: Connection reset by peer") or ends
# with a failure status and no message. A build starts its Wine programs side
# by side at any moment, so that moment comes by chance. Hence one server for
# the prefix that never times out, started (and the prefix booted) before the
# first program runs, under a lock so that programs starting together do it
# once. Whoever owns the prefix stops the server at the end with --stop.
#
# Every Wine program starts with its address space laid out without
# randomisation. Debian 12's Wine loader is an ordinary program placed at
# 0x7d000000, shipped without the preloader that keeps Windows' fixed
# addresses free before anything else is mapped (Debian 13's loader is
# position-independent and lies far away), and current Linux kernels
# start a 64-bit program's heap anywhere in the gigabyte above the program
# (measured here: 0x7d043000 to 0xbcfd1000 in 4000 starts). About one start
# in 7700 the heap covers 0x7ffe0000, the page every Windows process needs
# for its shared user data; Wine then ends the program with status 1 and an
# error message ("failed to map the shared user data") that WINEDEBUG=-all
# hides. The Windows stage starts over a hundred Wine processes, so now and
# then one of its runs failed that way. Without randomisation the heap begins
# right after the loader (0x7d005000), far below that page, in every start,
# and the processes Wine starts in turn (its services, a test's children)
# inherit that.
set -uo pipefail
prefix="${WINEPREFIX:-$HOME/.wine}"
export WINEPREFIX="$prefix"
export WINEDEBUG="${WINEDEBUG:--all}"

if [ "${1:-}" = "--stop" ]; then
  # Debian's Wine keeps the server's socket in a folder of its own (in the
  # user's runtime folder, else the temporary folder) and names it in the
  # prefix; the server leaves that folder behind, one for every prefix ever
  # started, so it goes here too.
  socket_folder="$(cat "$prefix/wineserver" 2>/dev/null)"
  wineserver -k >/dev/null 2>&1
  wineserver -w >/dev/null 2>&1
  if [[ "$socket_folder" =~ ^wine-[A-Za-z0-9]{6}$ ]]; then
    for parent in "/run/user/$(id -u)" "${TMPDIR:-/tmp}"; do
      [ -d "$parent/$socket_folder" ] && rm -rf "${parent:?}/$socket_folder"
    done
  fi
  exit 0
fi

in_place=0
if [ "${1:-}" = "--in-place" ]; then
  in_place=1
  shift
fi
wine="$1"
shift

fixed_layout=(setarch "$(uname -m)" --addr-no-randomize)
# A container may forbid it; Wine still runs, with the chance above.
"${fixed_layout[@]}" true 2>/dev/null || fixed_layout=()

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
  if [ ${#fixed_layout[@]} -eq 0 ]; then
    echo "run_under_wine: this system does not let Wine's address space be laid out without" \
      "randomisation (setarch --addr-no-randomize); about one Wine program in 7700 may fail" >&2
  fi
  "${fixed_layout[@]}" "$wine" wineboot -i </dev/null >"$prefix/.kelvaro-boot.log" 2>&1 9>&-
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

[ "$in_place" = 1 ] && exec "${fixed_layout[@]}" "$wine" "$@"
"${fixed_layout[@]}" "$wine" "$@"
status=$?
if [ "$status" != 0 ]; then
  # The program's own output, if any, is above; this names it even when
  # there is none.
  echo "run_under_wine: $(basename "$1") ended with status $status (prefix $prefix)" >&2
fi
exit "$status"
