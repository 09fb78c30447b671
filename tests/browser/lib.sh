#!/usr/bin/env bash
# Helpers of the browser scripts, on top of the end-to-end helpers (tests/e2e/lib.sh):
# the test server, a real browser showing a web practice page, and the relay window
# that Tamvera types into under Wine, piped into the replayer that presses each key in
# the browser with XTest. Sourced by a script given the build folder as $1, running with
# DISPLAY, WINEPREFIX and WINE set (scripts/wine-env.sh exec).
#
# Keys: Tamvera -> SendInput -> browser_relay.exe (titled like the page; the foreground
# window) -> one line per key on its stdout -> replay.py --window BROWSER -> XTest ->
# the browser, which then holds the X focus. The page posts its fields to server.py,
# which writes OUT in the practice window's out-file format, so the e2e checks apply.
#
# Screen plan (1280 x 1024): the browser at (0, 0) 940 x 1000; Tamvera at the right
# edge, client origin (958, 0); the relay below Tamvera at (958, 600).
source "$(dirname "${BASH_SOURCE[0]}")/../e2e/lib.sh"

SOURCE_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
BROWSER_TOOLS=$SOURCE_DIR/tests/browser
RELAY_EXE=$BUILD/tests/browser/browser_relay.exe
PYTHON=/usr/bin/python3
export BROWSER_GEOMETRY=0,0,940,1000

# Tamvera writes its hand-off file beside itself, and the browser tests run beside the
# other Windows tests of the same build: their Tamvera runs from a copy of its own, so
# the two never read each other's list.
mkdir -p "$WORK/app"
cp "$TAMVERA_EXE" "$WORK/app/Tamvera.exe"
TAMVERA_EXE=$WORK/app/Tamvera.exe
HANDOFF=$WORK/app/Engine.dll

# The replayer gives the X focus to the browser: Tamvera's boxes take it for their ENTER.
BOX_NEEDS_X_FOCUS=1

PROFILES=()
STOPPING=()
# The browsers first (their own process groups), then what lib.sh started.
close_browsers() {
    local profile
    [ ${#STOPPING[@]} -eq 0 ] || wait "${STOPPING[@]}" >/dev/null 2>&1 || true
    for profile in "${PROFILES[@]}"; do "$BROWSER_TOOLS/browser.sh" stop "$profile" >/dev/null 2>&1 || true; done
}

# A session bus and an accessibility bus of the script's own, accessibility enabled
# before any browser starts: the browsers then publish their pages' fields over AT-SPI,
# where reader.py reads the focused one for the relay. Both end with the script.
start_accessibility() {
    setsid dbus-daemon --session --nofork --print-address=3 3>"$WORK/bus" >/dev/null 2>&1 </dev/null &
    STARTED_PIDS+=($!)
    poll 10 test -s "$WORK/bus" || { echo "the session bus did not start"; exit 1; }
    export DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$WORK/bus")
    # Its own process group: the accessibility bus and the registry it starts end with it.
    setsid /usr/libexec/at-spi-bus-launcher --launch-immediately >"$WORK/at-spi.log" 2>&1 </dev/null &
    A11Y_GROUP=$!
    a11y_enabled() {
        dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.freedesktop.DBus.Properties.Set \
            string:org.a11y.Status string:IsEnabled variant:boolean:true >/dev/null 2>&1
    }
    poll 10 a11y_enabled || { echo "the accessibility bus did not start: $(cat "$WORK/at-spi.log")"; exit 1; }
    export GNOME_ACCESSIBILITY=1 ACCESSIBILITY_ENABLED=1
}
stop_accessibility() { [ -z "${A11Y_GROUP:-}" ] || kill -- "-$A11Y_GROUP" >/dev/null 2>&1 || true; }
trap 'status=$?; close_browsers; stop_accessibility; cleanup $status' EXIT
start_accessibility

# The test server on a free port; the page in front posts its fields to OUT.
start_server() {
    OUT=$WORK/hasil.txt
    KEYLOG=$WORK/tombol.txt
    "$PYTHON" "$BROWSER_TOOLS/server.py" --port 0 --root "$SOURCE_DIR/practice/web" --out "$OUT" --keys "$KEYLOG" \
        --port-file "$WORK/port" >/dev/null 2>"$WORK/server.log" &
    STARTED_PIDS+=($!)
    poll 20 test -s "$WORK/port" || { echo "the test server did not start: $(cat "$WORK/server.log")"; exit 1; }
    PORT=$(cat "$WORK/port")
}

page_title() {
    case $1 in
    rapor) echo "RAPOR Online - Latihan" ;;
    erapor) echo "e-Rapor - Latihan" ;;
    dapodik) echo "Aplikasi Dapodik - Latihan" ;;
    esac
}
page_file() {
    case $1 in
    rapor) echo rapor-online.html ;;
    erapor) echo e-rapor.html ;;
    dapodik) echo dapodik.html ;;
    esac
}

