#!/usr/bin/env bash
# Helpers of the end-to-end scripts, on top of the main window's helpers
# (tests/wine/window/lib.sh: start, probe, click, poll, checks). Sourced by a script
# that was given the build folder as $1 and runs with DISPLAY, WINEPREFIX and WINE set.
#
# Screen plan (1280 x 1024 test display): the practice target opens at (0, 0) and is
# 648 pixels wide for up to 10 columns; Tamvera is dragged to the right edge, client
# origin (958, 0), so that neither ever covers the other and every click lands.
source "$(dirname "${BASH_SOURCE[0]}")/../wine/window/lib.sh"
# Ended from outside (a CTest timeout): still end what was started.
trap "exit 143" TERM INT

HELPER_EXE=$BUILD/tests/e2e/e2e_helper.exe
HANDOFF=$(dirname "$TAMVERA_EXE")/Engine.dll  # written beside the program
TAMVERA_LEFT=958

helper() { "$WINE" "$HELPER_EXE" "$@" 2>/dev/null | tr -d '\r'; }
apology_open() { probe dialog | grep -q "Maaf! terjadi kesalahan. Pastikan anda sudah mengikuti prosedur penggunaan program dengan benar"; }
foreground_is() { [ "$(helper foreground)" == "$1" ]; }

# --- Tamvera, with its beeps recorded ---------------------------------------------
# Wine's Beep writes a BEL to the program's terminal: run under script(1), every beep
# of Tamvera lands in BEEP_LOG.
start_tamvera_recorded() {
    BEEP_LOG=$(mktemp "$WORK/beeps.XXXXXX")
    local started=$(date +%s.%N)
    script -q -f -c "$(printf '%q ' "$WINE" "$TAMVERA_EXE")" "$BEEP_LOG" </dev/null >/dev/null 2>&1 &
    STARTED_PIDS+=($!)
    await_tamvera
    STARTUP_SECONDS=$(awk -v a="$started" -v b="$(date +%s.%N)" 'BEGIN { printf "%.2f", b - a }')
    sleep 1  # its first paint
    read_origin
    press_move_release 1 200 10 $((TAMVERA_LEFT + 200)) 10
    poll 10 origin_is "$TAMVERA_LEFT" 0 || { echo "Tamvera could not be moved: $ORIGIN_X,$ORIGIN_Y"; exit 1; }
}
beeps() { tr -cd '\a' <"$BEEP_LOG" | wc -c; }
beeps_are() { [ "$(beeps)" -eq "$1" ]; }
# Succeeds when Tamvera is alive and its window answers messages.
tamvera_answers() { tamvera_running && probe text Txt_Perkembangan >/dev/null; }

# --- Options and the grade box (client coordinates of Tamvera) -----------------------
choose() {
    local what
    for what in "$@"; do
        case $what in
        rapor) click_at 164 124 ;;
        erapor) click_at 220 124 ;;
        dapodik) click_at 276 124 ;;
        pilihan) click_at 178 220 ;;
        isian) click_at 263 220 ;;
        cepat) click_at 164 173 ;;
        sedang) click_at 220 173 ;;
        lambat) click_at 276 173 ;;
        *) echo "choose: $what?"; exit 2 ;;
        esac
    done
}
click_berhenti() { click_at 232 388; }

# The hand-off file holds exactly the list FILE with CR LF line ends in code page 1252,
# plus one CR LF.
expect_handoff_of() {
    if { crlf_of "$1" | iconv -f UTF-8 -t CP1252; printf '\r\n'; } | cmp -s - "$HANDOFF"; then
        pass "hand-off file: the list in code page 1252 plus CR LF ($(wc -c <"$HANDOFF") bytes)"
    else
        fail "hand-off file differs: $(od -c "$HANDOFF" | head -4)"
    fi
}

