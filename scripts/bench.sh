#!/usr/bin/env bash
# Benchmarks: the real program under Xvfb against two others started the same way,
# its CPU idle and in play, how closely Delay keeps its deadline, how long sound calls
# hold the game's thread under a PulseAudio server, then the in-process costs
# (Google Benchmark). Figures are medians of several runs; compare ratios, not times
# from different runs: the machine is shared and noisy.
# BENCH_ALSO="PROGRAM..." adds further programs to the start-up comparison (an older
# build of the game, say); BENCH_STARTS sets the number of starts (15).
set -euo pipefail
BUILD=${1:-build}
BUILD=$(cd "$BUILD" && pwd)

if [[ -z "${FROTHWICK_UNDER_XVFB:-}" ]]; then
    FROTHWICK_UNDER_XVFB=1 exec xvfb-run -a -s "-noreset -screen 0 1024x768x24" bash "$0" "$BUILD"
fi

GAME=$BUILD/frothwick
FLOOR=$BUILD/bench/floor_window
LTRIS=/usr/games/ltris
STARTS=${BENCH_STARTS:-15}
WORK=$(mktemp -d)
export XDG_CONFIG_HOME=$WORK/config HOME=$WORK/home
mkdir -p "$HOME"
PULSE_PID=
trap '[[ -n "$PULSE_PID" ]] && kill "$PULSE_PID" 2>/dev/null; rm -rf "$WORK"' EXIT

