#!/usr/bin/python3
"""Replays Windows key messages into the X focus with XTest.

    replay.py [--window WID] < key lines

Reads the relay's key lines on stdin and replays each at once, with an XSync after it:
  D <vk> <ext>   a key goes down (Windows virtual key in hex, extended flag 0/1)
  U <vk> <ext>   the key comes up
  P <code>       a Unicode character (UTF-16 code unit in hex): pressed and released
  # ...          a comment, ignored
The Shift the stream holds stays held, so a letter pressed under "D 10" comes out
upper-case. A character with no key in the X keymap is bound to a spare keycode until the
stream ends; the browser reads a changed keymap a moment after the change, so the first
key of a new binding waits for it.
Unknown lines get a "#" diagnostic on stderr and are skipped. Ends when stdin closes.
"""
import argparse
import os
import sys
import time

from Xlib import X, XK, display
from Xlib.ext import xtest

# Windows virtual key -> X keysym name of the key's unshifted level (US layout).
NAMED_KEYS = {
    0x08: "BackSpace", 0x09: "Tab", 0x0D: "Return", 0x10: "Shift_L", 0x11: "Control_L",
    0x12: "Alt_L", 0x13: "Pause", 0x14: "Caps_Lock", 0x1B: "Escape", 0x20: "space",
    0x21: "Prior", 0x22: "Next", 0x23: "End", 0x24: "Home", 0x25: "Left", 0x26: "Up",
    0x27: "Right", 0x28: "Down", 0x2C: "Print", 0x2D: "Insert", 0x2E: "Delete",
    0x6A: "KP_Multiply", 0x6B: "KP_Add", 0x6D: "KP_Subtract", 0x6E: "KP_Decimal",
    0x6F: "KP_Divide", 0x90: "Num_Lock", 0x91: "Scroll_Lock",
    0xA0: "Shift_L", 0xA1: "Shift_R", 0xA2: "Control_L", 0xA3: "Control_R",
    0xA4: "Alt_L", 0xA5: "Alt_R",
    0xBA: "semicolon", 0xBB: "equal", 0xBC: "comma", 0xBD: "minus", 0xBE: "period",
    0xBF: "slash", 0xC0: "grave", 0xDB: "bracketleft", 0xDC: "backslash",
    0xDD: "bracketright", 0xDE: "apostrophe", 0xE2: "less",
}
SHIFT_KEYS = {0x10, 0xA0, 0xA1}
# Chromium reads the new keymap some time after a change and drops a key of the new
# keycode pressed before that (measured: now and then with no wait).
BIND_SETTLE = 0.2
UNBIND_AT_END = 1.0  # the browser has long read the last keys by then


def keysym_of_vk(vk):
    if 0x30 <= vk <= 0x39 or 0x41 <= vk <= 0x5A:
        return XK.string_to_keysym(chr(vk).lower())
    if 0x60 <= vk <= 0x69:
        return XK.string_to_keysym(f"KP_{vk - 0x60}")
    if 0x70 <= vk <= 0x7B:
        return XK.string_to_keysym(f"F{vk - 0x6F}")
    name = NAMED_KEYS.get(vk)
    return XK.string_to_keysym(name) if name else X.NoSymbol


def keysym_of_char(code):
    if 0x20 <= code <= 0x7E or 0xA0 <= code <= 0xFF:
        return code  # Latin-1 keysyms are the code points
    return {0x08: XK.XK_BackSpace, 0x09: XK.XK_Tab, 0x0D: XK.XK_Return, 0x1B: XK.XK_Escape}.get(code, 0x01000000 | code)