# --- The practice target -----------------------------------------------------------
PRACTICE_COUNT=0
# start_practice TARGET MODE ROWS COLS [OPTION...]: a fresh practice window (focus before
# its first field) with the practice window's further options; OUT is its out-file.
start_practice() {
    PRACTICE_COUNT=$((PRACTICE_COUNT + 1))
    OUT=$WORK/hasil-$PRACTICE_COUNT.txt
    PRACTICE_ROWS=$3 PRACTICE_COLS=$4
    "$WINE" "$LATIHAN_EXE" --target "$1" --mode "$2" --rows "$3" --cols "$4" --out "$(winpath "$OUT")" "${@:5}" \
        >"$WORK/latihan-$PRACTICE_COUNT.log" 2>&1 &
    PRACTICE_PID=$!
    STARTED_PIDS+=("$PRACTICE_PID")
    out_written() { [ -s "$OUT" ]; }
    poll 90 out_written || { practice_start_report; exit 1; }
}
# What is known of a practice window that wrote no out-file: whether its program runs,
# the windows it shows (a message box of its own names why it could not start), its log.
practice_start_report() {
    local program=${LATIHAN_EXE##*/} window
    echo "the practice target did not start: no out-file $OUT in 90 s"
    echo "  its processes: $(lane_programs "$program" | tr '\n' ' ')"
    for window in $(xdotool search --classname "^${program//./\\.}\$" 2>/dev/null); do
        echo "  its window: \"$(xdotool getwindowname "$window" 2>/dev/null)\" $(xdotool getwindowgeometry "$window" 2>/dev/null | tail -1)"
    done
    echo "  its log (latihan-$PRACTICE_COUNT.log):"
    sed 's/^/    /' "$WORK/latihan-$PRACTICE_COUNT.log"
}
stop_practice() {
    end_programs "${LATIHAN_EXE##*/}"
    wait "$PRACTICE_PID" >/dev/null 2>&1 || true
}
# What the out-file holds when the list FILE has landed: its rows (padded with empty
# rows to the form's row count), LF after each.
expected_out_of() {
    awk -v rows="$PRACTICE_ROWS" -v cols="$PRACTICE_COLS" '
        { print; n++ }
        END { empty = ""; for (c = 1; c < cols; c++) empty = empty "\t"
              for (; n < rows; n++) print empty }' "$1"
}
empty_out() { printf '' | expected_out_of /dev/stdin; }
out_is() { cmp -s "$OUT" "$1"; }
# expect_out WHAT FILE [SECONDS]: the out-file comes to equal FILE.
expect_out() {
    if poll "${3:-300}" out_is "$2"; then
        pass "$1"
    else
        fail "$1: out-file differs"
        diff <(cat -A "$2") <(cat -A "$OUT") | head -10 || true
    fi
}
# shown_as FORM <LIST: LIST as the practice fields of that value form (--bentuk, bentuk=)
# show it: a predicate list's entry, two decimals after a comma, upper case.
shown_as() {
    awk -F'\t' -v OFS='\t' -v form="$1" '
        function shown(v,   x) {
            if (form == "predikat") { x = toupper(v)
                return x == "A" ? "A - Sangat Baik" : x == "B" ? "B - Baik" : x == "C" ? "C - Cukup" : "D - Kurang" }
            if (form == "kapital") return toupper(v)
            if (form != "desimal") return v
            x = v; gsub(",", ".", x); x = sprintf("%.2f", x); sub(/\./, ",", x); return x }
        { for (i = 1; i <= NF; i++) if ($i != "") $i = shown($i); print }'
}
# The number of values (non-empty cells) in the list FILE.
values_in() { awk -F'\t' '{ for (i = 1; i <= NF; i++) if ($i != "") n++ } END { print n + 0 }' "$1"; }

# make_class_list FILE: 40 pupils x 3 subjects, as a spreadsheet block is copied (no
# line end after the last row): every corner of the choice table (1, 9, 10, 11, 22, 99)
# and values typed as they are (100, 85, ...), empty cells and one empty row.
make_class_list() {
    awk 'BEGIN {
        split("1 9 10 11 22 99 100 85 73 60 2 45 5 90 38", v, " ")
        for (r = 0; r < 40; r++) {
            line = ""
            for (c = 0; c < 3; c++) {
                i = r * 3 + c
                cell = (i % 7 == 3 || r == 19) ? "" : v[i % 15 + 1]
                line = line (c ? "\t" : "") cell
            }
            printf "%s%s", (r ? "\n" : ""), line
        } }' >"$1"
}

# stopped_at EXPECTED: how far the out-file follows EXPECTED cell by cell (row by row)
# when everything after that point is empty - a run stopped there; "mixed" when a cell
# after it holds something. The cell at the stop may hold the start of its value: a click
# on another window takes the keyboard focus between the keys of one value; then the
# count is followed by "+".
stopped_at() {
    awk -F'\t' '
        NR == FNR { for (i = 1; i <= NF; i++) want[++n] = $i; next }
        { for (i = 1; i <= NF; i++) got[++m] = $i }
        END {
            p = 0
            while (p < n && got[p + 1] == want[p + 1]) p++
            j = p + 1
            part = ""
            if (got[j] != "" && index(want[j], got[j]) == 1) { j++; part = "+" }
            for (; j <= m; j++) if (got[j] != "") { print "mixed"; exit }
            print p part
        }' "$1" "$OUT"
}
cells_in() { awk -F'\t' '{ n += NF } END { print n + 0 }' "$1"; }

