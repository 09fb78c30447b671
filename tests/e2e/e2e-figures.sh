#!/usr/bin/env bash
# Figures of whole runs, reported and never asserted: start-up time until the window is
# shown, run duration against the estimate for each speed, Tamvera's processor time
# during a run. The runs must still land exactly (a figure of a wrong run is worthless).
#   e2e-figures.sh BUILD [--pacing-only]   start-up and the 40 x 10 class only
#   e2e-figures.sh BUILD --deaf MS           the 40 x 10 class, with reads, on fields that
#                                            lose the characters typed in the first MS ms
#                                            after they gain the focus
source "$(dirname "$0")/lib.sh"
pacing_only=0 deaf=
[ "${2:-}" != --pacing-only ] || pacing_only=1
[ "${2:-}" != --deaf ] || deaf=${3:?milliseconds}

seconds_since() { awk -v a="$1" -v b="$(date +%s.%N)" 'BEGIN { printf "%.2f", b - a }'; }
# user + system processor time of a process, in seconds
cpu_seconds() { awk -v hz="$(getconf CLK_TCK)" '{ sub(/^.*\) /, ""); printf "%.2f", ($12 + $13) / hz }' "/proc/$1/stat"; }
tamvera_visible() { program_shown "${TAMVERA_EXE##*/}" Tamvera; }
tamvera_hidden() { ! tamvera_visible; }

[ -n "$deaf" ] || log "start-up until the window is shown (three starts)"
for i in 1 2 3; do
    [ -z "$deaf" ] || break
    started=$(date +%s.%N)
    "$WINE" "$TAMVERA_EXE" >/dev/null 2>&1 &
    pid=$!
    STARTED_PIDS+=("$pid")
    deadline=$((SECONDS + 90))
    until tamvera_visible || [ $SECONDS -ge $deadline ]; do sleep 0.02; done
    log "figure: start $i: window shown after $(seconds_since "$started") s"
    sleep 1
    end_programs "${TAMVERA_EXE##*/}"
    wait "$pid" >/dev/null 2>&1 || true
    poll 20 tamvera_hidden || true
done

# grade_block FILE ROWS COLS: a class of grades, two empty cells.
grade_block() {
    awk -v rows="$2" -v cols="$3" 'BEGIN { for (r = 0; r < rows; r++) { line = ""
        for (c = 0; c < cols; c++) line = line (c ? "\t" : "") (r * cols + c == 7 || r * cols + c == 33 ? "" : 60 + (r * 7 + c * 3) % 40)
        printf "%s%s", (r ? "\n" : ""), line } }' >"$1"
}
grade_block "$WORK/small.txt" 10 5
grade_block "$WORK/class.txt" 40 10

start_tamvera_recorded

# timed_run LIST ROWS COLS MODE SPEED STEP [OPTION...]: one run of the list into a
# practice form of ROWS x COLS (with the practice window's further options); prints
# duration, nominal pause time, estimate and processor time.
timed_run() {
    local list=$1 rows=$2 cols=$3 mode=$4 speed=$5 step=$6 nominal values cells
    values=$(values_in "$list")
    cells=$(cells_in "$list")
    # The run's own pauses: per value four short ones and the closing one in Pilihan, one
    # short one per cell in Isian, one per row; the estimate is all of them but the start
    # wait, since every pause counts into it with its own length.
    if [ "$mode" == pilihan ]; then
        nominal=$(awk -v v="$values" -v c="$cells" -v r="$rows" -v s="$step" 'BEGIN { print 2 + (v * 0.4 + c * 0.15 + r * 0.1) * s / 0.1 }')
    else
        nominal=$(awk -v c="$cells" -v r="$rows" -v s="$step" 'BEGIN { print 2 + (c + r) * s }')
    fi
    start_practice rapor "$mode" "$rows" "$cols" "${@:7}"
    choose rapor "$mode" "$speed"
    paste_list "$list"
    expected_out_of "$list" >"$WORK/expected.txt"
    local before cpu_before started shown duration cpu
    before=$(beeps)
    click_at 232 356
    poll 30 dialog_open || { fail "no confirmation"; return 0; }
    cpu_before=$(cpu_seconds "$TAMVERA_PID")
    started=$(date +%s.%N)
    xdotool key Return
    # The end (the first beep) is watched apart, so that reading the texts delays nothing.
    (
        deadline=$((SECONDS + 300))
        until [ "$(beeps)" -gt "$before" ] || [ $SECONDS -ge $deadline ]; do sleep 0.02; done
        seconds_since "$started" >"$WORK/duration"
        cpu_seconds "$TAMVERA_PID" >"$WORK/cpu"
    ) &
    local watcher=$!
    STARTED_PIDS+=("$watcher")
    # The new estimate shows from the first time step on, which comes before the second value.
    early_in_run() { [[ $(probe text Txt_Perkembangan) =~ ^[2-9]\ dari\ $values\ Nilai$ ]]; }
    poll 60 early_in_run || true
    shown=$(probe text Txt_Waktu)
    wait "$watcher"
    duration=$(cat "$WORK/duration")
    cpu=$(cat "$WORK/cpu")
    poll 10 beeps_are $((before + 2)) || true
    expect_out "$rows x $cols, $mode $speed: the list landed" "$WORK/expected.txt" 10
    log "figure: $rows x $cols, $mode $speed: ENTER to first beep $duration s; pauses $nominal s (2 s start wait included);" \
        "estimate $(awk -v n="$nominal" 'BEGIN { print n - 2 }') s, shown early in the run as \"$shown\";" \
        "Tamvera processor time $(awk -v a="$cpu_before" -v b="$cpu" -v d="$duration" 'BEGIN { printf "%.2f s (%.1f %% of the run)", b - a, 100 * (b - a) / d }')"
    stop_practice
    DURATION=$duration NOMINAL=$nominal VALUES=$values
}
if [ -n "$deaf" ]; then
    timed_run "$WORK/class.txt" 40 10 isian cepat 0.1 --tunda-fokus "$deaf"
    read -r typed lost _ < <(awk '{ print $2 }' "$OUT.huruf" | paste -sd' ')
    floor=$(awk -v p="$NOMINAL" -v n="$VALUES" -v d="$deaf" 'BEGIN { printf "%.1f", p + n * d / 1000 }')
    log "figure: 40 x 10 class, fields deaf $deaf ms after the focus, cepat, with reads: $DURATION s against" \
        "the page's floor of $floor s ($(awk -v a="$DURATION" -v b="$floor" 'BEGIN { printf "%.2f", a / b }') x);" \
        "characters typed $typed, lost $lost"
    finish
    exit
fi
if [ "$pacing_only" -eq 0 ]; then
    timed_run "$WORK/small.txt" 10 5 isian cepat 0.1
    timed_run "$WORK/small.txt" 10 5 isian sedang 0.2
    timed_run "$WORK/small.txt" 10 5 isian lambat 0.3
    timed_run "$WORK/small.txt" 10 5 pilihan cepat 0.1
fi
# A whole class, as a teacher types it at the end of a term.
timed_run "$WORK/class.txt" 40 10 isian cepat 0.1

finish
