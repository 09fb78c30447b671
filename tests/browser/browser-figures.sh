#!/usr/bin/env bash
# Figures, reported and never asserted: on a slow page (the page stays busy for DELAY ms
# after each stored value and drops the keys typed into that field meanwhile), which of
# Tamvera's speeds lands every value, blind (the relay answers no reads) and with
# verified entry (the relay answers them from the browser's own field), per form: the
# speed, the run's time from ENTER to the beeps, the keys the page dropped and the keys
# Tamvera sent beyond those of a run that loses nothing (values typed again, navigation
# keys sent again).
#
# For each form the speeds are tried from the fastest that the shorter delay still
# allowed (a longer delay never needs less), slower until one lands ("-": none lands,
# nor at the longer delays).
#
#   browser-figures.sh BUILD chromium|firefox [DELAY...]   (through scripts/wine-env.sh exec)
#   browser-figures.sh BUILD chromium|firefox --deaf MS
#
# Without delays: 0 150 300 600 1000 ms and a delay drawn from 0 to 1000 ms for each value,
# the whole table (about 20 minutes a browser). VERIFIED_ONLY=1 leaves the blind runs out,
# FORM="TARGET MODE" measures that form alone.
# --deaf: a class of 40 x 10 into RAPOR Online Isian whose fields drop the characters
# typed in the first MS ms after they gain the focus, at "Cepat", with reads.
source "$(dirname "$0")/lib.sh"
BROWSER=${2:?chromium or firefox}
shift 2
DEAF=
[ "${1:-}" != --deaf ] || DEAF=${2:?milliseconds}
DELAYS=("$@")
[ ${#DELAYS[@]} -gt 0 ] || DELAYS=(0 150 300 600 1000 0-1000)
CLOSING_EXPECTED=1  # a run that does not land every value ends with a closing message
SPEEDS=(cepat sedang lambat)
FORMS=("rapor isian" "rapor pilihan" "erapor isian" "dapodik isian")
# FORM="rapor pilihan": that form alone.
[ -z "${FORM:-}" ] || FORMS=("$FORM")

# Two rows, no empty cells (a lost key that skips an empty cell is beyond what the reads
# can tell, see docs/PERFORMANCE.md); the second row takes Dapodik's "No" and "Nama".
printf '85\tB+\t(A)\n90\t7\t100' >"$WORK/isian.txt"
printf '85\t1\t99\n7\t57\t100' >"$WORK/pilihan.txt"

start_server
start_tamvera_recorded

# The characters among the keys the page saw, and those it dropped.
characters() { awk -F'\t' 'length($2) == 1 { n++ } END { print n + 0 }' "$KEYLOG"; }
characters_dropped() { awk -F'\t' 'length($2) == 1 && $NF == "hilang" { n++ } END { print n + 0 }' "$KEYLOG"; }

if [ -n "$DEAF" ]; then
    awk 'BEGIN { for (r = 0; r < 40; r++) { line = ""
        for (c = 0; c < 10; c++) line = line (c ? "\t" : "") (r * 10 + c == 7 || r * 10 + c == 33 ? "" : 60 + (r * 7 + c * 3) % 40)
        printf "%s%s", (r ? "\n" : ""), line } }' >"$WORK/class.txt"
    choose rapor isian
    paste_list "$WORK/class.txt"
    open_page "$BROWSER" rapor isian 40 10 0 "fokus=$DEAF"
    run_list cepat && expect_page "$BROWSER, 40 x 10 class deaf $DEAF ms" "$WORK/class.txt"
    [ -z "$CLOSING" ] || log "closing message: $CLOSING"
    floor=$(awk -v p="$(pauses_of isian "$WORK/class.txt" 0.1)" -v n="$(values_in "$WORK/class.txt")" -v d="$DEAF" \
        'BEGIN { printf "%.1f", p + n * d / 1000 }')
    log "figure: $BROWSER, 40 x 10 class, fields deaf $DEAF ms after the focus, cepat: landed $LANDED," \
        "$RUN_SECONDS s against the page's floor of $floor s" \
        "($(awk -v a="$RUN_SECONDS" -v b="$floor" 'BEGIN { printf "%.2f", a / b }') x);" \
        "characters $(characters), dropped $(characters_dropped)"
    close_page
    finish
    exit
