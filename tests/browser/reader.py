#!/usr/bin/python3
"""Answers "which field has the focus, and what does it hold" from a browser's own
accessibility tree (AT-SPI), for the relay window that Tamvera reads under Wine.

    reader.py --group PGID --port-file FILE

Listens on 127.0.0.1 (a free port, written to FILE once it listens). Each connection
sends one line (anything) and gets one line back, read from the browser at that moment:

    KIND <tab> X <tab> Y <tab> WIDTH <tab> HEIGHT <tab> NAME <tab> VALUE

KIND is "text" (an entry, or a grid cell: its text), "list" (a combo box: VALUE is its
chosen option, see chosen_option), "other" (focus on something else: no
value) or "none" (no focused element found). The focus on an open list (Chromium moves
it to the list's option when ENTER opens a select) is answered in its own role, as a
read on Windows finds it, followed by the elements above it up to the combo box, seven
fields each: "item" (the option: NAME its text), "menu" (the list), then the "list".
X, Y, WIDTH and HEIGHT tell one element
from another (see place_of), NAME is its accessible name; tabs and line breaks in NAME and VALUE
come as spaces. Only the browser's processes count (process group PGID: browser.sh makes
the browser the leader of its own). The focused element is the one the last
object:state-changed:focused event named, while it keeps state FOCUSED; otherwise a walk
from the browser's application finds it.
"""
import argparse
import os
import socket
import sys
import time

import pyatspi
from gi.repository import GLib

WALK_SECONDS = 0.1  # a walk that takes longer answers "none"
EVENT_WAIT = 0.15  # how long a focus event that is due is awaited
START_WALK_SECONDS = 5.0  # the walk before the first question
TEXT_ROLES = {pyatspi.ROLE_ENTRY, pyatspi.ROLE_PASSWORD_TEXT, pyatspi.ROLE_TEXT, pyatspi.ROLE_SPIN_BUTTON}
CELL_ROLES = {pyatspi.ROLE_TABLE_CELL}
OPTION_ROLES = {pyatspi.ROLE_MENU_ITEM, pyatspi.ROLE_LIST_ITEM}
OPEN_LIST_ROLES = {pyatspi.ROLE_MENU, pyatspi.ROLE_LIST, pyatspi.ROLE_LIST_BOX}


def clean(text):
    return (text or "").replace("\t", " ").replace("\r", " ").replace("\n", " ")


class Reader:
    def __init__(self, group):
        self.group = group
        self.focused = None
        self.holder = None  # the focused element's parent when it took the focus
        self.answered = None  # the element the last answer described

    def ours(self, accessible):
        try:
            return os.getpgid(accessible.get_process_id()) == self.group
        except Exception:
            return False

    def on_focus(self, event):
        if event.detail1 and self.ours(event.source):
            self.focused = event.source
            self.holder = self.parent_of(event.source)

    @staticmethod
    def parent_of(obj):
        try:
            return obj.parent
        except Exception:
            return None

    def still_focused(self):
        """The element last focused still has the focus. A text box the page removed (a
        grid cell's editor, once ENTER stored its value) may keep its focused state
        until the cell's own focus event comes: on Windows it is no longer the focus."""
        obj = self.focused
        try:
            if obj is None:
                return False
            return obj.getState().contains(pyatspi.STATE_FOCUSED) and not removed_text_box(obj)
        except Exception:
            return False

    def focused_now(self):
        if not self.still_focused():
            self.focused = self.closed_list() or self.editor_holder() or self.walk()
        return self.focused

    def editor_holder(self):
        """The element that held the removed text box (the grid cell), once it has the
        focus: its focus event may still be on its way, its state is already there."""
        holder = self.holder
        try:
            if holder is not None and holder.getState().contains(pyatspi.STATE_FOCUSED):
                return holder
        except Exception:
            pass
        return None

    def closed_list(self):
        """The combo box whose list was open, once it has the focus back: Chromium sends
        that focus event late, or not at all, after its list closes."""
        try:
            combo = self.focused.parent.parent if self.focused is not None else None
            if combo is not None and combo.getRole() == pyatspi.ROLE_COMBO_BOX and combo.getState().contains(
                    pyatspi.STATE_FOCUSED):
                return combo
        except Exception:
            pass
        return None

    def walk(self, seconds=WALK_SECONDS):
        """The focused element of the browser's application, depth first, bounded in time."""
        deadline = time.monotonic() + seconds
        desktop = pyatspi.Registry.getDesktop(0)
        stack = [app for app in desktop if app is not None and self.ours(app)]
        while stack and time.monotonic() < deadline:
            obj = stack.pop()
            try:
                states = obj.getState()
                if states.contains(pyatspi.STATE_FOCUSED) and obj.getRole() not in (
                        pyatspi.ROLE_FRAME, pyatspi.ROLE_APPLICATION, pyatspi.ROLE_WINDOW):
                    return obj
                if obj.getRole() != pyatspi.ROLE_APPLICATION and not states.contains(pyatspi.STATE_SHOWING):
                    continue
                stack.extend(child for child in reversed(list(obj)) if child is not None)
            except Exception:
                continue
        return None

    def answer(self):
        obj = self.answered = self.focused_now()
        if obj is None:
            return "none\t0\t0\t0\t0\t\t"
        try:
            return "\t".join(describe(element) for element in open_list_chain(obj))
        except Exception as problem:
            print(f"# reader: {problem}", file=sys.stderr, flush=True)
            return "none\t0\t0\t0\t0\t\t"