PAGE_COUNT=0
# open_page BROWSER TARGET MODE ROWS COLS [DELAY [QUERY]]: the practice page (QUERY: more
# page parameters, e.g. tolak=2,3) in a fresh browser
# with a profile of its own (focus before the first field), once it has posted its empty
# fields; and the relay titled like it, its keys replayed into that browser window.
open_page() {
    local browser=$1 target=$2 mode=$3
    PAGE_COUNT=$((PAGE_COUNT + 1))
    PRACTICE_ROWS=$4 PRACTICE_COLS=$5
    PROFILE=$WORK/profile-$PAGE_COUNT
    PROFILES+=("$PROFILE")
    rm -f "$OUT"
    local url="http://127.0.0.1:$PORT/$(page_file "$target")?mode=$mode&baris=$4&kolom=$5&tunda=${6:-0}${7:+&$7}&lapor=/lapor"
    # A browser start on a loaded machine now and then shows no page window: one more try.
    BROWSER_WINDOW=$("$BROWSER_TOOLS/browser.sh" start "$browser" "$url" "$PROFILE") || {
        echo "$browser did not start, starting it once more: $(tail -n 5 "$PROFILE/browser.log")"
        BROWSER_WINDOW=$("$BROWSER_TOOLS/browser.sh" start "$browser" "$url" "$PROFILE")
    } || { echo "$browser did not start: $(tail -n 5 "$PROFILE/browser.log")"; exit 1; }
    poll 30 test -s "$OUT" || { echo "the page posted nothing"; exit 1; }

    local keys=$WORK/keys-$PAGE_COUNT ports=$WORK/reader-port-$PAGE_COUNT
    "$PYTHON" "$BROWSER_TOOLS/reader.py" --group "$(cat "$PROFILE/pid")" --port-file "$ports" 2>>"$WORK/reader.log" &
    READER_PID=$!
    STARTED_PIDS+=("$READER_PID")
    poll 20 test -s "$ports" || { echo "the field reader did not start: $(tail -n 3 "$WORK/reader.log")"; exit 1; }
    mkfifo "$keys"
    "$PYTHON" "$BROWSER_TOOLS/replay.py" --window "$BROWSER_WINDOW" <"$keys" 2>>"$WORK/replay.log" &
    REPLAY_PID=$!
    local reads=(--reads "$(cat "$ports")")
    [ -z "${BLIND:-}" ] || reads=()  # BLIND=1: the relay answers no reads, Tamvera types blind
    # The relayed keys are kept as well, to count what a run typed (key_downs).
    RELAYED=$WORK/relayed-$PAGE_COUNT
    "$WINE" "$RELAY_EXE" "$(page_title "$target")" "${reads[@]}" > >(tee "$RELAYED" >"$keys") 2>>"$WORK/relay.log" &
    RELAY_PID=$!
    STARTED_PIDS+=("$REPLAY_PID" "$RELAY_PID")
    poll 60 program_shown "${RELAY_EXE##*/}" "$(page_title "$target")" || { echo "the relay window did not open"; exit 1; }
}
# The key-downs the relay has passed on to the page open now.
key_downs() { grep -c '^D ' "$RELAYED" || true; }
# Ends the relay (the replayer ends with its input) and the browser with its profile (in
# the background: it takes seconds and the next page needs none of it).
close_page() {
    end_programs "${RELAY_EXE##*/}"
    kill "$READER_PID" >/dev/null 2>&1 || true
    wait "$RELAY_PID" "$REPLAY_PID" "$READER_PID" >/dev/null 2>&1 || true
    { "$BROWSER_TOOLS/browser.sh" stop "$PROFILE" && rm -rf "$PROFILE"; } >/dev/null 2>&1 &
    STOPPING+=($!)
}

