# The installed game: `cmake --install` into a temporary DESTDIR lays out the program
# with its sounds, a bin/ launcher, desktop entry, AppStream metadata and icons; the
# files validate, and the launcher, started from an unrelated folder, opens the window
# and finds its own folder (it removes a leftover Frothwick.txt placed beside the
# real binary, where the sounds are too).
source "$(dirname "$0")/common.bash"

BUILD=$(dirname "$GAME")
DEST=$WORK/dest
DESTDIR=$DEST cmake --install "$BUILD" --prefix /usr >"$WORK/install.log" || fail "install failed"

LAUNCHER=$DEST/usr/bin/frothwick
[[ -L "$LAUNCHER" ]] || fail "bin/frothwick is not a symlink"
REAL=$(readlink -f "$LAUNCHER")
PKGDIR=$(dirname "$REAL")
[[ -x "$REAL" && -f "$PKGDIR/burp.wav" && -f "$PKGDIR/siren.wav" ]] || fail "program or sounds missing in $PKGDIR"
for size in 32 48 128; do
    [[ -f "$DEST/usr/share/icons/hicolor/${size}x${size}/apps/frothwick.png" ]] || fail "no ${size}px icon"
done
desktop-file-validate "$DEST/usr/share/applications/frothwick.desktop" || fail "desktop entry invalid"
appstreamcli validate --no-net "$DEST"/usr/share/metainfo/*.metainfo.xml >"$WORK/appstream.log" ||
    { cat "$WORK/appstream.log"; fail "AppStream metadata invalid"; }

touch "$PKGDIR/Frothwick.txt"
mkdir "$WORK/elsewhere"
cd "$WORK/elsewhere"
GAME=$LAUNCHER
start_game
[[ ! -e "$PKGDIR/Frothwick.txt" ]] || fail "the installed program did not find its own folder"
close_and_wait
echo "installed: ok"
