#!/usr/bin/python3
"""The steps of the release zip that need exact bytes (called by packaging/package.sh).

  release.py check-guide HTML        the guide opens offline: every picture is inside it
                                     (a PNG data: URI), it names no other file and no
                                     address, and every link within it has its target
  release.py pdf-date PDF EPOCH      sets the PDF's creation and change dates to EPOCH
                                     (seconds since 1970, UTC), in place
  release.py zip FOLDER ZIP EPOCH    writes FOLDER's files into ZIP in name order, each
                                     dated EPOCH and rw-r--r--, nothing else of this
                                     machine or this moment
"""
import base64
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


def pdf_date(path, epoch):
    stamp = time.strftime("D:%Y%m%d%H%M%S+00'00'", time.gmtime(epoch)).encode()
    with open(path, "rb") as f:
        data = f.read()
    count = 0

    def replace(match):
        nonlocal count
        count += 1
        new = b"/" + match.group(1) + b" (" + stamp + b")"
        # Same length, so that the cross-reference table's offsets stay right.
        if len(new) != len(match.group(0)):
            sys.exit(f"{path}: a date of another form: {match.group(0)!r}")
        return new

    data = re.sub(rb"/(CreationDate|ModDate) \((D:[^)]*)\)", replace, data)
    if count == 0:
        sys.exit(f"{path}: no creation date found")
    with open(path, "wb") as f:
        f.write(data)
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
    if len(args) == 3 and args[0] == "pdf-date":
        return pdf_date(args[1], int(args[2]))
    if len(args) == 4 and args[0] == "zip":
        return make_zip(args[1], args[2], int(args[3]))
    sys.exit(__doc__)


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
