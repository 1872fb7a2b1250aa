#!/usr/bin/env python3
"""Lists what the studio asks of its language file (dialog sections with their
control ids and captions, the message ids each section's code shows, the menu
and the string table) from the resource scripts and the sources, and checks a
language file against it: every key there, none twice, none in a section that
never reads it. Usage: check_language.py FILE.lng [FILE.lng ...] [--list]"""
import argparse
import glob
import os
import re
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
RES = os.path.join(ROOT, "resources", "zavomgr")
SOURCES = ["designer", "controls", "deploy", "templates"]

# dialog resource -> the section its code translates it with
DIALOG_SECTIONS = {
    "IDD_ABOUTBOX": "About_Dlg",
    "IDD_GENMD5": "GenMD5_Dlg",
    "IDD_GENMENU": "GenMenu_Dlg",
    "IDD_GLOBALSET": "GlobalSet_Dlg",
    "IDD_BUTTONPRP": "ButtonPrp_Dlg",
    "IDD_PICTUREPRP": "PicturePrp_Dlg",
    "IDD_STATICPRP": "StaticPrp_Dlg",
    "IDD_PROGRESSPRP": "ProgressPrp_Dlg",
    "IDD_DEPWIZ_STEP1": "Dep_Step1_Dlg",
    "IDD_DEPWIZ_STEP2": "Dep_Step2_Dlg",
}
TEMPLATE_SECTION = "Dlg_GORVANL"       # the command-template picker's dialog
TEMPLATE_DIALOG = "IDD_GORVANEL_EXPORTS"
NOT_TEXT = {61457}                     # strings that hold code for the web page, not words
TEXT_CONTROLS = {"LTEXT", "RTEXT", "CTEXT", "PUSHBUTTON", "DEFPUSHBUTTON", "GROUPBOX", "CHECKBOX",
                 "AUTOCHECKBOX", "RADIOBUTTON", "AUTORADIOBUTTON", "STATE3", "AUTO3STATE", "CONTROL"}


def defines():
    values = {"IDOK": 1, "IDCANCEL": 2, "IDC_STATIC": -1, "IDHELP": 9}
    for path in [os.path.join(RES, "resource.h"), os.path.join(ROOT, "templates", "resource.h")]:
        if not os.path.exists(path):
            continue
        for m in re.finditer(r"^#define\s+(\w+)\s+(-?\w+)", open(path, encoding="utf-8", errors="replace").read(), re.M):
            name, value = m.groups()
            try:
                values[name] = int(value, 0)
            except ValueError:
                if value in values:
                    values[name] = values[value]
    # the framework's own command and string ids the studio's scripts name
    for path in glob.glob(os.path.join(ROOT, "framework", "*.h")):
        for m in re.finditer(r"^#define\s+((?:ID|AFX_ID)\w*)\s+(0x[0-9A-Fa-f]+|\d+)\b", open(path, encoding="utf-8", errors="replace").read(), re.M):
            values.setdefault(m.group(1), int(m.group(2), 0))
    return values


def rc_text(path, seen=None):
    """The script with its #include'd scripts of the same folder inlined."""
    seen = seen if seen is not None else set()
    if path in seen:
        return ""
    seen.add(path)
    out = []
    for line in open(path, encoding="utf-8", errors="replace"):
        m = re.match(r'\s*#include\s+"([^"]+\.rc)"', line)
        if m:
            out.append(rc_text(os.path.join(os.path.dirname(path), m.group(1)), seen))
        else:
            out.append(line)
    return "".join(out)


def ident(token, values):
    token = token.strip()
    if re.fullmatch(r"-?\d+", token):
        return int(token)
    return values.get(token)


