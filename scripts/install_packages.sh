#!/usr/bin/env bash
# Installs the Debian packages of packages.txt that are missing (as root).
set -euo pipefail
cd "$(dirname "$0")/.."
missing=()
while read -r name; do
  [[ -z "$name" || "$name" == \#* ]] && continue
  dpkg-query -W -f='${Status}' "$name" 2>/dev/null | grep -q 'install ok installed' || missing+=("$name")
done < packages.txt
[ ${#missing[@]} -eq 0 ] && exit 0
if [ "$(id -u)" -ne 0 ]; then
  echo "Missing Debian packages: ${missing[*]} (run as root to install them)" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