fi

# try_run TARGET MODE DELAY SPEED BLIND: one run of the mode's list into a fresh page;
# succeeds when every value landed. Sets RUN_SECONDS, KEYS (the keys the page saw) and
# DROPPED (those it dropped).
try_run() {
    BLIND=$5 open_page "$BROWSER" "$1" "$2" 2 3 "$3"
    local landed=1 how=verified
    [ -z "$5" ] || how=blind
    RUN_SECONDS=-
    run_list "$4" && page_holds "$WORK/$2.txt" 1 || landed=0
    KEYS=$(grep -c . "$KEYLOG" 2>/dev/null || echo 0)
    DROPPED=$(grep -c 'hilang$' "$KEYLOG" 2>/dev/null || true)
    log "figure: $BROWSER $1 $2, delay $3 ms, $4, $how: landed $LANDED, $RUN_SECONDS s, keys $KEYS, dropped ${DROPPED:-0}"
    [ -z "${KEEP_LOGS:-}" ] || { cp "$KEYLOG" "$BUILD/keys-$PAGE_COUNT.txt"; cp "$WORK/relay.log" "$BUILD/relay-$PAGE_COUNT.log"; echo "closing: $CLOSING"; }
    close_page
    [ "$landed" -eq 1 ]
}

# fastest TARGET MODE DELAY BLIND FROM: the first speed from index FROM that lands; sets
# SPEED_AT (its index; past the last: none) and the try's figures.
fastest() {
    for ((SPEED_AT = $5; SPEED_AT < ${#SPEEDS[@]}; SPEED_AT++)); do
        try_run "$1" "$2" "$3" "${SPEEDS[SPEED_AT]}" "$4" && return 0
    done
    return 1
}

TABLE=$WORK/table.txt
for form in "${FORMS[@]}"; do
    read -r target mode <<<"$form"
    choose "$target" "$mode"
    paste_list "$WORK/$mode.txt"
    # The keys of a run that loses nothing: blind, no delay, at "Cepat".
    try_run "$target" "$mode" 0 cepat 1 || log "figure: $BROWSER $target $mode lost values without a delay"
    base=$KEYS
    blind_from=0 verified_from=0
    for delay in "${DELAYS[@]}"; do
        blind="-"
        if [ -n "${VERIFIED_ONLY:-}" ]; then
            blind="not run"
        elif [ "$delay" = 0 ]; then
            blind="cepat ${RUN_SECONDS:-?} s"
        elif fastest "$target" "$mode" "$delay" 1 "$blind_from"; then
            blind="${SPEEDS[SPEED_AT]} $RUN_SECONDS s"
        fi
        [ "$delay" = 0 ] || [ -n "${VERIFIED_ONLY:-}" ] || blind_from=$SPEED_AT
        verified="-|-|-|-"
        if fastest "$target" "$mode" "$delay" "" "$verified_from"; then
            verified="${SPEEDS[SPEED_AT]}|$RUN_SECONDS s|${DROPPED:-0}|$((KEYS - base))"
        fi
        verified_from=$SPEED_AT
        echo "$target $mode|$delay ms|$blind|$verified" >>"$TABLE"
    done
done

log "figure: $BROWSER, the fastest speed that lands every value on a slow page (- : none), a 2 x 3 list"
echo "| form | delay | blind: speed, run | verified: speed | run | keys dropped | keys sent again |"
echo "|---|---|---|---|---|---|---|"
while IFS= read -r line; do echo "| ${line//|/ | } |"; done <"$TABLE"
finish