class Keyboard:
    """The X keymap, XTest presses, and temporary bindings of spare keycodes."""

    def __init__(self, dpy):
        self.dpy = dpy
        self.first = dpy.display.info.min_keycode
        count = dpy.display.info.max_keycode - self.first + 1
        self.map = [list(syms) for syms in dpy.get_keyboard_mapping(self.first, count)]
        self.width = len(self.map[0])
        self.spares = [self.first + i for i, syms in enumerate(self.map) if not any(syms)]
        self.bound = {}  # keysym -> (keycode, time of last use)
        self.shift_held = False
        self.held = set()  # keycodes the stream holds down
        self.shift_code = self.find(XK.XK_Shift_L, 0)

    def find(self, keysym, level):
        """A keycode holding keysym at the given level (0 plain, 1 shifted), or None."""
        for i, syms in enumerate(self.map):
            if len(syms) > level and syms[level] == keysym:
                return self.first + i
        return None

    def fake(self, event, keycode):
        xtest.fake_input(self.dpy, event, keycode)

    def key(self, down, vk):
        keysym = keysym_of_vk(vk)
        keycode = self.find(keysym, 0) if keysym != X.NoSymbol else None
        if keycode is None:
            return False
        self.fake(X.KeyPress if down else X.KeyRelease, keycode)
        (self.held.add if down else self.held.discard)(keycode)
        if vk in SHIFT_KEYS:
            self.shift_held = down
        return True

    def character(self, code):
        keysym = keysym_of_char(code)
        plain, shifted = self.find(keysym, 0), self.find(keysym, 1)
        if plain is not None and not self.shift_held:
            self.tap(plain)
        elif shifted is not None:
            self.tap(shifted, shift=not self.shift_held)
        elif plain is not None:  # under a held Shift: let go of it for this key
            self.fake(X.KeyRelease, self.shift_code)
            self.tap(plain)
            self.fake(X.KeyPress, self.shift_code)
        else:
            self.tap(self.bind(keysym))

    def tap(self, keycode, shift=False):
        if shift:
            self.fake(X.KeyPress, self.shift_code)
        self.fake(X.KeyPress, keycode)
        self.fake(X.KeyRelease, keycode)
        if shift:
            self.fake(X.KeyRelease, self.shift_code)

    def bind(self, keysym):
        """A spare keycode carrying keysym on both levels (so Shift cannot change it)."""
        if keysym in self.bound:
            keycode = self.bound[keysym][0]
        else:
            if not self.spares:  # all in use: take back the longest unused one
                oldest = min(self.bound, key=lambda k: self.bound[k][1])
                self.unbind(oldest)
            keycode = self.spares.pop(0)
            self.set_keysyms(keycode, [keysym, keysym])
            time.sleep(BIND_SETTLE)
        self.bound[keysym] = (keycode, time.monotonic())
        return keycode

    def unbind(self, keysym):
        keycode = self.bound.pop(keysym)[0]
        self.set_keysyms(keycode, [])
        self.spares.append(keycode)

    def unbind_all(self):
        for keysym in list(self.bound):
            self.unbind(keysym)

    def set_keysyms(self, keycode, keysyms):
        row = (keysyms + [X.NoSymbol] * self.width)[: self.width]
        self.dpy.change_keyboard_mapping(keycode, [row])
        self.map[keycode - self.first] = row
        self.dpy.sync()


def replay_line(keyboard, line):
    """Replays one protocol line; returns a diagnostic for a line it cannot replay."""
    fields = line.split()
    try:
        if fields[0] in ("D", "U") and len(fields) == 3:
            vk = int(fields[1], 16)
            if not keyboard.key(fields[0] == "D", vk):
                return f"no X key for virtual key {vk:#04x}"
        elif fields[0] == "P" and len(fields) == 2:
            keyboard.character(int(fields[1], 16))
        else:
            return "not a key line"
    except ValueError:
        return "bad number"
    keyboard.dpy.sync()
    return None


def focus_window(dpy, window_id):
    focus = dpy.get_input_focus().focus
    if getattr(focus, "id", focus) != window_id:
        dpy.create_resource_object("window", window_id).set_input_focus(X.RevertToParent, X.CurrentTime)
        dpy.sync()


def lines_of(fd):
    """stdin's lines as they come (each replayed at once, never waiting for a buffer)."""
    pending = b""
    while True:
        chunk = os.read(fd, 65536)
        if not chunk:
            break
        pending += chunk
        *complete, pending = pending.split(b"\n")
        for raw in complete:
            yield raw.decode("ascii", "replace").strip()
    if pending.strip():
        yield pending.decode("ascii", "replace").strip()


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--window", type=lambda s: int(s, 0),
                        help="X window to give the input focus before every key, if it is elsewhere")
    args = parser.parse_args()
    dpy = display.Display()
    if not dpy.has_extension("XTEST"):
        print("# replay: the X server has no XTEST extension", file=sys.stderr)
        return 1
    keyboard = Keyboard(dpy)
    for number, line in enumerate(lines_of(sys.stdin.fileno()), 1):
        if not line or line.startswith("#"):
            continue
        # Clicks on other windows (Tamvera's, while the test drives it) move the X focus
        # between keys; every key goes to the browser all the same.
        if args.window:
            focus_window(dpy, args.window)
        problem = replay_line(keyboard, line)
        if problem:
            print(f"# replay: line {number} {line!r}: {problem}", file=sys.stderr, flush=True)
    if keyboard.bound:  # let the browser read the last bound characters first
        time.sleep(UNBIND_AT_END)
        keyboard.unbind_all()
    for keycode in keyboard.held:  # a stream cut off under Shift must not leave it down
        keyboard.fake(X.KeyRelease, keycode)
    dpy.sync()
    return 0


if __name__ == "__main__":
    sys.exit(main())
