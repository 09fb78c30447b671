#!/usr/bin/python3
"""The steps of the release zip that need exact bytes (called by packaging/package.sh).

  release.py check-guide HTML        the guide opens offline: every picture is inside it
                                     (a PNG data: URI), it names no other file and no
                                     address, and every link within it has its target
  release.py pdf PDF EPOCH           in place: sets the PDF's creation and change dates to
                                     EPOCH (seconds since 1970, UTC) and numbers its
                                     structure elements' IDs in document order
  release.py zip FOLDER ZIP EPOCH    writes FOLDER's files into ZIP in name order, each
                                     dated EPOCH and rw-r--r--, nothing else of this
                                     machine or this moment
"""
import base64
import bisect
import html.parser
import os
import re
import sys
import time
import zipfile


class GuideRefs(html.parser.HTMLParser):
    def __init__(self):
        super().__init__()
        self.ids, self.refs = set(), []

    def handle_starttag(self, tag, attrs):
        for name, value in attrs:
            if name in ("id", "name") and value:
                self.ids.add(value)
            elif name in ("src", "href", "srcset", "data", "poster", "action") and value is not None:
                self.refs.append((tag, name, value))


def check_guide(path):
    with open(path, encoding="utf-8") as f:
        text = f.read()
    parser = GuideRefs()
    parser.feed(text)
    problems, pictures = [], 0
    for tag, name, value in parser.refs:
        if tag == "img" and name == "src" and value.startswith("data:image/png;base64,"):
            if not base64.b64decode(value.split(",", 1)[1], validate=True).startswith(b"\x89PNG\r\n\x1a\n"):
                problems.append("a picture that is no PNG")
            pictures += 1
        elif tag == "a" and name == "href" and value.startswith("#"):
            if value[1:] not in parser.ids:
                problems.append(f"a link to {value}, which is not in the guide")
        else:
            problems.append(f"<{tag} {name}=\"{value[:60]}\">: not inside the file")
    for found in re.findall(r"url\(\s*['\"]?(?!data:)[^)]{0,60}", text):
        problems.append(f"a style that loads {found}")
    if pictures == 0:
        problems.append("no pictures")
    for problem in problems:
        print(f"{path}: {problem}", file=sys.stderr)
    return 1 if problems else 0


class PdfForm(Exception):
    """A PDF that is not of the form these rewrites are sure of."""


STREAM_START = re.compile(rb">>\s*stream\r?\n")


def stream_contents(data):
    """Where each stream's contents lie, as (start, end): bytes there are no PDF syntax."""
    spans, pos = [], 0
    while m := STREAM_START.search(data, pos):
        head = data[data.rfind(b" obj", 0, m.start()):m.start()]
        length = re.search(rb"/Length (\d+)(\s+\d+\s+R)?", head)
        if not length or length.group(2):
            raise PdfForm(f"a stream at byte {m.end()} without its length in its dictionary")
        end = m.end() + int(length.group(1))
        if not re.match(rb"\r?\n?endstream", data[end:end + 11]):
            raise PdfForm(f"a stream at byte {m.end()} that is not {length.group(1).decode()} bytes long")
        spans.append((m.end(), end))
        pos = end
    return spans


class Pdf:
    """A PDF's bytes, changed only by replacements of the same length, so that the
    cross-reference table's offsets stay right; no stream's contents is read as syntax
    (they are compressed)."""

    def __init__(self, data):
        self.data = bytearray(data)
        self.streams = stream_contents(data)
        self.starts = [start for start, _ in self.streams]

    def matches(self, pattern, start=0, end=None):
        found = re.compile(pattern, re.S).finditer(self.data, start, len(self.data) if end is None else end)
        return [m for m in found if not self.in_stream(m.start())]

    def in_stream(self, pos):
        i = bisect.bisect_right(self.starts, pos) - 1
        return i >= 0 and pos < self.streams[i][1]

    def put(self, start, old, new):
        if len(new) != len(old):
            raise PdfForm(f"{old[:40]!r} would become {new[:40]!r}, of another length")
        self.data[start:start + len(old)] = new

    def body(self, number):
        """Where object NUMBER's body lies, as (start, end)."""
        found = self.matches(rb"(?<![0-9])%d 0 obj(.*?)endobj" % number)
        if len(found) != 1:
            raise PdfForm(f"object {number} found {len(found)} times")
        return found[0].span(1)


def set_dates(pdf, epoch):
    stamp = time.strftime("D:%Y%m%d%H%M%S+00'00'", time.gmtime(epoch)).encode()
    found = pdf.matches(rb"/(CreationDate|ModDate) \(D:[^)]*\)")
    if not found:
        raise PdfForm("no creation date found")
    for m in found:
        pdf.put(m.start(), m.group(0), b"/" + m.group(1) + b" (" + stamp + b")")


