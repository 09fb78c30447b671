#!/usr/bin/python3
"""Development tool: types a grade list into a web practice page in a real browser, the
way Tamvera would (tamvera-keys.py piped into replay.py), and compares what landed.

    try-page.py --browser chromium|firefox --target rapor|erapor|dapodik
                [--mode isian|pilihan] [--speed cepat|sedang|lambat] [--tunda MS]
                [--cols N] [--work DIR] LIST_FILE

Runs on the current DISPLAY with a server, a browser profile and files of its own under
--work; ends what it started. Prints "landed N of M values" and the first mismatches;
exit code 0 when every field holds exactly its value.
"""
import argparse
import os
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
PY = "/usr/bin/python3"
PAGES = {"rapor": "rapor-online.html", "erapor": "e-rapor.html", "dapodik": "dapodik.html"}


def read_grid(path):
    with open(path, encoding="utf-8", newline="") as f:
        return [line.split("\t") for line in f.read().split("\n")[:-1]]


def wait_for(predicate, seconds):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        if predicate():
            return True
        time.sleep(0.1)
    return False


def compare(expected, landed):
    total = sum(1 for row in expected for v in row if v)
    ok, mismatches = 0, []
    for r, row in enumerate(expected):
        for c, want in enumerate(row):
            got = landed[r][c] if r < len(landed) and c < len(landed[r]) else None
            if got == want:
                ok += 1 if want else 0
            else:
                mismatches.append(f"row {r + 1} col {c + 1}: want {want!r}, got {got!r}")
    return ok, total, mismatches


def main():
    p = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    p.add_argument("--browser", choices=["chromium", "firefox"], required=True)
    p.add_argument("--target", choices=list(PAGES), required=True)
    p.add_argument("--mode", choices=["isian", "pilihan"], default="isian")
    p.add_argument("--speed", default="cepat")
    p.add_argument("--tunda", type=int, default=0)
    p.add_argument("--work", default="/tmp/try-page")
    p.add_argument("list_file")
    a = p.parse_args()

    with open(a.list_file, encoding="utf-8") as f:
        expected = [line.split("\t") for line in f.read().rstrip("\n").split("\n")]
    rows, cols = len(expected), max(len(r) for r in expected)
    expected = [r + [""] * (cols - len(r)) for r in expected]
    os.makedirs(a.work, exist_ok=True)
    out, keys, port_file = (os.path.join(a.work, n) for n in ("out.txt", "keys.txt", "port"))
    for path in (out, port_file):
        if os.path.exists(path):
            os.remove(path)
    profile = os.path.join(a.work, "profile")

    server = subprocess.Popen([PY, os.path.join(HERE, "server.py"), "--port", "0", "--root",
                               os.path.join(ROOT, "practice", "web"), "--out", out, "--keys", keys,
                               "--port-file", port_file], stdout=subprocess.DEVNULL)
    try:
        if not wait_for(lambda: os.path.exists(port_file), 10):
            sys.exit("server did not start")
        port = open(port_file).read().strip()
        query = f"baris={rows}&kolom={cols}&tunda={a.tunda}&lapor=/lapor"
        if a.target == "rapor":
            query += f"&mode={a.mode}"
        url = f"http://127.0.0.1:{port}/{PAGES[a.target]}?{query}"
        window = subprocess.run([os.path.join(HERE, "browser.sh"), "start", a.browser, url, profile],
                                check=True, capture_output=True, text=True).stdout.strip()
        try:
            wait_for(lambda: os.path.exists(out), 10)
            time.sleep(1)
            started = time.monotonic()
            keys_proc = subprocess.Popen([PY, os.path.join(HERE, "tamvera-keys.py"), "--target", a.target,
                                          "--mode", a.mode, "--speed", a.speed, "--wait", "0", a.list_file],
                                         stdout=subprocess.PIPE)
            subprocess.run([PY, os.path.join(HERE, "replay.py"), "--window", window], stdin=keys_proc.stdout,
                           check=True)
            keys_proc.wait()
            duration = time.monotonic() - started
            time.sleep(1.5)
        finally:
            subprocess.run([os.path.join(HERE, "browser.sh"), "stop", profile])
    finally:
        server.terminate()
        server.wait()

    ok, total, mismatches = compare(expected, read_grid(out))
    lost = sum(1 for line in open(keys, encoding="utf-8") if line.rstrip("\n").endswith("\thilang"))
    print(f"{a.browser} {a.target} {a.mode} {a.speed} tunda={a.tunda}: landed {ok} of {total} values, "
          f"{len(mismatches)} fields wrong, {lost} keys lost, keys took {duration:.1f} s")
    for line in mismatches[:5]:
        print("  " + line)
    return 0 if not mismatches else 1


if __name__ == "__main__":
    sys.exit(main())
