#!/usr/bin/env bash
# Starts and stops a browser for the browser tests, on the current DISPLAY.
#
#   browser.sh start chromium|firefox URL PROFILE_DIR   prints the page's X window id
#   browser.sh stop PROFILE_DIR
#
# Every start gets the fresh profile PROFILE_DIR of its own (emptied first), never the
# user's: no first-run pages, no updates, no telemetry, no background networking. The
# window is placed by BROWSER_GEOMETRY (X,Y,WIDTH,HEIGHT; default 0,0,940,1000). start
# returns once the window carries the page's title ("... - Latihan"), so the page has
# loaded; the browser's pid is in PROFILE_DIR/pid, its output in PROFILE_DIR/browser.log.
set -euo pipefail

usage() { echo "usage: browser.sh start chromium|firefox URL PROFILE_DIR | stop PROFILE_DIR" >&2; exit 2; }

firefox_prefs() {
    cat <<'EOF'
user_pref("browser.shell.checkDefaultBrowser", false);
user_pref("browser.startup.homepage_override.mstone", "ignore");
user_pref("browser.startup.firstrunSkipsHomepage", true);
user_pref("startup.homepage_welcome_url", "");
user_pref("startup.homepage_welcome_url.additional", "");
user_pref("browser.aboutwelcome.enabled", false);
user_pref("trailhead.firstrun.didSeeAboutWelcome", true);
user_pref("datareporting.policy.dataSubmissionEnabled", false);
user_pref("datareporting.policy.firstRunURL", "");
user_pref("datareporting.healthreport.uploadEnabled", false);
user_pref("toolkit.telemetry.enabled", false);
user_pref("toolkit.telemetry.reportingpolicy.firstRun", false);
user_pref("app.update.auto", false);
user_pref("app.update.enabled", false);
user_pref("app.normandy.enabled", false);
user_pref("extensions.update.enabled", false);
user_pref("extensions.getAddons.cache.enabled", false);
user_pref("browser.search.update", false);
user_pref("browser.sessionstore.resume_from_crash", false);
user_pref("browser.sessionstore.max_resumed_crashes", 0);
user_pref("browser.tabs.warnOnClose", false);
user_pref("browser.translations.enable", false);
user_pref("browser.safebrowsing.malware.enabled", false);
user_pref("browser.safebrowsing.phishing.enabled", false);
user_pref("browser.safebrowsing.downloads.enabled", false);
user_pref("network.captive-portal-service.enabled", false);
user_pref("network.connectivity-service.enabled", false);
user_pref("media.gmp-manager.updateEnabled", false);
user_pref("browser.newtabpage.enabled", false);
user_pref("browser.region.network.url", "");
user_pref("ui.key.menuAccessKeyFocuses", false);
EOF
}

session_pids() { ps -o pid= -s "$1" 2>/dev/null | tr -d ' ' || true; }
session_window() {
    local session=$1 window wpid
    for window in $(xdotool search --all --onlyvisible --name ' - Latihan' 2>/dev/null); do
        wpid=$(xdotool getwindowpid "$window" 2>/dev/null) || continue
        [ "$(ps -o sid= -p "$wpid" 2>/dev/null | tr -d ' ')" = "$session" ] && { echo "$window"; return 0; }
    done
    return 0
}
# What a failed start leaves to look at: the session's processes and every named window.
describe_windows() {
    echo "browser.sh: processes of the browser's session:"
    ps -o pid=,stat=,args= -s "$1" 2>/dev/null | cut -c1-160 || true
    echo "browser.sh: named windows (id, pid, mapped, title):"
    local window
    for window in $(xdotool search --all --name . 2>/dev/null | head -n 40); do
        local wpid mapped
        wpid=$(xdotool getwindowpid "$window" 2>/dev/null || echo -)
        mapped=$(xwininfo -id "$window" 2>/dev/null | awk '/Map State/ { print $3 }')
        echo "  $window $wpid $mapped $(xdotool getwindowname "$window" 2>/dev/null)"
    done
}

start() {
    local kind=$1 url=$2 profile=$3
    local geometry=${BROWSER_GEOMETRY:-0,0,940,1000}
    local x y w h
    IFS=, read -r x y w h <<<"$geometry"
    [ -n "${DISPLAY:-}" ] || { echo "browser.sh: DISPLAY is not set" >&2; exit 1; }
    # Emptied only when it is a profile of ours: a wrong path must never cost a folder.
    if [ -d "$profile" ] && [ -n "$(ls -A "$profile")" ] && [ ! -e "$profile/.browser-sh" ]; then
        echo "browser.sh: $profile is not empty and not a profile made by browser.sh" >&2
        exit 1
    fi
    rm -rf "$profile"
    mkdir -p "$profile"
    touch "$profile/.browser-sh"
    local command
    case $kind in
    chromium)
        command=(chromium --no-sandbox --user-data-dir="$profile" --no-first-run --no-default-browser-check
            --disable-background-networking --disable-component-update --disable-sync --disable-quic
            --password-store=basic --disable-features=Translate --test-type --force-renderer-accessibility --window-position="$x,$y" --window-size="$w,$h" --app="$url")
        ;;
    firefox)
        firefox_prefs >"$profile/user.js"
        command=(firefox-esr -new-instance -profile "$profile" -width "$w" -height "$h" "$url")
        ;;
    *) usage ;;
    esac
    setsid "${command[@]}" >"$profile/browser.log" 2>&1 </dev/null &
    local pid=$!
    echo "$pid" >"$profile/pid"
    # The page's window: a visible window with the page's title whose process belongs to
    # the browser's session (setsid made the browser its leader), so a browser that starts
    # its main process anew is found too, and a browser still closing from before is not.
    local window=
    for _ in $(seq 600); do
        window=$(session_window "$pid")
        [ -n "$window" ] && break
        kill -0 "$pid" 2>/dev/null || [ -n "$(session_pids "$pid")" ] ||
            { echo "browser.sh: $kind ended at start (see $profile/browser.log)" >&2; exit 1; }
        sleep 0.1
    done
    if [ -z "$window" ]; then
        echo "browser.sh: no $kind window titled '... - Latihan' within 60 s" >&2
        describe_windows "$pid" >&2
        stop "$profile"
        exit 1
    fi
    # Firefox places its window itself; without a window manager it stays where it is put.
    [ "$kind" = firefox ] && xdotool windowmove "$window" "$x" "$y" 2>/dev/null || true
    echo "$window"
}

stop() {
    local profile=$1 pid
    [ -s "$profile/pid" ] || return 0
    pid=$(cat "$profile/pid")
    # setsid made the browser the leader of its own process group: end it with its helpers.
    kill -TERM -- "-$pid" 2>/dev/null || true
    for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -KILL -- "-$pid" 2>/dev/null || true
    rm -f "$profile/pid"
}

case ${1:-} in
start) [ $# -eq 4 ] || usage; start "$2" "$3" "$4" ;;
stop) [ $# -eq 2 ] || usage; stop "$2" ;;
*) usage ;;
esac
