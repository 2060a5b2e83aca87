#!/usr/bin/env bash
# Runs the README's commands on a fresh, minimal Debian root, as a new player
# or contributor would: builds the root with debootstrap in a temporary
# folder, clones this repository's committed state into it, runs the
# commands, reports how long each took and removes the root.
#
#   tools/fresh-machine.sh RELEASE [COMMAND...]
#
# RELEASE: a Debian code name (bookworm, trixie, ...). COMMAND: "test" (the
# README's test command with its four stages, Windows and browser included;
# the default), "play" (the play command, which on a machine without a
# display must end with its "no display" message and status 1), or any shell
# command to run in the clone. Needs root.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
if [ $# -lt 1 ]; then
  echo "usage: tools/fresh-machine.sh RELEASE [test|play|COMMAND...]" >&2
  exit 2
fi
release="$1"; shift
commands=("$@")
[ ${#commands[@]} -eq 0 ] && commands=(test)
if [ "$(id -u)" -ne 0 ]; then
  echo "fresh-machine: needs root (debootstrap, chroot and bind mounts)" >&2
  exit 2
fi
bash "$root/tools/setup.sh" fresh-machine

# The same mirror this machine installs from.
mirror="$(sed -n 's/^URIs: *\([^ ]*\).*/\1/p' /etc/apt/sources.list.d/debian.sources 2>/dev/null | grep -v security | head -n1 || true)"
[ -z "$mirror" ] && mirror="$(sed -n 's/^deb \[*[^]]*\]* *\(http[^ ]*\) .*/\1/p; s/^deb \(http[^ ]*\) .*/\1/p' /etc/apt/sources.list 2>/dev/null | head -n1 || true)"
if [ -z "$mirror" ]; then
  echo "fresh-machine: cannot tell which Debian mirror this machine uses" >&2
  exit 1
fi

work="$(mktemp -d /var/tmp/kelvaro-fresh-"$release".XXXXXX)"
chroot_dir="$work/root"
mounted=()
cleanup() {
  local status=$?
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
    umount -R "${mounted[$i]}" 2>/dev/null || umount -R -l "${mounted[$i]}" 2>/dev/null || true
  done
  # Never delete through a mount that is still there: it would reach the host.
  if grep -q " $work/" /proc/mounts; then
    echo "fresh-machine: mounts remain under $work; leaving it in place" >&2
  else
    rm -rf "$work"
  fi
  exit "$status"
}
trap cleanup EXIT INT TERM

started=$SECONDS
echo "== fresh-machine: debootstrap $release (minbase) from $mirror =="
debootstrap --variant=minbase "$release" "$chroot_dir" "$mirror" >"$work/debootstrap.log" 2>&1 || {
  tail -n 20 "$work/debootstrap.log" >&2
  echo "fresh-machine: debootstrap failed" >&2
  exit 1
}
echo "root ready in $((SECONDS - started)) s"

for fs in proc sys dev; do
  mount --rbind "/$fs" "$chroot_dir/$fs"
  mount --make-rslave "$chroot_dir/$fs"
  mounted+=("$chroot_dir/$fs")
done
cp /etc/resolv.conf "$chroot_dir/etc/resolv.conf" 2>/dev/null || true
# A network whose TLS goes through a proxy of its own names the proxy's
# certificate to Node.js; the root is on the same network, so it trusts the
# same (npm's registry is reached over TLS, Debian's mirror is not).
extra_env=()
if [ -n "${NODE_EXTRA_CA_CERTS:-}" ] && [ -f "$NODE_EXTRA_CA_CERTS" ]; then
  cp "$NODE_EXTRA_CA_CERTS" "$chroot_dir/etc/host-extra-ca.crt"
  extra_env+=(NODE_EXTRA_CA_CERTS=/etc/host-extra-ca.crt)
fi

mkdir -p "$chroot_dir/work"
git clone -q "$root" "$chroot_dir/work/kelvaro"
echo "cloned $(git -C "$root" rev-parse --short HEAD)"

in_root() {
  chroot "$chroot_dir" /usr/bin/env -i HOME=/root TERM=dumb LANG=C.UTF-8 \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin "${extra_env[@]}" \
    bash -c "cd /work/kelvaro && $1"
}

failed=0
for c in "${commands[@]}"; do
  t0=$SECONDS
  case "$c" in
    test)
      echo "== fresh-machine $release: bash tools/test.sh =="
      # All four stages (normal, sanitizers, Windows under Wine, browser); the
      # log ends with each stage's time.
      if in_root "bash tools/test.sh" >"$work/test.log" 2>&1; then
        sed -n '/^== stage times ==$/,$p' "$work/test.log"
        echo "test command passed in $((SECONDS - t0)) s"
      else
        tail -n 60 "$work/test.log"
        echo "test command FAILED after $((SECONDS - t0)) s"
        failed=1
      fi
      ;;
    play)
      echo "== fresh-machine $release: bash tools/play.sh (no display) =="
      set +e
      in_root "bash tools/play.sh" >"$work/play.log" 2>&1
      status=$?
      set -e
      if [ "$status" -eq 1 ] && grep -q "Keine Anzeige verfügbar" "$work/play.log"; then
        grep "Keine Anzeige" "$work/play.log" | head -n1
        echo "play command reached its no-display message (status 1) in $((SECONDS - t0)) s"
      else
        tail -n 30 "$work/play.log"
        echo "play command ended with status $status, without its no-display message"
        failed=1
      fi
      ;;
    *)
      echo "== fresh-machine $release: $c =="
      if in_root "$c"; then echo "passed in $((SECONDS - t0)) s"; else echo "FAILED after $((SECONDS - t0)) s"; failed=1; fi
      ;;
  esac
done
echo "fresh-machine $release: $((SECONDS - started)) s in all"
exit "$failed"
