#!/usr/bin/env bash
# Installs the Debian packages a command needs, where they are missing.
#
#   setup.sh [GROUP...]          install what the groups need (default: build)
#   setup.sh --check [GROUP...]  only tell whether this release offers them all
#                                (status 1 naming what it lacks); "all" = every group
#
# A group is tools/packages/GROUP.list. Package names differ between Debian
# releases, so a line may offer alternatives; the first one this machine's
# package lists have a candidate for is taken. A line that starts with
# "cmd:NAME" counts as met when the command NAME is already on the PATH, from
# whatever source (Node.js from another vendor brings its own npm, say).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
lists="$here/packages"

check_only=0
if [ "${1:-}" = "--check" ]; then check_only=1; shift; fi
groups=("$@")
[ ${#groups[@]} -eq 0 ] && groups=(build)
if [ "${groups[0]}" = "all" ]; then
  groups=()
  for f in "$lists"/*.list; do groups+=("$(basename "$f" .list)"); done
fi

clang_major() {
  local v
  v="$(clang --version 2>/dev/null | sed -n 's/.*clang version \([0-9][0-9]*\).*/\1/p' | head -n1)"
  if [ -z "$v" ]; then
    # Not installed yet: the version the release would install.
    v="$(apt-cache depends clang 2>/dev/null | sed -n 's/.*Depends: clang-\([0-9][0-9]*\)$/\1/p' | head -n1)"
  fi
  echo "${v:-0}"
}

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'ok installed'; }
has_candidate() {
  local c
  c="$(apt-cache policy "$1" 2>/dev/null | sed -n 's/^ *Candidate: *//p' | head -n1)"
  [ -n "$c" ] && [ "$c" != "(none)" ]
}

# Every line of the groups, alternatives joined by '|', without comments.
wanted=()
for g in "${groups[@]}"; do
  f="$lists/$g.list"
  if [ ! -f "$f" ]; then
    echo "setup: no package group '$g' (expected $f)" >&2
    exit 2
  fi
  while IFS= read -r line || [ -n "$line" ]; do
    line="${line%%#*}"
    line="$(echo "$line" | tr -s ' \t' ' ' | sed 's/^ //; s/ $//')"
    [ -n "$line" ] && wanted+=("$line")
  done <"$f"
done

major=""
expand() {  # the alternatives of one line, one a word
  local line="$1"
  if [[ "$line" == *@CLANG@* ]]; then
    [ -z "$major" ] && major="$(clang_major)"
    line="${line//@CLANG@/$major}"
  fi
  echo "$line" | tr '|' ' '
}

updated=0
refresh_lists() {
  [ "$updated" -eq 1 ] && return
  updated=1
  [ "$check_only" -eq 1 ] && [ "$(id -u)" -ne 0 ] && return
  echo "setup: reading the package lists"
  $SUDO apt-get update -qq
}

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
if ! command -v apt-get >/dev/null 2>&1; then
  echo "setup: this machine has no apt-get; install by hand what $lists/{$(IFS=,; echo "${groups[*]}")}.list name" >&2
  # A check has nothing to ask here: a skip, not a failure.
  [ "$check_only" -eq 1 ] && exit 77
  exit 1
fi

to_install=()
unavailable=()
for line in "${wanted[@]}"; do
  command_name=""
  if [[ "$line" == cmd:* ]]; then
    command_name="${line%% *}"; command_name="${command_name#cmd:}"
    line="${line#* }"
  fi
  read -r -a alternatives <<<"$(expand "$line")"
  satisfied=0
  if [ "$check_only" -eq 0 ]; then
    if [ -n "$command_name" ] && command -v "$command_name" >/dev/null 2>&1; then continue; fi
    for p in "${alternatives[@]}"; do
      if installed "$p"; then satisfied=1; break; fi
    done
    [ "$satisfied" -eq 1 ] && continue
  fi
  # Lists older than a day, or none at all, may not know today's names.
  if [ "$updated" -eq 0 ] && [ -z "$(find /var/lib/apt/lists -maxdepth 1 -name '*Packages*' -mtime -1 2>/dev/null | head -n1)" ]; then
    refresh_lists
  fi
  chosen=""
  for p in "${alternatives[@]}"; do
    if has_candidate "$p"; then chosen="$p"; break; fi
  done
  if [ -z "$chosen" ] && [ "$updated" -eq 0 ]; then
    refresh_lists
    for p in "${alternatives[@]}"; do
      if has_candidate "$p"; then chosen="$p"; break; fi
    done
  fi
  if [ -z "$chosen" ]; then
    unavailable+=("$line")
  else
    to_install+=("$chosen")
  fi
done

release="$( (. /etc/os-release 2>/dev/null && echo "${PRETTY_NAME:-this release}") || echo 'this release')"
if ((${#unavailable[@]})); then
  echo "setup: $release offers no package for:" >&2
  for line in "${unavailable[@]}"; do echo "  $line" >&2; done
  exit 1
fi
if [ "$check_only" -eq 1 ]; then
  echo "setup: $release offers every package of: ${groups[*]}"
  exit 0
fi
if ((${#to_install[@]})); then
  echo "setup: installing ${to_install[*]}"
  refresh_lists
  log="$(mktemp)"
  if ! DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${to_install[@]}" >"$log" 2>&1; then
    tail -n 30 "$log" >&2
    rm -f "$log"
    echo "setup: installing ${to_install[*]} failed" >&2
    exit 1
  fi
  rm -f "$log"
fi
