#!/usr/bin/env bash
# Installs the Debian packages Tavrion needs to build, run and test. Safe to run again.
set -euo pipefail
PKGS=(g++ cmake ninja-build pkg-config
      qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev qt6-translations-l10n libqt6test6
      firebird3.0-server firebird3.0-utils firebird-dev libfbclient2
      libsimpleini-dev fonts-liberation fonts-dejavu-core
      googletest libgtest-dev libbenchmark-dev poppler-utils xvfb xauth)
SUDO=()
if [ "$(id -u)" -ne 0 ]; then SUDO=(sudo -E); fi
missing=()
for p in "${PKGS[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: all packages present"
  exit 0
fi
echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${SUDO[@]}" apt-get update -qq
"${SUDO[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