median() { sort -n | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.2f", a / b}'; }
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
# Percent of one core the process used over the given seconds.
cpu_percent() {
    local pid=$1 seconds=$2 hz before after
    hz=$(getconf CLK_TCK)
    before=$(cpu_ticks "$pid")
    sleep "$seconds"
    after=$(cpu_ticks "$pid")
    awk -v t=$((after - before)) -v hz="$hz" -v s="$seconds" 'BEGIN {printf "%.2f", 100 * t / hz / s}'
}
peak_kb() { awk '/VmHWM/ {print $2}' "/proc/$1/status"; }
# Times every thread of the process was woken (voluntary context switches).
wakeups() { cat /proc/"$1"/task/*/status | awk '/^voluntary_ctxt_switches/ {n += $2} END {print n}'; }
game_window() { xdotool search --pid "$1" --name '^Frothwick$' | head -n 1; }
stop_program() {
    kill "$1" 2>/dev/null || true
    timeout 2 tail --pid="$1" -f /dev/null || kill -9 "$1" 2>/dev/null || true
}

# ---- start-up and peak memory, side by side: each round starts every program once,
#      in turn; the first round only warms the caches.
programs=("$FLOOR" "$GAME")
[[ -x "$LTRIS" ]] && programs+=("$LTRIS")
read -r -a also <<<"${BENCH_ALSO:-}"
programs+=("${also[@]}")
declare -A startup peak
for round in $(seq 0 "$STARTS"); do
    for program in "${programs[@]}"; do
        read -r pid ms < <(cd "$WORK" && "$BUILD/bench/launch_probe" "$program" 2>/dev/null)
        sleep 0.5
        kb=$(peak_kb "$pid")
        stop_program "$pid"
        if [[ $round -gt 0 ]]; then
            startup[$program]+="$ms "
            peak[$program]+="$kb "
        fi
    done
done
median_of() { tr ' ' '\n' | grep . | median; }
for program in "${programs[@]}"; do
    startup[$program]=$(median_of <<<"${startup[$program]}")
    peak[$program]=$(median_of <<<"${peak[$program]}")
done

# ---- CPU: 10 s idle, then 10 s of play (New Game, a can falling).
read -r pid _ < <("$BUILD/bench/launch_probe" "$GAME")
sleep 1
idle_wakeups_before=$(wakeups "$pid")
idle=$(cpu_percent "$pid" 10)
idle_wakeups=$(($(wakeups "$pid") - idle_wakeups_before))
eval "$(xdotool getwindowgeometry --shell "$(game_window "$pid")")"
xdotool mousemove --sync $((X + 486)) $((Y + 192)) click 1
sleep 2.5
play=$(cpu_percent "$pid" 10)
play_peak=$(peak_kb "$pid")
kill -TERM "$pid"
timeout 10 tail --pid="$pid" -f /dev/null

read -r delay_mean delay_worst < <("$BUILD/bench/delay_probe")

# ---- sound under a real sound server: PulseAudio with a null sink.
sound="no PulseAudio"
if command -v pulseaudio >/dev/null; then
    export PULSE_RUNTIME_PATH=$WORK/pulse PULSE_SERVER=unix:$WORK/pulse/socket SDL_AUDIODRIVER=pulseaudio
    mkdir -p "$PULSE_RUNTIME_PATH"
    pulseaudio -n --daemonize=no --exit-idle-time=-1 --disable-shm=yes \
        --load=module-null-sink \
        --load="module-native-protocol-unix socket=$WORK/pulse/socket auth-anonymous=1" \
        >"$WORK/pulse.log" 2>&1 &
    PULSE_PID=$!
    for _ in $(seq 50); do [[ -S "$WORK/pulse/socket" ]] && break; sleep 0.1; done
    read -r hold_play hold_poll sound_wakeups close_ms < <("$BUILD/bench/sound_hold_probe" "$BUILD/burp.wav")
    sound=ok
fi

# ---- in-process costs: medians of five repetitions, in microseconds.
"$BUILD/bench/frothwick_bench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
    --benchmark_format=json >"$WORK/bench.json" 2>/dev/null
median_us() {
    /usr/bin/python3 -c 'import json, sys
runs = json.load(open(sys.argv[1]))["benchmarks"]
time = next(b for b in runs if b["name"] == sys.argv[2] + "_median")
scale = {"ns": 1e-3, "us": 1, "ms": 1e3}[time["time_unit"]]
print("%.2f" % (time["real_time"] * scale))' "$WORK/bench.json" "$1"
}

# ---- report
mb() { awk -v k="$1" 'BEGIN {printf "%.1f", k / 1024}'; }
verdict() { awk -v v="$1" -v limit="$2" 'BEGIN {print (v <= limit) ? "met" : "MISSED"}'; }
row() { printf '%-44s %12s %12s  %s\n' "$@"; }

echo "start-up (exec to mapped window) and peak memory, medians of $STARTS interleaved starts"
row "program" "start-up" "peak memory" ""
row "minimal SDL2 window (bench/floor_window)" "${startup[$FLOOR]} ms" "$(mb "${peak[$FLOOR]}") MB" ""
row "Frothwick" "${startup[$GAME]} ms" "$(mb "${peak[$GAME]}") MB" ""
[[ -x "$LTRIS" ]] && row "ltris" "${startup[$LTRIS]} ms" "$(mb "${peak[$LTRIS]}") MB" ""
for program in "${also[@]}"; do
    row "$program" "${startup[$program]} ms" "$(mb "${peak[$program]}") MB" ""
done
echo
row "ratio" "measured" "goal" ""
r=$(ratio "${startup[$GAME]}" "${startup[$FLOOR]}")
row "start-up, Frothwick / minimal window" "$r" "1.00" "$(verdict "$r" 1.00)"
if [[ -x "$LTRIS" ]]; then
    r=$(ratio "${startup[$GAME]}" "${startup[$LTRIS]}")
    row "start-up, Frothwick / ltris" "$r" "0.90" "$(verdict "$r" 0.90)"
fi
r=$(ratio "${peak[$GAME]}" "${peak[$FLOOR]}")
row "peak memory, Frothwick / minimal window" "$r" "1.05" "$(verdict "$r" 1.05)"
echo
row "whole program (Xvfb)" "measured" "goal" ""
row "peak memory after play" "$(mb "$play_peak") MB" "20 MB" ""
row "CPU idle, 10 s" "$idle %" "0.0 %" ""
row "wake-ups idle, 10 s (all threads)" "$idle_wakeups" "0" ""
row "CPU in play, 10 s" "$play %" "0.3 %" ""
row "Delay(90) mean overshoot (200)" "$delay_mean ms" "< 1 ms" ""
row "Delay(90) worst overshoot (200)" "$delay_worst ms" "< 3 ms" ""
if [[ $sound == ok ]]; then
    echo
    row "sound, PulseAudio null sink" "measured" "goal" ""
    row "longest PlaySound, game thread (8 burps)" "$hold_play ms" "1 ms" "$(verdict "$hold_play" 1)"
    row "longest PollEvent as the burps end" "$hold_poll ms" "" ""
    row "wake-ups, 3 s idle after a burp (others)" "$sound_wakeups" "0" "$(verdict "$sound_wakeups" 0)"
    row "closing the window during a burp" "$close_ms ms" "100 ms" "$(verdict "$close_ms" 100)"
else
    echo "sound: $sound"
fi
echo
row "in process (median of 5)" "measured" "goal" ""
row "full redraw: DrawBoard + present" "$(median_us BM_DrawBoardAndPresent) us" "1000 us" ""
row "game step, can falling" "$(median_us BM_GameStepFalling) us" "10 us" ""
row "game step, can landing" "$(median_us BM_GameStepLanding) us" "10 us" ""
row "match sweep, busy board" "$(median_us BM_CheckAllMatchesBusyBoardWithoutBlock) us" "100 us" ""
row "unpacking all built-in pictures" "$(median_us BM_UnpackAllPictures) us" "5000 us" ""
