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

probes() {  # this run's Wine processes: number, personality, command line
  local proc line
  for proc in /proc/[0-9]*; do
    [[ "$(readlink "$proc/exe" 2>/dev/null)" == */wine* ]] || continue
    grep -qzx "KELVARO_LAYOUT_PROBE=$KELVARO_LAYOUT_PROBE" "$proc/environ" 2>/dev/null || continue
    line="$(tr '\0' ' ' <"$proc/cmdline" 2>/dev/null)"
    [[ "$line" == *pause* ]] && echo "${proc#/proc/} $(cat "$proc/personality") $line"
  done
}
# The second shell (started by the first, so its command line no longer
# starts one) is the last to come.
found=""
for _ in $(seq 600); do
  found="$(probes)"
  grep -v "cmd /c cmd" <<<"$found" | grep -q "cmd /c pause" && break
  sleep 0.1
done
grep -v "cmd /c cmd" <<<"$found" | grep -q "cmd /c pause" ||
  { cat "$work/output.txt" >&2; fail "the second shell did not start: ${found:-nothing}"; }
while read -r pid personality line; do
  # The kernel's flag for a layout without randomisation.
  (( 0x$personality & 0x0040000 )) || fail "process $pid ($line) runs with personality $personality"
done <<<"$found"
echo "without address randomisation:"
echo "$found"
