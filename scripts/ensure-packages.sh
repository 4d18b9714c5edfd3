#!/bin/sh
# Installs the Debian packages given as arguments when any is missing.
# As root it runs apt-get; otherwise it prints the exact command and stops.
set -e
missing=""
for package in "$@"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed"; then
    missing="$missing $package"
  fi
done
[ -z "$missing" ] && exit 0
if [ "$(id -u)" != 0 ]; then
  echo "Missing packages. Run as root:" >&2
  echo "  apt-get install -y$missing" >&2
  exit 1
fi
apt-get update -q
DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends$missing
