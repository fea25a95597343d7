#!/usr/bin/env bash
# Starts the local Firebird 3 server (127.0.0.1:3050) when it is not running, and writes
# its administrator password to build/fb-admin.env for the tests. Safe to run again.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
listening() { (exec 3<>/dev/tcp/127.0.0.1/3050) 2>/dev/null; }
if ! listening; then
  $SUDO service firebird3.0 start >/dev/null 2>&1 || true
  if ! listening; then
    # No service manager: start the daemon directly.
    $SUDO /usr/sbin/fbguard -daemon -forever -pidfile /run/firebird3.0/default.pid >/dev/null 2>&1 || \
      $SUDO /usr/sbin/firebird >/dev/null 2>&1 &
  fi
  for _ in $(seq 1 50); do listening && break; sleep 0.2; done
fi
listening || { echo "start-firebird: server is not listening on 127.0.0.1:3050" >&2; exit 1; }
pw=$($SUDO sed -n 's/^ISC_PASSWORD=//p' /etc/firebird/3.0/SYSDBA.password | tr -d '"')
mkdir -p "$here/build"
printf 'TAVRION_FB_ADMIN_PASSWORD=%s\n' "$pw" > "$here/build/fb-admin.env"
echo "start-firebird: server running on 127.0.0.1:3050"
