#!/usr/bin/python3
"""Development tool: the key lines Tamvera.exe would send through the relay for a grade
list, with its pauses, so the web practice pages can be tried without Wine.

    tamvera-keys.py --target rapor|erapor|dapodik --mode isian|pilihan
                    --speed cepat|sedang|lambat [--wait S] LIST_FILE | replay.py --window WID

LIST_FILE holds the grade list (rows on lines, values separated by TAB). The keys and
pauses follow Tamvera's typing loop: the entry key, then per cell the value's keys or the
choice sequence, each pause 0.1 s (0.15 s before the choice's closing TAB) times the
speed factor. Characters are the key records of a US layout on the test display, where
"(", ")" and characters outside ASCII have no key and go as Unicode records ("P").
Not a test: the end-to-end browser suite drives the real Tamvera.exe.
"""
import argparse
import sys
import time

SHORT, CLOSING = 0.1, 0.15
FACTOR = {"cepat": 1, "sedang": 2, "lambat": 3}
# Choice entry: the repeated key and its count that pick a value in a list 100..1.
CHOICE_COUNTS = {"1": ("1", 12), **{str(d): (str(d), 11) for d in range(2, 10)}, "10": ("1", 11),
                 "11": ("1", 10), **{str(d) * 2: (str(d), 10 - d) for d in range(2, 10)}}
SHIFTED = {'!': '1', '@': '2', '#': '3', '$': '4', '%': '5', '^': '6', '&': '7', '*': '8',
           ':': 0xBA, '+': 0xBB, '_': 0xBD, '>': 0xBE, '?': 0xBF, '~': 0xC0, '{': 0xDB, '|': 0xDC,
           '}': 0xDD, '"': 0xDE}
PLAIN = {';': 0xBA, '=': 0xBB, ',': 0xBC, '-': 0xBD, '.': 0xBE, '/': 0xBF, '`': 0xC0, '[': 0xDB,
         '\\': 0xDC, ']': 0xDD, "'": 0xDE, ' ': 0x20, '<': 0xE2}


def emit(*lines):
    sys.stdout.write("".join(line + "\n" for line in lines))
    sys.stdout.flush()


def press(vk, ext=0):
    emit(f"D {vk:02x} {ext}", f"U {vk:02x} 0")


def char_keys(ch):
    """The relay's lines for one character typed literally."""
    if "a" <= ch <= "z" or "0" <= ch <= "9":
        press(ord(ch.upper()))
    elif "A" <= ch <= "Z":
        emit("D 10 0"); press(ord(ch)); emit("U 10 0")
    elif ch in PLAIN:
        press(PLAIN[ch])
    elif ch in SHIFTED:
        vk = SHIFTED[ch]
        emit("D 10 0"); press(ord(vk) if isinstance(vk, str) else vk); emit("U 10 0")
    else:  # no key for it: a Unicode record
        data = ch.encode("utf-16-le")
        for i in range(0, len(data), 2):
            emit(f"P {int.from_bytes(data[i:i + 2], 'little'):x}")


class Loop:
    def __init__(self, target, mode, speed):
        self.dapodik = target == "dapodik"
        self.choice = mode == "pilihan"
        self.factor = FACTOR[speed]

    def pause(self, seconds):
        time.sleep(seconds * self.factor)

    def run(self, rows):
        press(0x27, 1) if self.dapodik else press(0x09)
        for row in rows:
            for cell in row.split("\t") if row else []:
                self.choice_cell(cell) if self.choice else self.fill_in_cell(cell)
            self.pause(SHORT)
            if self.dapodik:
                press(0x27, 1); press(0x27, 1)

    def choice_cell(self, cell):
        if cell:
            press(0x0D); self.pause(SHORT)
            press(0x09); self.pause(SHORT)
            press(0x0D); self.pause(SHORT)
            key, times = CHOICE_COUNTS.get(cell, (cell, 1))
            for _ in range(times):
                for ch in key:
                    char_keys(ch)
            self.pause(SHORT)
            press(0x0D)
        self.pause(CLOSING)
        press(0x09)

    def fill_in_cell(self, cell):
        if cell and self.dapodik:
            press(0x27, 1); press(0x0D)
            for ch in cell:
                char_keys(ch)
            press(0x0D)
        elif cell:
            for ch in cell:
                char_keys(ch)
        elif self.dapodik:
            press(0x27, 1)  # an empty cell still moves one cell over
        self.pause(SHORT)
        if not self.dapodik:
            press(0x09)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--target", choices=["rapor", "erapor", "dapodik"], required=True)
    parser.add_argument("--mode", choices=["isian", "pilihan"], default="isian")
    parser.add_argument("--speed", choices=list(FACTOR), default="cepat")
    parser.add_argument("--wait", type=float, default=0.5, help="seconds before the first key")
    parser.add_argument("list_file")
    args = parser.parse_args()
    with open(args.list_file, encoding="utf-8", newline="") as f:
        rows = f.read().replace("\r\n", "\n").split("\n")
    if rows and rows[-1] == "":
        rows.pop()  # the list's final line break; the hand-off file adds its own
    time.sleep(args.wait)
    Loop(args.target, args.mode, args.speed).run(rows)
    return 0


if __name__ == "__main__":
    sys.exit(main())