# --- Another program in front in the middle of a row ----------------------------------
# start_other_at_cell N TEXT: another program's window ("Kalkulator") that takes the front
# the moment the target's out-file OUT holds TEXT in its Nth cell (counted row by row
# from 1); it logs every key message it receives. OTHER_PID: the command started.
start_other_at_cell() {
    "$WINE" "$HELPER_EXE" window "Kalkulator" --cell "$(winpath "$OUT")" "$1" "$2" >"$WORK/other.log" 2>&1 &
    OTHER_PID=$!
    STARTED_PIDS+=("$OTHER_PID")
    sleep 2  # the helper is up and watching
}
other_shown() { grep -q shown "$WORK/other.log"; }
stop_other() {
    end_programs "${HELPER_EXE##*/}"
    wait "$OTHER_PID" >/dev/null 2>&1 || true
}

# stop_mid_row WHAT EXPECTED N TEXT: a run of the pasted list (options chosen) that
# another program interrupts once cell N holds TEXT; EXPECTED is what the target then
# holds (an out-file). Not one key may reach the other program's window; the run ends
# with the apology, once, and its two beeps.
stop_mid_row() {
    local what=$1 expected=$2 before
    start_other_at_cell "$3" "$4"
    before=$(beeps)
    start_run
    poll 60 other_shown && pass "$what: the other window took the front once cell $3 held $4" ||
        fail "$what: the other window never showed"
    if poll 30 apology_open; then pass "$what: the run stopped with the apology"; else fail "$what: no apology: $(probe dialog)"; fi
    expect_eq "$what: the apology is the window in front" "$(helper foreground --class)" $'Tamvera\t#32770'
    sleep 0.5
    expect_eq "$what: key messages that reached the other window" "$(grep -c '^key ' "$WORK/other.log" || true)" 0
    close_apology
    poll 20 beeps_are $((before + 2)) && pass "$what: the run ended with its two beeps" ||
        fail "$what: beeps: $(beeps), before $before"
    dialog_closed && pass "$what: the apology showed once" || fail "$what: another box: $(probe dialog)"
    expect_out "$what: the values typed before the stop stay, the fields after it stay empty" "$expected" 5
    if tamvera_answers; then pass "$what: Tamvera open and answering"; else fail "$what: Tamvera gone or hung"; fi
    stop_other
}

# The X window of Tamvera's open message box: the visible window titled "Tamvera" that is
# not Tamvera's own 322 x 555 window. BOX_GEOMETRY is its WxH+X+Y.
message_box_window() {
    local id
    for id in $(xdotool search --onlyvisible --name '^Tamvera$' 2>/dev/null); do
        eval "$(xdotool getwindowgeometry --shell "$id")"
        if [ "$WIDTH" != 322 ]; then
            BOX_GEOMETRY="${WIDTH}x${HEIGHT}+${X}+${Y}"
            echo "$id"
            return 0
        fi
    done
    return 1
}
# Wine's foreground window and the X input focus can part: the browser lane's replayer
# hands the X focus to the browser (see tests/browser/lib.sh), and on a loaded display
# without a window manager the X focus now and then stays with the window that took the
# front before the box opened. When the box is Windows' foreground window (what Windows
# promises), it is given the X focus for its ENTER, as a desktop would, and a focus found
# elsewhere is reported; a box not in front gets nothing and its ENTER fails.
box_takes_x_focus() {
    local box focus
    box=$(message_box_window) || return 0
    focus=$(xdotool getwindowfocus 2>/dev/null || true)
    [ "$focus" = "$box" ] && return 0
    # Only a box that Windows holds in front: otherwise its ENTER must fail as it would.
    [ "$(helper foreground --class)" = $'Tamvera\t#32770' ] || return 0
    [ -n "${BOX_NEEDS_X_FOCUS:-}" ] || echo "note: the X focus was on '$(xdotool getwindowname "$focus" 2>/dev/null)', given to the box"
    xdotool windowfocus --sync "$box" 2>/dev/null || true
}
# Answers the closing message with ENTER, as the teacher at the keyboard would: the box
# must be the active window.
close_message() {
    box_takes_x_focus
    xdotool key Return
    poll 20 dialog_closed && pass "closing message closed with ENTER" || fail "the closing message did not take ENTER"
}

