#!/usr/bin/env python3
"""Reads the web page that web_export_test made of the sample with Python's
html.parser: the page parses with its html, head and body closed in order,
every picture its style names lies beside it, and the sample's three entries,
its progress bar and its wallpaper have their blocks and pictures.
Usage: web_page_check.py PAGE.html"""
import html.parser
import os
import re
import sys

kVoid = {"meta", "br", "img", "link", "input", "hr"}


class Page(html.parser.HTMLParser):
    def __init__(self):
        super().__init__()
        self.open = []
        self.problems = []
        self.ids = []
        self.style = ""
        self.in_style = False

    def handle_starttag(self, tag, attrs):
        if tag not in kVoid:
            self.open.append(tag)
        self.ids += [value for name, value in attrs if name == "id"]
        self.in_style = tag == "style"

    def handle_endtag(self, tag):
        if not self.open or self.open[-1] != tag:
            self.problems.append("</%s> closes %s" % (tag, self.open[-1:] or "nothing"))
        else:
            self.open.pop()
        self.in_style = False

    def handle_data(self, data):
        if self.in_style:
            self.style += data


def main(path):
    failures = []
    text = open(path, "rb").read().decode("latin-1")
    page = Page()
    page.feed(text)
    page.close()
    failures += page.problems
    if page.open:
        failures.append("left open: %s" % page.open)
    if not re.match(r"<html><head>", text) or not text.rstrip().endswith("</body></html>"):
        failures.append("the page is not one html element")
    folder = os.path.dirname(path)
    urls = re.findall(r"url\('([^']+)'\)", page.style)
    for url in urls:
        if not os.path.isfile(os.path.join(folder, url)):
            failures.append("missing picture " + url)
    title = os.path.splitext(os.path.basename(path))[0]
    if not urls or any(not url.startswith("./%s_Images/" % title) for url in urls):
        failures.append("pictures outside %s_Images: %s" % (title, urls))
    wanted = ["Wallpaper", "Button_0", "Button_1", "Button_2", "ProgressTrack", "ProgressChunk"]
    missing = [name for name in wanted if name not in page.ids]
    if missing:
        failures.append("no block for %s (ids %s)" % (missing, page.ids))
    for name in ("wallpaper.png", "BtnNormal_0.png", "BtnHover_2.png", "ProgressTrack.png", "ProgressChunk.png"):
        if not any(url.endswith("/" + name) for url in urls):
            failures.append("the style names no " + name)
    for f in failures:
        print("FAIL:", f)
    print("%d pictures, %d blocks, %d failures" % (len(urls), len(page.ids), len(failures)))
    return 1 if failures else 0


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    sys.exit(main(sys.argv[1]))
