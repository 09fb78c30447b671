#!/usr/bin/python3
"""Checks of the browser tests' own equipment that need no browser: the server's
out-file and key log, its handling of stale and bad reports, and the replayer's key
tables.   /usr/bin/python3 tests/browser/test_equipment.py"""
import importlib.util
import json
import os
import subprocess
import sys
import tempfile
import unittest
import urllib.error
import urllib.request

HERE = os.path.dirname(os.path.abspath(__file__))


def load(name):
    found = importlib.util.spec_from_file_location(name, os.path.join(HERE, f"{name}.py"))
    module = importlib.util.module_from_spec(found)
    found.loader.exec_module(module)
    return module


def state(nilai, muat="a", urutan=1, tombol=()):
    return {"halaman": "rapor-online", "mode": "isian", "baris": len(nilai), "kolom": len(nilai[0]),
            "muat": muat, "urutan": urutan, "nilai": nilai, "tombol": list(tombol)}


class ServerTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.dir = tempfile.TemporaryDirectory()
        with open(os.path.join(cls.dir.name, "halaman.html"), "w") as f:
            f.write("<title>x</title>")
        cls.out = os.path.join(cls.dir.name, "hasil.txt")
        cls.keys = os.path.join(cls.dir.name, "tombol.txt")
        cls.server = subprocess.Popen(
            [sys.executable, os.path.join(HERE, "server.py"), "--port", "0", "--root", cls.dir.name,
             "--out", cls.out, "--keys", cls.keys], stdout=subprocess.PIPE, text=True)
        cls.base = f"http://127.0.0.1:{cls.server.stdout.readline().split()[1]}"

    @classmethod
    def tearDownClass(cls):
        cls.server.terminate()
        cls.server.wait()
        cls.server.stdout.close()
        cls.dir.cleanup()

    def post(self, body):
        data = body if isinstance(body, bytes) else json.dumps(body).encode()
        request = urllib.request.Request(f"{self.base}/lapor", data=data, headers={"Content-Type": "text/plain"})
        try:
            return urllib.request.urlopen(request).status
        except urllib.error.HTTPError as e:
            return e.code

    def out_bytes(self):
        with open(self.out, "rb") as f:
            return f.read()

    def test_report_becomes_the_practice_window_out_file_and_a_key_log(self):
        keys = [{"key": "Tab", "code": "Tab", "di": "awal", "waktu": 812},
                {"key": "é", "code": "", "di": "r1k1", "waktu": 915, "hilang": True}]
        self.assertEqual(self.post(state([["B+", "", " 85"], ["é", "(A)", ""]], muat="m1", tombol=keys)), 204)
        self.assertEqual(self.out_bytes(), "B+\t\t 85\né\t(A)\t\n".encode())
        with open(self.keys, encoding="utf-8") as f:
            self.assertEqual(f.read(), "1\tTab\tTab\tawal\t812\n2\té\t\tr1k1\t915\thilang\n")

    def test_stale_reports_of_a_load_are_dropped_and_a_new_load_is_taken(self):
        self.post(state([["1"]], muat="m2", urutan=5))
        self.post(state([["stale"]], muat="m2", urutan=4))
        self.assertEqual(self.out_bytes(), b"1\n")
        self.post(state([["new"]], muat="m3", urutan=1))
        self.assertEqual(self.out_bytes(), b"new\n")

    def test_a_bad_report_is_refused_and_leaves_the_out_file(self):
        self.post(state([["keep"]], muat="m4"))
        short = state([["a", "b"]], muat="m4", urutan=2)
        short["kolom"] = 3
        self.assertEqual(self.post(short), 400)
        self.assertEqual(self.post(b"{not json"), 400)
        self.assertEqual(self.out_bytes(), b"keep\n")

    def test_serves_the_pages(self):
        with urllib.request.urlopen(f"{self.base}/halaman.html") as answer:
            self.assertEqual(answer.read(), b"<title>x</title>")


class ReplayTablesTest(unittest.TestCase):
    replay = load("replay")

    def test_virtual_keys_map_to_the_unshifted_keysym_of_a_us_layout(self):
        from Xlib import XK
        expected = {0x38: "8", 0x42: "b", 0xBB: "equal", 0xDE: "apostrophe", 0x09: "Tab", 0x0D: "Return",
                    0x27: "Right", 0x10: "Shift_L", 0x70: "F1", 0x7B: "F12", 0x60: "KP_0"}
        for vk, name in expected.items():
            self.assertEqual(self.replay.keysym_of_vk(vk), XK.string_to_keysym(name), hex(vk))
        self.assertEqual(self.replay.keysym_of_vk(0xE7), 0)  # VK_PACKET itself has no key

    def test_characters_map_to_their_keysyms(self):
        self.assertEqual(self.replay.keysym_of_char(0x28), 0x28)  # parenleft
        self.assertEqual(self.replay.keysym_of_char(0xE9), 0xE9)  # eacute
        self.assertEqual(self.replay.keysym_of_char(0x20AC), 0x010020AC)  # the euro sign as a Unicode keysym


if __name__ == "__main__":
    unittest.main()
