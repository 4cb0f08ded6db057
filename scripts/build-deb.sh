#!/usr/bin/env bash
# Builds the Debian source and binary packages from the files git knows (committed
# or not, nothing ignored: no build trees) in a fresh copy under OUT_DIR, then checks
# both with lintian, which must report no error and no warning.
#   scripts/build-deb.sh [OUT_DIR]      (default build-deb)
set -euo pipefail
cd "$(dirname "$0")/.."
OUT=${1:-build-deb}

version=$(dpkg-parsechangelog -S Version)
tree=$OUT/frothwick-$version
rm -rf "$OUT"
mkdir -p "$tree"
git ls-files -z --cached --others --exclude-standard |
    while IFS= read -r -d '' file; do [[ -e "$file" ]] && printf '%s\0' "$file"; done |
    tar --null -T - -cf - | tar -xf - -C "$tree"

(cd "$tree" && dpkg-buildpackage -us -uc)

changes=$OUT/frothwick_${version}_$(dpkg --print-architecture).changes
lintian --display-info --pedantic --display-experimental --fail-on error,warning "$changes"
echo "Built $OUT/frothwick_${version}_$(dpkg --print-architecture).deb"
