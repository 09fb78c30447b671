#!/usr/bin/env bash
# Verified entry against the practice target made slow or faulty on purpose: fields that
# lose what is typed for a while after they gain the focus, lost navigation keys, a field
# that refuses its value, a target that answers no reads, a target that stops answering.
# Every value must land in its own field, or be named in the closing message.
#
#   e2e-verified.sh BUILD
source "$(dirname "$0")/lib.sh"

closing_open() { probe dialog | grep -q "$1"; }
# run_list WHAT FILE: pastes FILE, starts the run and waits for its two beeps.
run_list() {
    local before
    paste_list "$2"
    before=$(beeps)
    start_run
    poll 120 beeps_are $((before + 2)) && pass "$1: the run ended with its two beeps" || fail "$1: beeps: $(beeps), before $before"
}
# expect_landed WHAT FILE: every value of FILE in its own field and no closing message.
expect_landed() {
    expected_out_of "$2" >"$WORK/expected.txt"
    expect_out "$1: every value in its own field" "$WORK/expected.txt" 10
    sleep 1
    dialog_closed && pass "$1: every value confirmed, no message" || fail "$1: a message: $(probe dialog)"
}

start_tamvera_recorded

printf '81\t82\t83\t84\n85\t86\t87\t88\n89\t90\t91\t92\n' >"$WORK/isian.txt"
printf '1\t10\t99\n85\t9\t22\n' >"$WORK/pilihan.txt"
forms=("rapor isian" "rapor pilihan" "erapor isian" "dapodik isian")
for form in "${forms[@]}"; do
    read -r target mode <<<"$form"
    list=$WORK/$mode.txt
    log "$target $mode, Cepat: fields lose what is typed for 150 ms after they gain the focus"
    start_practice "$target" "$mode" "$(wc -l <"$list")" "$(head -n1 "$list" | awk -F'\t' '{print NF}')" --tunda-fokus 150
    choose "$target" "$mode" cepat
    run_list "$target $mode" "$list"
    expect_landed "$target $mode" "$list"
    stop_practice
done

for target in rapor dapodik; do
    log "$target isian, Cepat: every fifth navigation key lost"
    printf '71\t72\t73\t74\t75\n76\t77\t78\t79\t80\n81\t82\t83\t84\t85\n86\t87\t88\t89\t90\n' >"$WORK/nav.txt"
    start_practice "$target" isian 4 5 --hilang-navigasi 5
    choose "$target" isian cepat
    run_list "$target, navigation lost" "$WORK/nav.txt"
    expect_landed "$target, navigation lost" "$WORK/nav.txt"
    stop_practice
done

log "a field that refuses its value is named with its row and column; the others land"
start_practice rapor isian 3 4 --tolak 2,3
choose rapor isian cepat
run_list "refused field" "$WORK/isian.txt"
poll 20 closing_open "Baris 2, kolom 3: seharusnya \"87\", terisi kosong" &&
    pass "the closing message names row 2, column 3" || fail "closing message: $(probe dialog)"
expect_eq "the closing message is the window in front" "$(helper foreground --class)" $'Tamvera\t#32770'
awk -F'\t' -v OFS='\t' 'NR == 2 { $3 = "" } { print }' "$WORK/isian.txt" >"$WORK/refused.txt"
expected_out_of "$WORK/refused.txt" >"$WORK/expected.txt"
expect_out "refused field: every other value in its field" "$WORK/expected.txt" 5
close_message
stop_practice


# key_messages KEY...: each key as a window gets it: down, its character, up (RIGHT has
# no character).
key_messages() {
    local key
    for key in "$@"; do
        printf 'key WM_KEYDOWN %s\n' "$key"
        [ "$key" = 39 ] || printf 'key WM_CHAR %s\n' "$key"
        printf 'key WM_KEYUP %s\n' "$key"
    done
}
printf '85\t90\n77\t6\n' >"$WORK/blind.txt"
key_messages 9 56 53 9 57 48 9 55 55 9 54 9 >"$WORK/blind-rapor.log"
# RIGHT, then RIGHT ENTER value ENTER for each value and RIGHT twice at each row's end,
# also after the empty row that the line end after the last row makes.
key_messages 39 39 13 56 53 13 39 13 57 48 13 39 39 39 13 55 55 13 39 13 54 13 39 39 39 39 \
    >"$WORK/blind-dapodik.log"
for target in rapor dapodik; do
    log "$target: a target that answers no reads is typed as always, and the closing message says so"
    title="RAPOR Online - Latihan"
    [ "$target" = rapor ] || title="Aplikasi Dapodik - Latihan"
    "$WINE" "$HELPER_EXE" window "$title" >"$WORK/blind.log" 2>&1 &
    OTHER_PID=$!
    STARTED_PIDS+=("$OTHER_PID")
    sleep 2
    choose "$target" isian cepat
    run_list "$target, no reads" "$WORK/blind.txt"
    poll 20 closing_open "Nilai tidak dapat diperiksa di aplikasi ini" &&
        pass "$target, no reads: the closing message says so" ||
        fail "$target, no reads: closing message: $(probe dialog)"
    # (The release of the ENTER that answered the confirmation may reach the window first.)
    grep '^key ' "$WORK/blind.log" | awk '/WM_KEYDOWN/ { on = 1 } on' >"$WORK/blind-keys.log"
    if cmp -s "$WORK/blind-keys.log" "$WORK/blind-$target.log"; then
        pass "$target, no reads: exactly the keys of a run without reading ($(wc -l <"$WORK/blind-keys.log") key messages)"
    else
        fail "$target, no reads: key record differs"
        diff "$WORK/blind-$target.log" "$WORK/blind-keys.log" | head -10
    fi
    stop_other
    close_message
done

log "a target that stops answering for 5 s: Tamvera keeps answering and the run ends"
start_practice rapor isian 3 4 --macet 5 --macet-setelah 3
choose rapor isian cepat
paste_list "$WORK/isian.txt"
before=$(beeps)
start_run
sleep 3
if tamvera_answers; then pass "Tamvera answers while the target does not"; else fail "Tamvera hung with the target"; fi
poll 60 beeps_are $((before + 2)) && pass "stalled target: the run ended with its two beeps" ||
    fail "stalled target: beeps: $(beeps), before $before"
expected_out_of "$WORK/isian.txt" >"$WORK/expected.txt"
expect_out "stalled target: the keys queued meanwhile landed" "$WORK/expected.txt" 20
if dialog_open; then
    log "closing message: $(probe dialog | tr '\n' ' ')"
    close_message
fi
stop_practice

finish
