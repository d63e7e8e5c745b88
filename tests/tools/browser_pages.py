#!/usr/bin/env python3
"""velmora-convert's HTML as a browser shows it, compared pixel by pixel in headless Chromium.

For every document, one browser run renders side by side:
  a   the default output in a page declared ISO-8859-8 (visual Hebrew)
  b   the --page logical output in a UTF-8 page
  au  a with --order unicode
  bu  b with --order unicode
  c   the same lines, blocks and tags with the text in logical order, in a right-to-left page
Every paragraph of the documents fits on one line, so the browser breaks no line of its own.
Required: a == b and au == bu == c for every document. a == c holds where Velmora's order agrees
with the browser's; the documents where it does not are listed.

  browser_pages.py VELMORA_CONVERT LOGICAL_HTML TESTDATA_DIR
Exit status 0 pass, 1 fail, 77 no browser.
"""
import os
import shutil
import subprocess
import sys
import tempfile

DOCUMENTS = ["01-hebrew-plain", "02-mixed-latin-numbers", "03-bold-italic-underline", "04-colour-size-combo",
             "07-empty-paragraphs", "13-line-break-default-align", "14-ltr-with-hebrew"]
WRITER = "lo-odt"
# Every format on one page: bold, italic, underline, colours, sizes, and the three alignments.
EVERY_FORMAT = (
    r"{\rtf1\ansi\ansicpg1255\deff0{\fonttbl{\f0\fnil\fcharset177 David;}{\f1\fswiss\fcharset0 Arial;}}"
    r"{\colortbl;\red255\green0\blue0;\red0\green0\blue255;}"
    r"\pard\qr\f0\fs24 \'f9\'ec\'e5\'ed {\b \'e2\'e3\'e5\'ec} {\i \'f0\'e8\'e5\'e9} {\ul \'ee\'e5\'e3\'e2\'f9}"
    r" {\cf1 \'e0\'e3\'e5\'ed} {\fs40 \'e2\'e3\'e5\'ec} (abc) 123.\par"
    r"\pard\qc\f0 \'ee\'f8\'eb\'e6 {\f1 centred (abc) 42} \'f1\'e5\'f3!\par"
    r"\pard\ql\f0 {\f1\b\i\ul\cf2\fs16 left: all formats}, \'f2\'e1\'f8\'e9\'fa 7-8\par}")
WIDTH, HEIGHT = 820, 330
STYLE = ("<style>html,body{margin:0;background:#fff}body{padding:6px;font:15px 'Miriam Mono CLM';"
         "color:#000}</style>")
COLUMNS = ["a", "b", "au", "bu", "c"]


def find_browser():
    for name in ("chromium", "chromium-browser", "google-chrome"):
        path = shutil.which(name)
        if path:
            return path
    return None


def convert(tool, args, path):
    return subprocess.run([tool, *args, path], check=True, capture_output=True).stdout


def page(charset, body, rtl=False):
    # The output opens with closing tags, so the right-to-left page puts its lines on the left
    # by a rule of the body, not by an element around them.
    style = STYLE + ("<style>body{text-align:left}</style>" if rtl else "")
    head = f'<!DOCTYPE html><html{" dir=rtl" if rtl else ""}><head><meta charset="{charset}">{style}</head><body>'
    return head.encode("ascii") + body + b"</body></html>"


def logical_page(logical_html, path):
    """The same lines, blocks and tags in the order they were typed, in a right-to-left page whose
    lines outside a block sit on the left, as they do in the visual pages."""
    body = subprocess.run([logical_html, path], check=True, capture_output=True).stdout
    return page("utf-8", body, rtl=True)


def pages_of(tool, logical_html, path):
    """The five pages of one document; a and au are None when ISO-8859-8 cannot hold the text."""
    pages = {}
    for suffix, order in (("", []), ("u", ["--order", "unicode"])):
        try:
            visual = convert(tool, ["--html", "--encoding", "cp1255", *order], path).decode("cp1255")
            pages["a" + suffix] = page("iso-8859-8", visual.encode("iso8859_8"))
        except UnicodeError:
            pages["a" + suffix] = None
        pages["b" + suffix] = page("utf-8", convert(tool, ["--html", "--page", "logical", *order], path))
    pages["c"] = logical_page(logical_html, path)
    return pages