def parse_rc(text, values):
    dialogs, strings, menus = {}, set(), {}
    lines = text.splitlines()
    i = 0
    while i < len(lines):
        line = lines[i].strip()
        m = re.match(r"(\w+)\s+DIALOG(?:EX)?\b", line)
        if m:
            name, controls, caption = m.group(1), set(), False
            i += 1
            while i < len(lines) and lines[i].strip() != "BEGIN":
                caption |= lines[i].strip().startswith("CAPTION")
                i += 1
            i += 1
            while i < len(lines) and lines[i].strip() != "END":
                cm = re.match(r'\s*(\w+)\s+"((?:[^"]|"")*)"\s*,\s*([-\w]+)', lines[i])
                if cm and cm.group(1) in TEXT_CONTROLS and cm.group(2).strip():
                    cid = ident(cm.group(3), values)
                    if cid is not None and cid not in (-1, 65535):
                        controls.add(cid)
                i += 1
            dialogs[name] = (controls, caption)
        elif line.startswith("STRINGTABLE"):
            while i < len(lines) and lines[i].strip() != "BEGIN":
                i += 1
            i += 1
            while i < len(lines) and lines[i].strip() != "END":
                sm = re.match(r'\s*(\w+)\s*,?\s*"', lines[i])
                if sm and ident(sm.group(1), values) is not None:
                    strings.add(ident(sm.group(1), values))
                i += 1
        else:
            m = re.match(r"(\w+)\s+MENU\b", line)
            if m:
                keys, stack = set(), []
                i += 1
                while i < len(lines):
                    s = lines[i].strip()
                    if s.startswith("POPUP"):
                        stack.append([True])          # the next item names this popup
                    elif s == "END":
                        if not stack:
                            break
                        stack.pop()
                    else:
                        im = re.match(r'MENUITEM\s+"[^"]*"\s*,\s*(\w+)', s)
                        if im:
                            cid = ident(im.group(1), values)
                            if cid is not None:
                                keys.add(str(cid))
                                for level in stack:
                                    if level[0]:
                                        keys.add("%dp" % cid)
                                        level[0] = False
                    i += 1
                menus[m.group(1)] = keys
        i += 1
    return dialogs, strings, menus


def message_ids(values):
    """{section: string ids} that the sources show as message boxes of that section."""
    found = {}
    for folder in SOURCES:
        for path in glob.glob(os.path.join(ROOT, folder, "**", "*.cpp"), recursive=True):
            if os.sep + "tests" + os.sep in path:
                continue
            text = open(path, encoding="utf-8", errors="replace").read()
            consts = dict(re.findall(r'\b(k\w*Section)\w*(?:\[\])?\s*=\s*"(\w+)"', text))
            for m in re.finditer(r'MessageBox(?:WithCaption)?\(\s*[^,()]*(?:\([^()]*\))?\s*,\s*("?\w+"?)\s*,\s*(IDS?_\w+)'
                                 r'(?:\s*,\s*(IDS?_\w+))?', text):
                section = m.group(1).strip('"') if m.group(1).startswith('"') else consts.get(m.group(1))
                if not section:
                    continue
                for name in (m.group(2), m.group(3)):
                    if name and name in values:
                        found.setdefault(section, set()).add(values[name])
    return found


def required():
    values = defines()
    dialogs, strings, menus = parse_rc(rc_text(os.path.join(RES, "Zavomgr.rc")), values)
    tdialogs, _, _ = parse_rc(rc_text(os.path.join(ROOT, "templates", "Gorvanel.rc")), values) \
        if os.path.exists(os.path.join(ROOT, "templates", "Gorvanel.rc")) else ({}, set(), {})
    need = {"Global": {"1", "2"}, "Menu": set(menus.get("IDR_ZAVOMGRTYPE", set())),
            "String": {str(s) for s in strings - NOT_TEXT}}
    # the library's own texts (its prompts, "Ready", the file dialogs' titles),
    # which the studio reads from [String]: those the library has a fallback for
    library = open(os.path.join(ROOT, "framework", "Document.cpp"), encoding="utf-8").read()
    need["String"] |= {str(values[k]) for k in re.findall(r"case (AFX_\w+): return", library) if k in values}
    for dialog, section in DIALOG_SECTIONS.items():
        if dialog in dialogs:
            controls, caption = dialogs[dialog]
            need[section] = {str(c) for c in controls} | ({"Title"} if caption else set())
    need[TEMPLATE_SECTION] = {"Title"}
    if TEMPLATE_DIALOG in tdialogs:
        need[TEMPLATE_SECTION] |= {str(c) for c in tdialogs[TEMPLATE_DIALOG][0]}
    # a message a dialog's code shows from its own section is read there, not in [String]
    for section, ids in message_ids(values).items():
        if section in need and section != "String":
            need[section] |= {str(i) for i in ids}
            need["String"] -= {str(i) for i in ids}
    return need


