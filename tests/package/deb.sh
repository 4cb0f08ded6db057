# The built Debian package, unpacked into a scratch root:
# - it holds the same files as `make install` (less the packaging's own papers);
# - it depends on the package of every library the program loads by name at run time;
# - its sounds play through that mixer library;
# - its game, started through /usr/games from an unrelated folder, finds its own folder,
#   opens its window with the artwork in place, and ends cleanly when asked to.
# Usage: deb.sh <built game, beside its build tree> <package.deb>
source "$(dirname "$0")/../window/common.bash"

BUILD=$(dirname "$GAME")
DEB=$2
SOURCE_DIR=$(cd "$(dirname "$0")/../.." && pwd)
ROOT=$WORK/root
dpkg-deb -x "$DEB" "$ROOT" || fail "cannot unpack $DEB"

# Files and links under a root, one path a line; a manual page is named without the
# .gz the packaging adds.
file_list() {
    (cd "$1" && find . -type f -o -type l) | sed 's/[.]gz$//' | sort
}
DESTDIR=$WORK/installed cmake --install "$BUILD" --prefix /usr >"$WORK/install.log" || fail "make install failed"
file_list "$WORK/installed" >"$WORK/installed.txt"
file_list "$ROOT" | grep -v -e '^./usr/share/doc/frothwick/' -e '^./usr/share/lintian/overrides/' >"$WORK/package.txt"
diff -u "$WORK/installed.txt" "$WORK/package.txt" || fail "make install and the package install different files"
for file in games/frothwick lib/games/frothwick/{frothwick,burp.wav,siren.wav,index.html} share/man/man6/frothwick.6 \
    share/applications/io.github.frothwick.Frothwick.desktop share/metainfo/io.github.frothwick.Frothwick.metainfo.xml \
    share/icons/hicolor/{32x32,48x48,128x128}/apps/frothwick.png; do
    grep -qx "./usr/$file" "$WORK/package.txt" || fail "the package lacks /usr/$file"
done
[[ $(readlink "$ROOT/usr/games/frothwick") == ../lib/games/frothwick/frothwick ]] || fail "games/frothwick is no relative link"

depends=$(dpkg-deb -f "$DEB" Depends | tr ',' '\n' | sed 's/^ *//; s/ .*//')
for soname in $(grep -rhoE '(SDL_LoadObject|dlopen)\("[^"]+"' "$SOURCE_DIR/src" | sed 's/.*("//; s/"$//' | sort -u); do
    library=$(ldconfig -p | awk -v name="$soname" '$1 == name { print $NF; exit }')
    [[ -n "$library" ]] || fail "$soname is not installed here"
    owner=$(dpkg -S "$(readlink -f "$library")" | head -n 1 | cut -d: -f1)
    grep -qx "$owner" <<<"$depends" || fail "$soname comes from $owner, which the package does not depend on"
done

PKGDIR=$ROOT/usr/lib/games/frothwick
SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=$WORK/audio.raw "$BUILD/tests/sound_probe" "$PKGDIR/burp.wav" >/dev/null 2>"$WORK/probe.log"
[[ -s "$WORK/audio.raw" ]] || fail "the installed burp did not play"
[[ $(tr -d '\0' <"$WORK/audio.raw" | head -c 1000 | wc -c) -gt 0 ]] || fail "the installed burp played only silence"

# Started from an unrelated folder, the program finds its own folder: start-up removes
# a leftover Frothwick.txt beside the real binary, where its sounds are too.
touch "$PKGDIR/Frothwick.txt"
mkdir -p "$WORK/elsewhere"
cd "$WORK/elsewhere"
GAME=$ROOT/usr/games/frothwick
start_game
[[ ! -e "$PKGDIR/Frothwick.txt" ]] || fail "the installed program did not find its own folder"
[[ "$WW" -eq $WINDOW_W && "$WH" -eq $WINDOW_H ]] || fail "window is ${WW}x${WH}, expected ${WINDOW_W}x$WINDOW_H"
screenshot 0.5
# Pictures at their places, pixel for pixel as decoded by ImageMagick over their backdrop.
while read -r picture x y backdrop; do
    size=$(identify -format '%w %h' "$SOURCE_DIR/assets/$picture")
    expected=$(convert "$SOURCE_DIR/assets/$picture" -background "#$backdrop" -flatten -depth 8 rgb:- | md5sum)
    [[ "$(region "$x" "$y" $size)" == "$expected" ]] || fail "$picture is not shown as ImageMagick decodes it"
done <<'EOF'
logo.gif 74 16 F0F0F0
new.gif 470 176 3A2414
EOF
kill -TERM "$GAME_PID"  # as a session logging out does: it must end cleanly
wait_for_end
echo "package: ok"