def screenshot(browser, work, names, all_pages):
    frames = ""
    for row, name in enumerate(names):
        for col, kind in enumerate(COLUMNS):
            if all_pages[name][kind] is None:
                continue
            file = os.path.join(work, f"{row}-{kind}.html")
            with open(file, "wb") as out:
                out.write(all_pages[name][kind])
            frames += (f'<iframe src="{os.path.basename(file)}" style="position:absolute;left:{col * WIDTH}px;'
                       f'top:{row * HEIGHT}px;width:{WIDTH}px;height:{HEIGHT}px;border:0"></iframe>')
    grid = os.path.join(work, "grid.html")
    with open(grid, "w") as out:
        out.write(f"<!DOCTYPE html><html><body style='margin:0'>{frames}</body></html>")
    png = os.path.join(work, "grid.png")
    subprocess.run([browser, "--headless", "--no-sandbox", "--disable-gpu", "--hide-scrollbars",
                    "--force-device-scale-factor=1", "--disable-font-subpixel-positioning",
                    f"--user-data-dir={os.path.join(work, 'profile')}",
                    f"--window-size={len(COLUMNS) * WIDTH},{len(names) * HEIGHT}", f"--screenshot={png}",
                    "file://" + grid], capture_output=True, timeout=300)
    if not os.path.exists(png):
        sys.exit("the browser wrote no screenshot")
    ppm = os.path.join(work, "grid.ppm")
    subprocess.run(["convert", png, "-depth", "8", f"PPM:{ppm}"], check=True)
    return read_ppm(ppm)


def read_ppm(path):
    with open(path, "rb") as f:
        data = f.read()
    fields, pos = [], 0
    while len(fields) < 4:  # P6, width, height, maximum
        while data[pos:pos + 1].isspace():
            pos += 1
        end = pos
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[pos:end])
        pos = end
    return int(fields[1]), data[pos + 1:]


def region(image, row, col):
    width, pixels = image
    return [pixels[((row * HEIGHT + y) * width + col * WIDTH) * 3:((row * HEIGHT + y) * width + (col + 1) * WIDTH) * 3]
            for y in range(HEIGHT)]


def differing_pixels(one, other):
    return sum(sum(1 for i in range(0, len(p), 3) if p[i:i + 3] != q[i:i + 3]) for p, q in zip(one, other) if p != q)


def greys(line):
    return [sum(line[i:i + 3]) for i in range(0, len(line), 3)]


def blurred(line):
    """Each pixel's grey as the mean over it and its two neighbours in the row."""
    g = greys(line)
    return [sum(g[max(x - 1, 0):x + 2]) / len(g[max(x - 1, 0):x + 2]) for x in range(len(g))]


def same_within_a_pixel(one, other, tolerance=120):
    """The same glyphs at the same places, anti-aliased from a sub-pixel origin that differs by
    less than a pixel (the browser lays right-to-left text out from the other end): blurred over
    three pixels of a row, the rows agree. Another word, or a word in another place, moves whole
    strokes and does not."""
    for p, q in zip(one, other):
        if p != q and any(abs(a - b) > tolerance for a, b in zip(blurred(p), blurred(q))):
            return False
    return True


def ink(part):
    return sum(len(line) // 3 - line.count(b"\xff\xff\xff") for line in part)


def main():
    tool, logical_html, testdata = sys.argv[1:4]
    browser = find_browser()
    if browser is None:
        print("SKIPPED: no Chromium installed (scripts/setup.sh installs it)")
        return 77
    work = tempfile.mkdtemp(prefix="velmora-browser-")
    try:
        every = os.path.join(work, "every-format.rtf")
        with open(every, "w") as out:
            out.write(EVERY_FORMAT)
        documents = {name: os.path.join(testdata, "rtf", f"{name}.{WRITER}.rtf") for name in DOCUMENTS}
        documents["every-format"] = every
        names = list(documents)
        all_pages = {name: pages_of(tool, logical_html, documents[name]) for name in names}
        image = screenshot(browser, work, names, all_pages)
        failures, disagree = [], []
        for row, name in enumerate(names):
            parts = {kind: region(image, row, col) for col, kind in enumerate(COLUMNS)}
            if ink(parts["c"]) < 100:
                failures.append(f"{name}: the logical page shows no text")
            checks = [("a", "b", True), ("au", "bu", True), ("bu", "c", True), ("a", "c", False)]
            for one, other, required in checks:
                if all_pages[name][one] is None:
                    print(f"{name}: {one} not shown, the text does not fit ISO-8859-8")
                    continue
                diff = differing_pixels(parts[one], parts[other])
                # The two visual pages carry the same text, so they must agree to the last pixel.
                same = diff == 0 or (one != "a" or other != "b") and same_within_a_pixel(parts[one], parts[other])
                print(f"{name}: {one} {'==' if same else '!='} {other}" +
                      (f" (within a pixel of glyph placement: {diff} pixels differ)" if same and diff else "") +
                      (f" ({diff} pixels differ)" if not same else ""))
                if not same and required:
                    failures.append(f"{name}: {one} != {other}")
                elif not same:
                    disagree.append(name)
        print("Velmora's order differs from the browser's in: " + (", ".join(disagree) or "none"))
        for failure in failures:
            print("FAILED: " + failure)
        if failures:
            print(f"pages kept in {work}")
            return 1
        shutil.rmtree(work)
        return 0
    except BaseException:
        print(f"pages kept in {work}")
        raise


if __name__ == "__main__":
    sys.exit(main())
