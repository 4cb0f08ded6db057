# Real sound: with SDL's disk audio driver standing in for a sound card, the siren
# plays through SDL2_mixer (loaded at the first sound) into a file, for its whole
# length, synchronously; a missing file plays nothing and returns at once; closing
# while the siren still plays ends the program cleanly without waiting for it, and a
# SIGTERM or SIGHUP during a siren of a minute stops it and lets the program go on.
source "$(dirname "$0")/common.bash"

PROBE=$(dirname "$GAME")/tests/sound_probe
SOUND_DIR=$(dirname "$GAME")
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=$WORK/audio.raw
held=$("$PROBE" "$SOUND_DIR/siren.wav")
[[ $held -ge 2300 && $held -le 5000 ]] || fail "the 2.5 s siren held the program for $held ms"
[[ -s "$WORK/audio.raw" ]] || fail "nothing was played"
# Not all silence: some byte other than zero.
[[ $(tr -d '\0' <"$WORK/audio.raw" | head -c 1000 | wc -c) -gt 0 ]] || fail "only silence was played"

rm -f "$WORK/audio.raw"
held=$("$PROBE" "$WORK/no-such.wav")
[[ $held -lt 100 && ! -s "$WORK/audio.raw" ]] || fail "a missing file held the program for $held ms"
rm -f "$WORK/audio.raw"
held=$("$PROBE" "$SOUND_DIR/siren.wav" async) || fail "closing while a sound played failed"
[[ $held -lt 1500 ]] || fail "closing waited for the 2.5 s siren ($held ms)"
[[ -s "$WORK/audio.raw" ]] || fail "the siren did not start before the close"

python3 -c 'import sys, wave; w = wave.open(sys.argv[1], "wb"); w.setparams((1, 1, 8000, 0, "NONE", ""))
w.writeframes(bytes([64, 192]) * 240000)' "$WORK/minute.wav"
for signal in TERM HUP; do
    rm -f "$WORK/audio.raw"
    "$PROBE" "$WORK/minute.wav" >"$WORK/held" &
    wait_for test -s "$WORK/audio.raw" && kill -$signal $! && wait $! || fail "SIG$signal during the siren"
    [[ $(cat "$WORK/held") -lt 3000 ]] || fail "a SIG$signal during the siren waited $(cat "$WORK/held") ms"
done
echo "sound: ok"