def number_structure_ids(pdf):
    """Chromium names a structure element (a table's header cell) after its page node's
    number, which the renderer hands out as each node is first asked for; the same page
    printed again in the same folder now and then gets other numbers (one print in
    forty-odd here), and with accessibility on from the start quite other ones. Numbered
    again in the order the elements stand in the file (the document's), they are the
    same in every build, and the data cells still name their headers."""
    defined = [m.group(1) for m in pdf.matches(rb"/ID \((node[0-9]+)\)")]
    if len(set(defined)) != len(defined):
        raise PdfForm("two structure elements of one ID")
    new = {old: b"node%0*d" % (len(old) - 4, n) for n, old in enumerate(defined, 1)}
    for m in pdf.matches(rb"\((node[0-9]+)\)"):
        if m.group(1) not in new:
            raise PdfForm(f"{m.group(1).decode()} names no structure element")
        pdf.put(m.start(1), m.group(1), new[m.group(1)])
    roots = pdf.matches(rb"/IDTree ([0-9]+) 0 R")
    if defined and len(roots) != 1:
        raise PdfForm(f"{len(roots)} ID trees for {len(defined)} IDs")
    if roots:
        sort_name_tree(pdf, int(roots[0].group(1)))


NAME_ENTRY = rb"\((node[0-9]+)\) ([0-9]+ [0-9]+ R)"


def name_tree_kids(pdf, number):
    """The name tree node NUMBER's body span and its kids' object numbers (none: a leaf)."""
    start, end = pdf.body(number)
    kids = pdf.matches(rb"/Kids \[([0-9 R]*)\]", start, end)
    return (start, end), [int(ref) for ref in re.findall(rb"([0-9]+) 0 R", kids[0].group(1))] if kids else []


def name_tree_leaves(pdf, number):
    """The spans of the /Names arrays of the name tree at object NUMBER, in order."""
    (start, end), kids = name_tree_kids(pdf, number)
    if kids:
        return [leaf for kid in kids for leaf in name_tree_leaves(pdf, kid)]
    return [m.span(1) for m in pdf.matches(rb"/Names \[([^]]*)\]", start, end)]


def sort_name_tree(pdf, root):
    """Puts the name tree's entries in the order of their new names, each leaf keeping as
    many as it had, and sets every node's /Limits to its first and last name."""
    leaves = name_tree_leaves(pdf, root)
    arrays = [bytes(pdf.data[start:end]) for start, end in leaves]
    entries = [re.findall(NAME_ENTRY, array) for array in arrays]
    for array, own in zip(arrays, entries):
        if b" ".join(b"(%s) %s" % entry for entry in own) != array:
            raise PdfForm(f"a name tree leaf of another form: {array[:60]!r}")
    ordered = iter(sorted(entry for own in entries for entry in own))
    for (start, _), array, own in zip(leaves, arrays, entries):
        pdf.put(start, array, b" ".join(b"(%s) %s" % next(ordered) for _ in own))
    set_limits(pdf, root)


def set_limits(pdf, number):
    """Sets /Limits of the name tree node NUMBER and below; returns its first and last name."""
    (start, end), kids = name_tree_kids(pdf, number)
    if kids:
        ends = [set_limits(pdf, kid) for kid in kids]
        first, last = ends[0][0], ends[-1][1]
    else:
        names = [m.group(1) for m in pdf.matches(NAME_ENTRY, start, end)]
        first, last = names[0], names[-1]
    for m in pdf.matches(rb"/Limits \[\((node[0-9]+)\) \((node[0-9]+)\)\]", start, end):
        pdf.put(m.start(), m.group(0), b"/Limits [(%s) (%s)]" % (first, last))
    return first, last


def fix_pdf(path, epoch):
    with open(path, "rb") as f:
        data = f.read()
    try:
        pdf = Pdf(data)
        set_dates(pdf, epoch)
        number_structure_ids(pdf)
    except PdfForm as problem:
        sys.exit(f"{path}: {problem}")
    with open(path, "wb") as f:
        f.write(pdf.data)
    return 0


def make_zip(folder, out, epoch):
    when = max(time.gmtime(epoch)[:6], (1980, 1, 1, 0, 0, 0))  # a zip's dates begin in 1980
    names = []
    for root, dirs, files in os.walk(folder):
        for file in files:
            names.append(os.path.relpath(os.path.join(root, file), folder).replace(os.sep, "/"))
    names.sort(key=lambda n: n.encode())
    partial = out + ".part"
    with zipfile.ZipFile(partial, "w") as z:
        for name in names:
            info = zipfile.ZipInfo(name, date_time=when)
            info.compress_type = zipfile.ZIP_DEFLATED
            info.create_system = 3  # Unix: the permissions below are read back
            info.external_attr = 0o100644 << 16
            with open(os.path.join(folder, name), "rb") as f:
                z.writestr(info, f.read(), compresslevel=9)
    os.replace(partial, out)
    return 0


def main(args):
    if len(args) == 2 and args[0] == "check-guide":
        return check_guide(args[1])
    if len(args) == 3 and args[0] == "pdf":
        return fix_pdf(args[1], int(args[2]))
    if len(args) == 4 and args[0] == "zip":
        return make_zip(args[1], args[2], int(args[3]))
    sys.exit(__doc__)


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