def read_lng(path):
    sections, dupes, section = {}, [], None
    for number, line in enumerate(open(path, encoding="utf-8"), 1):
        line = line.rstrip("\r\n")
        if not line.strip() or line.lstrip().startswith(";"):
            continue
        m = re.match(r"\[(.+)\]\s*$", line)
        if m:
            section = m.group(1)
            if section in sections:
                dupes.append("section [%s] twice (line %d)" % (section, number))
            sections.setdefault(section, {})
            continue
        key, sep, value = line.partition("=")
        if not sep or section is None:
            dupes.append("line %d is no key of a section" % number)
            continue
        if key in sections[section]:
            dupes.append("[%s] %s twice (line %d)" % (section, key, number))
        sections[section][key] = value
    return sections, dupes


# values that stay in Latin letters in every language: names, keys, samples
LATIN_VALUES = {"Zavo Studio 2008", "Tessumgr", "Pelsys", "Tahoma", "abcdabcdab", "MBR", "ID+1", "ID-1",
                "ID+1\tCtrl+PgUp", "ID-1\tCtrl+PgDn"}


def untranslated(sections):
    """In a file whose texts are mostly not in Latin letters, the values that
    are words in Latin letters alone: left in English."""
    values = [(s, k, v) for s, have in sections.items() for k, v in have.items()]
    foreign = [v for _, _, v in values if any(ord(c) > 127 for c in v)]
    if len(foreign) * 2 < len(values):
        return []
    return ["[%s] %s is not translated: %s" % (s, k, v) for s, k, v in values
            if all(ord(c) < 128 for c in v) and re.search(r"[A-Za-z]{2}", v) and v.strip() not in LATIN_VALUES]


def check(path, need):
    sections, problems = read_lng(path)
    problems += untranslated(sections)
    for section, keys in sorted(need.items()):
        have = sections.get(section, {})
        for key in sorted(keys, key=lambda k: (len(k), k)):
            if key not in have and not (section != "Global" and key in need["Global"] and key in sections.get("Global", {})):
                problems.append("[%s] %s missing" % (section, key))
            elif key in have and not have[key].strip():
                problems.append("[%s] %s empty" % (section, key))
    for section, have in sections.items():
        if section not in need:
            problems.append("[%s] is read by no window" % section)
            continue
        for key in have:
            if key not in need[section] and not (key in need["Global"]):
                problems.append("[%s] %s is not read in this section" % (section, key))
    return problems


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("files", nargs="*")
    parser.add_argument("--list", action="store_true", help="print what the studio asks for")
    opts = parser.parse_args()
    need = required()
    if opts.list:
        for section, keys in sorted(need.items()):
            print("[%s] %s" % (section, " ".join(sorted(keys, key=lambda k: (len(k), k)))))
    failed = 0
    for path in opts.files:
        problems = check(path, need)
        for p in problems:
            print("%s: %s" % (os.path.basename(path), p))
        print("%s: %d keys asked for, %s" % (os.path.basename(path), sum(map(len, need.values())),
                                            "%d problems" % len(problems) if problems else "complete"))
        failed += bool(problems)
    print("%d passed, %d failed" % (len(opts.files) - failed, failed))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
