#!/usr/bin/env bash
# Screenshots of the real game window for looking at the artwork: the idle screen, a
# tooltip, a game, the about panel and the high-score board with a name being typed.
#   tools/screenshots.sh [GAME] [OUT_DIR] [SCALE]     (build/frothwick, shots, 1)
# Writes OUT_DIR/{idle,tooltip,game,about,board}-<SCALE>x.png. Runs its own Xvfb.
set -euo pipefail
if [[ -z "${FROTHWICK_UNDER_XVFB:-}" ]]; then
    FROTHWICK_UNDER_XVFB=1 exec xvfb-run -n $((100 + RANDOM % 800)) -a \
        -s "-noreset -screen 0 1920x1440x24" bash "$0" "$@"
fi
GAME=${1:-build/frothwick}
OUT=${2:-shots}
SCALE=${3:-1}
export FROTHWICK_SCALE=$SCALE
XDG_CONFIG_HOME=$(mktemp -d)
export XDG_CONFIG_HOME
mkdir -p "$OUT"
"$GAME" &
trap 'kill $! 2>/dev/null || true; rm -rf "$XDG_CONFIG_HOME"' EXIT
for _ in $(seq 100); do
    WID=$(xdotool search --onlyvisible --name '^Frothwick$' | head -n 1) && break
    sleep 0.2
done
eval "$(xdotool getwindowgeometry --shell "$WID")"

# At game pixel (x, y): point, click; shoot the window after a pause for the picture to settle.
point() { xdotool mousemove $((X + $1 * SCALE)) $((Y + $2 * SCALE)); }
click() { point "$1" "$2" && xdotool click 1; }
shoot() {
    sleep "$2"
    import -window root png:- | convert - -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$OUT/$1-${SCALE}x.png"
}

point 300 430 && shoot idle 0.8
point 486 192 && shoot tooltip 1.5             # New Game's tooltip
click 486 192 && sleep 2.3                     # a game, a dozen cans dropped here and there
for i in $(seq 12); do
    xdotool key --window "$WID" "$( ((i % 3)) && echo Right || echo Left)" space
    sleep 0.25
done
point 300 430 && shoot game 0.5
click 486 260 && shoot about 0.6               # About; its close button sits under the text
click 214 318
click 486 192 && sleep 0.6                     # New Game again: the score earns a row
xdotool key --window "$WID" b o j && shoot board 0.4
echo "screenshots in $OUT"
