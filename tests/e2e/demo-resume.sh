#!/usr/bin/env bash
# The box that goes on after a stop, shown for the teacher's guide: a 10 x 4 class stopped
# by another program's window after a dozen values; the field the apology names is clicked
# in the practice window and "Mulai" asks whether to go on from it. Saves a screenshot of
# the screen with the practice window, that field focused, and the box, and beside it
# (.txt) the box's geometry and the field's middle; then answers Ya. Exit code 0 when
# every value then landed once, in its own field.
#
#   demo-resume.sh BUILD SCREENSHOT   (run through scripts/wine-env.sh exec)
source "$(dirname "$0")/lib.sh"
screenshot=${2:?screenshot path}

start_tamvera_recorded
start_resume_class
stop_class_at 12 61
click_field "$row" "$col"
ask_to_go_on "$row" "$col"
sleep 0.5
/usr/bin/import -window root "$WORK/screen.png"
message_box_window >/dev/null || { fail "no box on the screen"; finish; }
cp "$WORK/screen.png" "$screenshot"
{
    echo "box $BOX_GEOMETRY"
    echo "field $(helper field "$PRACTICE_TITLE" $(((row - 1) * PRACTICE_COLS + col)))"
} >"${screenshot%.png}.txt"
before=$(beeps)
say_ya_and_start
poll 120 beeps_are $((before + 2)) && pass "the run ended with its two beeps" || fail "beeps: $(beeps), before $before"
expect_out "every value once, in its own field" "$WORK/expected.txt" 10
finish
