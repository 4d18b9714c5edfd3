#!/bin/sh
# Unpacks Debian's source package PACKAGE into CACHE/src once, through an apt
# list of our own (the machine's apt configuration is neither read for sources
# nor changed), and prints the folder it is in.
#
#   sh scripts/debian-source.sh CACHE PACKAGE
set -eu
cache="$1"
package="$2"
apt_dir="$cache/apt"
mkdir -p "$apt_dir/lists/partial" "$cache/src"
if ! ls -d "$cache/src/$package"-* >/dev/null 2>&1; then
  echo "deb-src http://deb.debian.org/debian bookworm main" > "$apt_dir/sources.list"
  apt_options="-o Dir::Etc::SourceList=$apt_dir/sources.list -o Dir::Etc::SourceParts=/dev/null -o Dir::State::Lists=$apt_dir/lists"
  # shellcheck disable=SC2086
  apt-get $apt_options update -q >&2
  # shellcheck disable=SC2086
  (cd "$cache/src" && apt-get $apt_options source -q "$package" >&2)
fi
find "$cache/src" -mindepth 1 -maxdepth 1 -type d -name "$package-*" | head -n 1