# run_list SPEED: the speed chosen, "Mulai", ENTER (the list already in the grade box);
# returns when the run has ended with its two beeps, RUN_SECONDS after the ENTER.
run_list() {
    choose "$1"
    local before started
    before=$(beeps)
    start_run || return 1
    started=$(date +%s.%N)
    poll 300 beeps_are $((before + 2)) || { fail "the run did not end (beeps: $(beeps), before $before)"; return 1; }
    RUN_SECONDS=$(awk -v a="$started" -v b="$(date +%s.%N)" 'BEGIN { printf "%.1f", b - a }')
    close_closing_message
}
# The relay answers Tamvera's reads with the browser's own field, so a run that lands
# every value ends without a closing message; CLOSING is what its box said (empty: no
# box). A box is a failure unless the case expects one (CLOSING_EXPECTED=1).
close_closing_message() {
    CLOSING=
    poll 3 dialog_open || return 0
    CLOSING=$(probe dialog | tail -n +2 | tr '\n' ' ')
    if [ -z "${CLOSING_EXPECTED:-}" ]; then
        fail "closing message: $CLOSING"
        echo "the relay's reads (last 5 of $(grep -c . "$WORK/relay.log" 2>/dev/null || echo 0)):"
        tail -n 5 "$WORK/relay.log" 2>/dev/null || true
    fi
    close_message
}
# pauses_of MODE LIST STEP: the run's own pauses in seconds at that speed's step (0.1 s
# Cepat, 0.2 Sedang, 0.3 Lambat), the 2 s start wait included: per value four steps and
# the closing 1.5 steps in Pilihan (1.5 steps for an empty cell), one step per cell in
# Isian, one per row.
pauses_of() {
    awk -F'\t' -v mode="$1" -v s="$3" '{ rows++; for (i = 1; i <= NF; i++) { cells++; if ($i != "") values++ } }
        END { print 2 + (mode == "pilihan" ? values * 4 + cells * 1.5 + rows : cells + rows) * s }' "$2"
}

# landed_counts EXPECTED: "N M": of the M values in the out-file EXPECTED, N are in
# their field in OUT.
landed_counts() {
    awk -F'\t' 'NR == FNR { for (i = 1; i <= NF; i++) want[FNR, i] = $i; next }
        { for (i = 1; i <= NF; i++) got[FNR, i] = $i }
        END { for (k in want) if (want[k] != "") { m++; if (got[k] == want[k]) n++ } print n + 0, m + 0 }' "$1" "$OUT"
}
# The first mismatching fields of OUT against EXPECTED, one a line.
first_mismatches() {
    awk -F'\t' 'NR == FNR { rows = FNR; for (i = 1; i <= NF; i++) want[FNR, i] = $i; if (NF > cols) cols = NF; next }
        { for (i = 1; i <= NF; i++) got[FNR, i] = $i }
        END { for (r = 1; r <= rows; r++) for (c = 1; c <= cols; c++)
                if (got[r, c] != want[r, c] && shown++ < 5) printf "  row %d field %d: expected \"%s\", got \"%s\"\n", r, c, want[r, c], got[r, c] }' "$1" "$OUT"
}
# page_holds LIST: succeeds when the page's fields hold exactly LIST; LANDED is "N / M
# values" (see landed_counts).
page_holds() {
    expected_out_of "$1" >"$WORK/expected.txt"
    poll "${2:-10}" out_is "$WORK/expected.txt" || true  # the last report may still be on its way
    local counts
    counts=$(landed_counts "$WORK/expected.txt")
    LANDED="${counts% *} / expected ${counts#* } values"
    out_is "$WORK/expected.txt"
}
# expect_page WHAT LIST: the page's fields hold exactly LIST, field by field.
expect_page() {
    if page_holds "$2"; then
        pass "$1: every field as pasted, landed $LANDED"
    else
        fail "$1: landed $LANDED; first differences:"
        first_mismatches "$WORK/expected.txt"
        [ ! -s "$WORK/replay.log" ] || { echo "the replayer said:"; tail -n 5 "$WORK/replay.log"; }
        # The page's key log (every key with the field it reached) is kept for a look.
        cp "$KEYLOG" "$BUILD/browser-keys-$BROWSER-$PAGE_COUNT.txt" 2>/dev/null &&
            echo "the page's key log: $BUILD/browser-keys-$BROWSER-$PAGE_COUNT.txt"
    fi
}
