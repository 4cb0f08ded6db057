# The files a distribution reads besides the program: the desktop entry, the AppStream
# metadata, the manual page and the Debian changelog are valid and tell one version.
# Usage: metadata.sh <source dir>
set -euo pipefail
cd "$1"
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

desktop-file-validate data/io.github.frothwick.Frothwick.desktop || fail "desktop entry invalid"
METAINFO=data/io.github.frothwick.Frothwick.metainfo.xml
# Every finding fails but one: the component name keeps its capital, as the desktop
# file and the launchable are called after it.
report=$(appstreamcli validate --pedantic --no-net "$METAINFO" || true)
findings=$(grep -E '^[EWIP]: ' <<<"$report" | grep -v ' cid-contains-uppercase-letter ' || true)
[[ -z "$findings" ]] || fail "AppStream metadata: $findings"
! grep -q 'example[.]org' "$METAINFO" || fail "AppStream metadata points at a placeholder address"

warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l data/frothwick.6 2>&1 >/dev/null)
[[ -z "$warnings" ]] || fail "manual page: $warnings"
lexgrog data/frothwick.6 >/dev/null || fail "manual page has no NAME line whatis can read"

version=$(sed -n 's/^project(Frothwick VERSION \([^ ]*\) .*/\1/p' CMakeLists.txt)
[[ -n "$version" ]] || fail "no project version in CMakeLists.txt"
[[ "$(sed -n '1s/^frothwick (\([^)]*\)).*/\1/p' debian/changelog)" == "$version" ]] ||
    fail "debian/changelog does not begin with version $version"
grep -q "^\.TH FROTHWICK 6 .* \"Frothwick $version\"" data/frothwick.6 || fail "manual page is not of version $version"
releases=$(grep -o '<release version="[^"]*"' "$METAINFO" | cut -d'"' -f2)
[[ "$(head -n 1 <<<"$releases")" == "$version" ]] || fail "AppStream's newest release is not $version"
for tag in $(git tag --list 'v*' 2>/dev/null); do
    grep -qx "${tag#v}" <<<"$releases" || fail "tag $tag has no AppStream release"
done
echo "metadata: ok"
