# The installed game: `cmake --install` into a temporary DESTDIR lays out the program
# with its sounds in lib/games/frothwick, a launcher in games/, the manual page, desktop
# entry, AppStream metadata and icons; the launcher, started from an unrelated folder,
# opens the window and finds its own folder.
source "$(dirname "$0")/common.bash"

BUILD=$(dirname "$GAME")
DEST=$WORK/dest
DESTDIR=$DEST cmake --install "$BUILD" --prefix /usr >"$WORK/install.log" || fail "install failed"

LAUNCHER=$DEST/usr/games/frothwick
[[ -L "$LAUNCHER" ]] || fail "games/frothwick is not a symlink"
REAL=$(readlink -f "$LAUNCHER")
PKGDIR=$(dirname "$REAL")
[[ "$PKGDIR" == "$DEST/usr/lib/games/frothwick" ]] || fail "the program is in $PKGDIR"
[[ -x "$REAL" && -f "$PKGDIR/burp.wav" && -f "$PKGDIR/siren.wav" ]] || fail "program or sounds missing in $PKGDIR"
for file in man/man6/frothwick.6 applications/io.github.frothwick.Frothwick.desktop \
    metainfo/io.github.frothwick.Frothwick.metainfo.xml icons/hicolor/{32x32,48x48,128x128}/apps/frothwick.png; do
    [[ -f "$DEST/usr/share/$file" ]] || fail "share/$file was not installed"
done

start_installed "$LAUNCHER"
close_and_wait
echo "installed: ok"
