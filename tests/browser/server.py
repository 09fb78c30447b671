#!/usr/bin/python3
"""The browser tests' local web server: serves the web practice pages and takes their
state reports.

    server.py --port 0 --root practice/web --out OUTFILE --keys KEYLOG [--port-file F] [--verbose]

Binds 127.0.0.1 only (port 0: any free port, printed as "port N" on the first line of
stdout and written to --port-file). GET serves the files under --root. POST /lapor takes
the page's state as JSON and rewrites OUTFILE in the practice window's out-file format
(UTF-8, one line per grade row ending in LF, the row's grades separated by TAB) and
KEYLOG with one line per key the page saw; each through a .tmp file and a rename, so a
reader always sees a whole file. A report older than one already written is dropped.
Standard library only.
"""
import argparse
import http.server
import json
import os
import sys
import threading


def write_whole(path, text):
    temporary = path + ".tmp"
    with open(temporary, "w", encoding="utf-8", newline="\n") as f:
        f.write(text)
    os.replace(temporary, path)


def out_file_text(state):
    """The grades as the practice window writes them; refuses a state of the wrong shape."""
    grades = state["nilai"]
    rows, cols = state["baris"], state["kolom"]
    if not isinstance(grades, list) or len(grades) != rows:
        raise ValueError(f"nilai has {len(grades)} rows, baris is {rows}")
    lines = []
    for number, row in enumerate(grades, 1):
        if not isinstance(row, list) or len(row) != cols or not all(isinstance(v, str) for v in row):
            raise ValueError(f"row {number} is not {cols} texts")
        lines.append("\t".join(row) + "\n")
    return "".join(lines)


def key_log_text(state):
    """One readable line per keydown: position, key, code, where the focus was, the
    key's time in ms since the page loaded, and "hilang" for a key the busy page dropped."""
    lines = []
    for number, key in enumerate(state.get("tombol", []), 1):
        fields = [number, key.get("key"), key.get("code"), key.get("di"), key.get("waktu", "")]
        if key.get("hilang"):
            fields.append("hilang")
        lines.append("\t".join(map(str, fields)) + "\n")
    return "".join(lines)


class Reports:
    """Writes out the newest report of the latest page load ("muat" names the load,
    "urutan" counts its reports)."""

    def __init__(self, out_path, keys_path):
        self.out_path = out_path
        self.keys_path = keys_path
        self.lock = threading.Lock()
        self.load = None
        self.newest = 0

    def take(self, state):
        number = state.get("urutan", 0)
        if not isinstance(number, int):
            raise ValueError("urutan is not a number")
        with self.lock:
            if state.get("muat") == self.load and number <= self.newest:
                return
            self.load = state.get("muat")
            self.newest = number
            write_whole(self.out_path, out_file_text(state))
            if self.keys_path:
                write_whole(self.keys_path, key_log_text(state))


class Handler(http.server.SimpleHTTPRequestHandler):
    reports = None
    verbose = False

    def do_POST(self):
        if self.path.split("?")[0] != "/lapor":
            self.send_error(404, "only /lapor takes reports")
            return
        try:
            length = int(self.headers.get("Content-Length", "0"))
            state = json.loads(self.rfile.read(length).decode("utf-8"))
            self.reports.take(state)
        except (ValueError, KeyError, TypeError) as e:
            self.send_error(400, f"bad report: {e}")
            return
        self.send_response(204)
        self.send_header("Access-Control-Allow-Origin", "*")
        self.end_headers()

    def end_headers(self):
        # Every test starts from a fresh browser profile; never serve a stale page anyway.
        self.send_header("Cache-Control", "no-store")
        super().end_headers()

    def log_message(self, format, *args):
        if self.verbose:
            super().log_message(format, *args)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--port", type=int, default=0)
    parser.add_argument("--root", required=True)
    parser.add_argument("--out", required=True)
    parser.add_argument("--keys")
    parser.add_argument("--port-file")
    parser.add_argument("--verbose", action="store_true", help="log every request on stderr")
    args = parser.parse_args()

    Handler.reports = Reports(os.path.abspath(args.out), args.keys and os.path.abspath(args.keys))
    Handler.verbose = args.verbose
    root = os.path.abspath(args.root)

    def handler(*a, **kw):
        return Handler(*a, directory=root, **kw)

    server = http.server.ThreadingHTTPServer(("127.0.0.1", args.port), handler)
    port = server.server_address[1]
    if args.port_file:
        write_whole(args.port_file, f"{port}\n")
    print(f"port {port}", flush=True)
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        pass
    finally:
        server.server_close()


if __name__ == "__main__":
    sys.exit(main())
