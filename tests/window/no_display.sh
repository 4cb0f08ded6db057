# Where no window can be shown (no X11 or Wayland display, or one that is gone), or
# the video cannot start, the game ends at once with status 1 and one line saying
# what is missing, and writes nothing.
source "$(dirname "$0")/common.bash"

expect_refused() {  # text the line must hold, then the environment changes (env's syntax)
    local want=$1 status=0
    shift
    env "$@" timeout 10 "$GAME" 2>"$WORK/stderr" || status=$?
    [[ $status -eq 1 ]] || fail "status $status with $*"
    [[ $(grep -c '^Frothwick:' "$WORK/stderr") -eq 1 ]] &&
        tail -n 1 "$WORK/stderr" | grep -q "^Frothwick: cannot start: .*$want" ||
        fail "with $*, standard error holds: $(cat "$WORK/stderr")"
    [[ ! -e "$XDG_CONFIG_HOME" ]] || fail "with $*, the settings were written"
}

GONE=99  # a display with no server
while [[ -e /tmp/.X11-unix/X$GONE ]]; do ((++GONE)); done
expect_refused "neither DISPLAY nor WAYLAND_DISPLAY is set" -u DISPLAY -u WAYLAND_DISPLAY
expect_refused "cannot connect to DISPLAY=:$GONE" -u WAYLAND_DISPLAY DISPLAY=:$GONE
expect_refused "no video (nosuchdriver not available)" SDL_VIDEODRIVER=nosuchdriver
echo "no display: ok"