def removed_text_box(obj):
    """A text box no longer in the page's tree: defunct, or without a place in a parent."""
    return obj.getRole() in TEXT_ROLES and (obj.getState().contains(pyatspi.STATE_DEFUNCT)
                                            or obj.getIndexInParent() < 0)


def describe(obj):
    kind, value = kind_and_value(obj)
    x, y, w, h = place_of(obj)
    return f"{kind}\t{x}\t{y}\t{w}\t{h}\t{clean(obj.name)}\t{clean(value)}"


def kind_and_value(obj):
    role = obj.getRole()
    if role in TEXT_ROLES:
        return "text", text_of(obj)
    if role == pyatspi.ROLE_COMBO_BOX:
        return "list", chosen_option(obj)
    if role in CELL_ROLES:
        return "text", text_of(obj) or obj.name
    if role in OPTION_ROLES and in_combo_box(obj.parent):
        return "item", ""
    if role in OPEN_LIST_ROLES and in_combo_box(obj):
        return "menu", ""
    return "other", ""


def in_combo_box(open_list):
    return (open_list is not None and open_list.getRole() in OPEN_LIST_ROLES and open_list.parent is not None
            and open_list.parent.getRole() == pyatspi.ROLE_COMBO_BOX)


def open_list_chain(obj):
    """The focused element, and when it is an open list's option (or the list), the
    elements above it up to the combo box."""
    chain = [obj]
    if obj.getRole() in OPTION_ROLES and in_combo_box(obj.parent):
        chain += [obj.parent, obj.parent.parent]
    elif obj.getRole() in OPEN_LIST_ROLES and in_combo_box(obj):
        chain.append(obj.parent)
    return chain


def place_of(obj):
    """The element's identity as a rectangle: its place in the page's tree (its index
    and its three ancestors' indexes in their parents: cell and row, or input, cell and
    row). Not its extents: Firefox's lag behind the layout (a grid cell just edited read
    one row lower for a while), and Tamvera only compares them."""
    indexes = []
    for _ in range(4):
        indexes.append(obj.getIndexInParent() if obj is not None else 0)
        obj = obj.parent if obj is not None else None
    return indexes[0], indexes[1], indexes[2] + 1, indexes[3] + 1


def text_of(obj):
    try:
        return obj.queryText().getText(0, -1)
    except NotImplementedError:
        return ""


def chosen_option(combo):
    """The combo box's chosen option: the item with state SELECTED in its menu (or list);
    Chromium leaves that state off the items of a list filled after the page loaded and
    names the chosen one's place in the combo box's "posinset" attribute instead."""
    menus = [menu for menu in combo if menu is not None]
    for menu in menus:
        try:
            selection = menu.querySelection()
            if selection.nSelectedChildren == 1:
                return selection.getSelectedChild(0).name
        except NotImplementedError:
            pass
    for menu in menus:
        for item in menu:
            if item is not None and item.getState().contains(pyatspi.STATE_SELECTED):
                return item.name
    attributes = dict(a.split(":", 1) for a in combo.getAttributes() if ":" in a)
    place = attributes.get("posinset", "")
    if menus and place.isdigit() and 1 <= int(place) <= menus[0].childCount:
        item = menus[0][int(place) - 1]
        return item.name if item is not None else ""
    return ""


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--group", type=int, required=True, help="the browser's process group")
    parser.add_argument("--port-file", required=True)
    args = parser.parse_args()

    reader = Reader(args.group)
    pyatspi.Registry.registerEventListener(reader.on_focus, "object:state-changed:focused")

    server = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    server.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    server.bind(("127.0.0.1", 0))
    server.listen(8)

    def on_query(_source, _condition):
        try:
            connection, _ = server.accept()
            connection.settimeout(1.0)
            connection.recv(256)
        except OSError:
            return True
        # Answered once the events already here (the browser's focus changes) are handled;
        # when the focus has moved and its event is still on its way (a busy browser
        # sends it late), it is awaited a while before the slow walk through the page.
        GLib.idle_add(answer_query, connection, time.monotonic() + EVENT_WAIT)
        return True

    def answer_query(connection, wait_until):
        if (not reader.still_focused() and not reader.closed_list() and not reader.editor_holder()
                and time.monotonic() < wait_until):
            GLib.timeout_add(10, answer_query, connection, wait_until)
            return False
        answer = reader.answer()
        # The focused text box removed while it was read (ENTER ends a cell's edit just
        # then): read again once the focus has gone on, as a read on Windows finds it.
        if reader.answered is not None and time.monotonic() < wait_until:
            try:
                if removed_text_box(reader.answered):
                    GLib.timeout_add(10, answer_query, connection, wait_until)
                    return False
            except Exception:
                pass
        with connection:
            # READER_LOG=1: each answer on stderr (the reader's log) with the time it took since
            # the question came, for a look at a run.
            if os.environ.get("READER_LOG"):
                now = time.monotonic()
                print(f"{now:.3f} +{(now - wait_until + EVENT_WAIT) * 1000:.0f}ms {answer}", file=sys.stderr, flush=True)
            try:
                connection.sendall((answer + "\n").encode("utf-8"))
            except OSError:
                pass
        return False

    # Found once before the first question: a walk through a large page keeps the
    # browser busy answering, and Tamvera's keys must not meet a browser busy with it.
    reader.focused = reader.walk(START_WALK_SECONDS)
    GLib.io_add_watch(server.fileno(), GLib.IO_IN, on_query)
    with open(args.port_file + ".tmp", "w") as f:
        f.write(str(server.getsockname()[1]))
    os.replace(args.port_file + ".tmp", args.port_file)
    pyatspi.Registry.start()
    return 0


if __name__ == "__main__":
    sys.exit(main())
