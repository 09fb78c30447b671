#!/usr/bin/env bash
# Figures, reported and never asserted as times: a class typed at "Cepat" into the
# practice window's fields that show a value their own way (--bentuk), blind (the window
# answers no reads) and with reads. Every value must land as the field shows it, and a
# run with reads ends with no message but the one line on the application's own form.
#
#   e2e-value-forms.sh BUILD [ROWS [RUN...]]   (not part of the CTest suite); a RUN is
#   "FORM TARGET MODE", all three by default
source "$(dirname "$0")/lib.sh"
rows=${2:-40}

seconds_since() { awk -v a="$1" -v b="$(date +%s.%N)" 'BEGIN { printf "%.1f", b - a }'; }

# class_of FILE ROWS COLS VALUE...: the values in turn, cell by cell, every seventh cell empty.
class_of() {
    local file=$1 rows=$2 cols=$3
    shift 3
    awk -v rows="$rows" -v cols="$cols" -v values="$*" 'BEGIN { n = split(values, v, " ")
        for (r = 0; r < rows; r++) { line = ""
            for (c = 0; c < cols; c++) { i = r * cols + c; line = line (c ? "\t" : "") (i % 7 == 3 ? "" : v[i % n + 1]) }
            printf "%s%s", (r ? "\n" : ""), line } }' >"$file"
}
# shown_as FORM <LIST: what the practice window's fields show for each value of LIST.
shown_as() {
    awk -F'\t' -v OFS='\t' -v form="$1" '
        function shown(v,   x) {
            if (form == "predikat") { x = toupper(v)
                return x == "A" ? "A - Sangat Baik" : x == "B" ? "B - Baik" : x == "C" ? "C - Cukup" : "D - Kurang" }
            x = v; gsub(",", ".", x); x = sprintf("%.2f", x); sub(/\./, ",", x); return x }
        { for (i = 1; i <= NF; i++) if ($i != "") $i = shown($i); print }'
}

# timed_run WHAT LIST TARGET MODE FORM [OPTION...]: one run; its duration from the ENTER
# that confirms the start to the two beeps, what landed and the closing message.
timed_run() {
    local what=$1 list=$2 form=$5 before started seconds message
    start_practice "$3" "$4" "$(awk 'END { print NR }' "$list")" "$(head -n1 "$list" | awk -F'\t' '{ print NF }')" \
        --bentuk "$form" "${@:6}"
    choose "$3" "$4" cepat
    paste_list "$list"
    before=$(beeps)
    started=$(date +%s.%N)
    start_run
    poll 900 beeps_are $((before + 2)) || fail "$what: beeps $(beeps), before $before"
    seconds=$(seconds_since "$started")
    shown_as "$form" <"$list" >"$WORK/shown.txt"
    expected_out_of "$WORK/shown.txt" >"$WORK/expected.txt"
    expect_out "$what: every value landed" "$WORK/expected.txt" 10
    sleep 1
    message=$(probe dialog 2>/dev/null | tr '\n' ' ' || true)
    log "figure: $what: $seconds s; closing message: ${message:-none}"
    [ -z "$message" ] || close_message
    stop_practice
}

start_tamvera_recorded
class_of "$WORK/predikat.txt" "$rows" 3 A B c D a B C d
class_of "$WORK/desimal.txt" "$rows" 3 85 8.5 7,25 100 60 0 90,5 77
runs=("predikat rapor pilihan" "desimal dapodik isian" "desimal rapor isian")
[ $# -le 2 ] || runs=("${@:3}")
for run in "${runs[@]}"; do
    read -r form target mode <<<"$run"
    timed_run "$target $mode $form, blind" "$WORK/$form.txt" "$target" "$mode" "$form" --tanpa-baca
    timed_run "$target $mode $form, with reads" "$WORK/$form.txt" "$target" "$mode" "$form"
done
