#!/usr/bin/env bash
# Figures, reported and never asserted: on a slow page (the page stays busy for DELAY ms
# after each stored value and loses the keys typed meanwhile), which of Tamvera's speeds
# still lands every value, for delays of 0, 150, 300 and 600 ms and each kind of form.
# A small list is enough. For each delay the speeds are tried from the fastest that the
# smaller delay still allowed (a longer delay never needs less), slower until one lands;
# when none lands, none lands at the longer delays either. Without a delay every form
# lands at "Cepat": the browser suite's runs show it.
#
#   browser-figures.sh BUILD chromium|firefox   (run through scripts/wine-env.sh exec)
source "$(dirname "$0")/lib.sh"
BROWSER=${2:?chromium or firefox}
# Blind: the relay answers no reads, so Tamvera types as it did before verified entry
# (the closing message then says it could not check).
BLIND=1
CLOSING_EXPECTED=1
SPEEDS=(cepat sedang lambat)
DELAYS=(150 300 600)

printf '85\t1\t99' >"$WORK/pilihan.txt"
printf '85\tB+\t(A)' >"$WORK/isian.txt"

start_server
start_tamvera_recorded

# slow_try TARGET MODE DELAY SPEED: one run of the mode's list into a fresh page with that
# delay; succeeds when every value landed.
slow_try() {
    open_page "$BROWSER" "$1" "$2" 1 3 "$3"
    local landed=1
    run_list "$4" && page_holds "$WORK/$2.txt" 1 || landed=0
    log "figure: $BROWSER $1 $2, delay $3 ms, $4: landed $LANDED"
    close_page
    [ "$landed" -eq 1 ]
}

TABLE=$WORK/table.txt
for form in "rapor pilihan" "rapor isian" "dapodik isian"; do
    read -r target mode <<<"$form"
    choose "$target" "$mode"
    paste_list "$WORK/$mode.txt"
    first=0
    row="$target $mode"
    for delay in "${DELAYS[@]}"; do
        answer=-
        for ((s = first; s < ${#SPEEDS[@]}; s++)); do
            if slow_try "$target" "$mode" "$delay" "${SPEEDS[s]}"; then
                answer=${SPEEDS[s]}
                break
            fi
        done
        first=$s
        row="$row|$answer"
    done
    echo "$row" >>"$TABLE"
done

log "figure: $BROWSER, the fastest speed that lands every value on a slow page (- : none)"
printf '%-16s' "form \\ delay" "${DELAYS[@]/%/ ms}"
echo
while IFS='|' read -r -a cells; do printf '%-16s' "${cells[@]}"; echo; done <"$TABLE"
finish
