#!/usr/bin/env bash
# Installs the Debian packages of the given lists that are missing (as root).
#   scripts/install_packages.sh LIST...   (e.g. packages.txt packages-test.txt)
set -euo pipefail
[ $# -gt 0 ] || { echo "usage: scripts/install_packages.sh LIST..." >&2; exit 2; }
missing=()
for list in "$@"; do
  while read -r name; do
    [[ -z "$name" || "$name" == \#* ]] && continue
    dpkg-query -W -f='${Status}' "$name" 2>/dev/null | grep -q 'install ok installed' || missing+=("$name")
  done < "$list"
done
[ ${#missing[@]} -eq 0 ] && exit 0
if [ "$(id -u)" -ne 0 ]; then
  echo "Missing Debian packages: ${missing[*]} (run as root to install them)" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
