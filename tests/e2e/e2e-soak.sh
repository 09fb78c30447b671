#!/usr/bin/env bash
# One start of Tamvera types class after class into the practice window, reading every
# value back: every value must land and be confirmed (no closing message), and what the
# process holds (handles, GDI and USER objects, threads, memory) must be the same after
# the last class as after the first.
#
#   e2e-soak.sh BUILD [CLASSES]   CLASSES classes of 40 x 10 (default 1) after a first,
#                                 short class whose end is the baseline
# scripts/soak.sh runs it with ten classes (about 4,000 reads); ./test with one.
source "$(dirname "$0")/lib.sh"
classes=${2:-1}

# A 40 x 10 class of two-digit grades, a different one each time.
make_big_class() {
    awk -v class="$2" 'BEGIN { srand(class)
        for (r = 0; r < 40; r++) { line = ""
            for (c = 0; c < 10; c++) line = line (c ? "\t" : "") int(10 + rand() * 90)
            printf "%s%s", (r ? "\n" : ""), line } }' >"$1"
}
# The process's figures are taken at once (read_figures) and every check and line uses
# that one reading: threads come and go, and two readings would mix two moments.
read_figures() { FIGURES=$(probe resources); }
resources() { awk '{ printf "%s=%s ", $1, $2 } END { print "" }' <<<"$FIGURES"; }
figure() { awk -v k="$1" '$1 == k { print $2 }' <<<"$FIGURES"; }
rss_kb() { awk '/^VmRSS/ { print $2 }' "/proc/$TAMVERA_PID/status"; }

# type_class FILE ROWS COLS WHAT: the list into a fresh practice form, checked.
type_class() {
    start_practice rapor isian "$2" "$3"
    choose rapor isian cepat
    paste_list "$1"
    local before started=$SECONDS
    before=$(beeps)
    start_run
    poll 600 beeps_are $((before + 2)) || fail "$4: beeps: $(beeps), before $before"
    expected_out_of "$1" >"$WORK/expected.txt"
    expect_out "$4: every value in its field" "$WORK/expected.txt" 20
    sleep 1
    dialog_closed && pass "$4: every value confirmed, no closing message ($((SECONDS - started)) s)" ||
        { fail "$4: $(probe dialog | head -3)"; close_message; }
    stop_practice
}

start_tamvera_recorded
printf '81\t82\t83\t84\n85\t86\t87\t88\n89\t90\t91\t92\n' >"$WORK/first.txt"
type_class "$WORK/first.txt" 3 4 "first class"
read_figures
log "figures after the first class: $(resources)rss_kb=$(rss_kb)"
base_handles=$(figure systemhandles) base_windows=$(figure windows) base_threads=$(figure threads)
base_set=$(figure workingset) base_rss=$(rss_kb)

for ((n = 1; n <= classes; n++)); do
    make_big_class "$WORK/class.txt" "$n"
    log "class $n of $classes: 40 x 10 into RAPOR Online Isian at Cepat"
    type_class "$WORK/class.txt" 40 10 "class $n"
    read_figures
    log "figures after class $n: $(resources)rss_kb=$(rss_kb)"
done

# Under Wine GetProcessHandleCount and GetGuiResources of another process answer 0: the
# handles are counted in the system's handle list and the USER objects as the windows the
# process owns. The reading threads may grow to their bound of four (each with its
# event) when a read outlived its time; nothing else may grow.
grown=$(( $(figure threads) - base_threads ))
[ "$grown" -le 3 ] && pass "threads: $(figure threads) (after the first class: $base_threads)" ||
    fail "threads grew from $base_threads to $(figure threads)"
[ "$grown" -ge 0 ] || grown=0
handles=$(figure systemhandles)
[ "$handles" -le $((base_handles + grown)) ] && pass "handles: $handles (after the first class: $base_handles)" ||
    fail "handles grew from $base_handles to $handles"
expect_eq "windows (USER objects) as after the first class" "$(figure windows)" "$base_windows"
log "figure: working set $(figure workingset) bytes (after the first class $base_set), resident $(rss_kb) kB (after the first class $base_rss kB)"
finish
