#!/usr/bin/env bash
# Every Wine program of the build and the tests, and every program such a
# program starts in turn, runs with its address space laid out without
# randomisation (ADDR_NO_RANDOMIZE, see tools/windows/run_under_wine.sh for
# why). A command shell started as the build starts its programs starts a
# second one, which waits on its input while both processes are looked at.
#   fixed_layout.sh
set -uo pipefail
run_under_wine="$(cd "$(dirname "$0")/../../tools/windows" && pwd)/run_under_wine.sh"
work="$(mktemp -d "${TMPDIR:-/tmp}/kelvaro-layout-XXXXXX")"
trap 'exec 7>&-; wait; rm -rf "$work"' EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# The processes of this run are the ones with this variable.
export KELVARO_LAYOUT_PROBE="probe-$$-$RANDOM"
mkfifo "$work/input"
bash "$run_under_wine" wine cmd /c cmd /c pause <"$work/input" >"$work/output.txt" 2>&1 &
exec 7>"$work/input"

probes() {  # the shells of this run: process number and personality
  local pid
  for pid in $(pgrep -x cmd.exe; pgrep -x cmd); do
    grep -qzx "KELVARO_LAYOUT_PROBE=$KELVARO_LAYOUT_PROBE" "/proc/$pid/environ" 2>/dev/null &&
      echo "$pid $(cat "/proc/$pid/personality")"
  done
}
found=""
for _ in $(seq 600); do
  found="$(probes)"
  [ "$(wc -l <<<"$found")" -ge 2 ] && break
  sleep 0.1
done
[ "$(wc -l <<<"$found")" -ge 2 ] || { cat "$work/output.txt" >&2; fail "the two shells did not start: ${found:-none}"; }
while read -r pid personality; do
  # The kernel's flag for a layout without randomisation.
  (( 0x$personality & 0x0040000 )) || fail "process $pid runs with personality $personality"
done <<<"$found"
echo "both shells run without address randomisation: $(tr '\n' ' ' <<<"$found")"