# Answers the apology with ENTER, as the user at the keyboard would: the box must be the
# active window. If it is not, that is a failure; Tamvera's window is then clicked (its
# modal box comes along) so that the checks after it still mean something.
close_apology() {
    box_takes_x_focus
    xdotool key Return
    if poll 20 dialog_closed; then
        pass "apology closed with ENTER"
        return 0
    fi
    fail "the apology did not take ENTER (in front: $(helper foreground); X focus: $(xdotool getwindowfocus getwindowname 2>&1))"
    click_at 160 460
    xdotool key Return
    poll 20 dialog_closed || true
}

# landed_table WHERE: each pupil's row as pasted (WORK/expected.txt, an out-file) next to
# what landed in the target's fields (OUT).
landed_table() {
    echo
    printf '%-5s  %-*s  landed in %s\n' Pupil $((PRACTICE_COLS * 6)) "pasted into Tamvera" "$1"
    paste "$WORK/expected.txt" "$OUT" | awk -F'\t' -v n="$PRACTICE_COLS" '
        function cells(from,   s, i) { s = ""; for (i = from; i < from + n; i++) s = s sprintf("%-6s", $i == "" ? "." : $i); return s }
        { printf "%5d  %s  %s  %s\n", NR, cells(1), cells(n + 1), (cells(1) == cells(n + 1) ? "ok" : "DIFFERENT") }'
    echo "(\".\" is an empty cell)"
}

# --- Going on after a stop ("Lanjutkan") ----------------------------------------------
PRACTICE_TITLE="RAPOR Online - Latihan"
# start_resume_class: a 10 x 4 class (50 ... 89) pasted for the practice window's
# RAPOR Online Isian, Cepat; WORK/expected.txt is what its out-file holds once all is in.
start_resume_class() {
    awk 'BEGIN { for (r = 0; r < 10; r++) { line = ""
                 for (c = 0; c < 4; c++) line = line (c ? "\t" : "") (50 + 4 * r + c)
                 print line } }' >"$WORK/kelas.txt"
    start_practice rapor isian 10 4
    expected_out_of "$WORK/kelas.txt" >"$WORK/expected.txt"
    choose rapor isian cepat
    paste_list "$WORK/kelas.txt"
}
# stop_class_at N TEXT: a run of the pasted list that another program's window stops once
# cell N holds TEXT; row, col and typed: where the apology says it stopped.
stop_class_at() {
    local before stop_line
    start_other_at_cell "$1" "$2"
    before=$(beeps)
    start_run
    poll 60 other_shown && pass "the other window took the front" || fail "the other window never showed"
    poll 30 apology_open && pass "the run stopped with the apology" || fail "no apology: $(probe dialog)"
    stop_line=$(probe dialog | grep -oE 'Pengisian berhenti di baris [0-9]+, kolom [0-9]+: [0-9]+ dari [0-9]+ nilai sudah diketik\.' || true)
    [ -n "$stop_line" ] && pass "the apology says: $stop_line" || fail "no stop line: $(probe dialog)"
    read -r row col typed <<<"$(sed -E 's/.*baris ([0-9]+), kolom ([0-9]+): ([0-9]+) dari.*/\1 \2 \3/' <<<"$stop_line")"
    close_apology
    poll 20 beeps_are $((before + 2)) || fail "beeps: $(beeps), before $before"
    stop_other
}
# click_field ROW COL: a click on the practice window's grade field (counted from 1).
click_field() {
    local xy
    if ! xy=$(helper field "$PRACTICE_TITLE" $(((${1} - 1) * PRACTICE_COLS + ${2}))); then
        fail "no place for field $1, $2"
        return 1
    fi
    # shellcheck disable=SC2086  # "X Y"
    xdotool mousemove --sync $xy click 1
    sleep 0.5
}
# ask_to_go_on ROW COL: "Mulai", and the box that asks to go on from ROW, COL is open.
ask_to_go_on() {
    click_at 232 356
    if poll 30 dialog_says "Lanjutkan dari baris $1, kolom $2"; then
        pass "Mulai asks to go on from row $1, column $2"
    else
        fail "no box asking to go on: $(probe dialog)"
        return 1
    fi
    dialog_says "Ya: pengisian dilanjutkan dari nilai itu. Tidak: pengisian dimulai lagi dari awal." ||
        fail "the box: $(probe dialog)"
}
# say_ya_and_start: Ya at that box (its default button), then OK at the confirmation.
say_ya_and_start() {
    box_takes_x_focus
    xdotool key Return
    poll 30 dialog_says "Jangan sentuh mouse/keyboard pada saat proses berlangsung!" || { fail "no confirmation after Ya"; return 1; }
    box_takes_x_focus
    xdotool key Return
}
go_on_from() { ask_to_go_on "$1" "$2" && say_ya_and_start; }
