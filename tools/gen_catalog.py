#!/usr/bin/env python3
"""Generates the message catalog for both builds from resources/messages.

Input: languages.tsv (one variant a line: file stem, primary and sub language
ids, POSIX locale prefixes, the dialog font and the dialog layout) and one
<stem>.txt per variant ("id<TAB>text").
Output: a Windows resource script with one LANGUAGE block per variant, holding
the string table and the two progress dialog templates (non-ASCII written as
4-digit L"\\x...." escapes, which windres needs), and a C++ table that the
POSIX backend compiles in.
"""
import argparse
import collections
import pathlib
import re
import sys

INSERT = re.compile(r"%(\d+)!s!")
CLASS_NAME_MESSAGE = 1
Language = collections.namedtuple("Language", "stem primary sub locales face size layout")


def read_languages(folder):
    languages = []
    for line in (folder / "languages.tsv").read_text(encoding="utf-8").splitlines():
        if not line.strip() or line.startswith("#"):
            continue
        stem, primary, sub, locales, face, size, layout = line.split("\t")
        if layout not in ("ltr", "mirrored", "rtl"):
            sys.exit(f"languages.tsv: {stem}: unknown layout {layout}")
        languages.append(Language(stem, int(primary, 16), int(sub, 16), locales.split(), face,
                                  int(size), layout))
    return languages


def read_texts(path):
    texts = {}
    for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
        if not line or line.startswith("#"):
            continue
        key, sep, text = line.partition("\t")
        if not sep or not key.isdigit():
            sys.exit(f"{path}:{number}: expected 'id<TAB>text'")
        if int(key) in texts:
            sys.exit(f"{path}:{number}: id {key} given twice")
        texts[int(key)] = text
    return texts


def blanks(text):
    """The blanks a text starts and ends with: texts joined to others need them."""
    return text[:len(text) - len(text.lstrip())], text[len(text.rstrip()):]


def check_against_english(stem, texts, english):
    problems = []
    if set(texts) != set(english):
        problems.append(f"{stem}: ids differ from English: {sorted(set(texts) ^ set(english))}")
    for key, text in texts.items():
        if key not in english:
            continue
        if sorted(INSERT.findall(text)) != sorted(INSERT.findall(english[key])):
            problems.append(f"{stem}: id {key} has other inserts than English")
        if blanks(text) != blanks(english[key]):
            problems.append(f"{stem}: id {key} starts or ends with other blanks than English")
    # The window class name: translated like the rest, in plain ASCII letters.
    class_name = texts.get(CLASS_NAME_MESSAGE, "")
    if not re.fullmatch("[A-Za-z]+", class_name):
        problems.append(f"{stem}: id {CLASS_NAME_MESSAGE} is not made of ASCII letters only")
    elif texts is not english and class_name == english[CLASS_NAME_MESSAGE]:
        problems.append(f"{stem}: id {CLASS_NAME_MESSAGE} is not translated")
    return problems


# The progress dialogs, in dialog units.  Each control: id, kind, x, y,
# width, height.  Both carry a Cancel button (message 32) in a row of its own
# under the bar, its right edge on the bar's.
CANCEL_MESSAGE = 32
ICON_ID = 102
DIALOGS = {
    101: (277, 111, [(1000, "status", 10, 52, 254, 21), (1001, "bar", 10, 73, 257, 10),
                     (1004, "explanation", 44, 10, 223, 35), (-1, "icon", 10, 10, 21, 20),
                     (1003, "cancel", 217, 90, 50, 14)]),
    103: (277, 75, [(1000, "status", 34, 10, 236, 24), (1001, "bar", 10, 37, 259, 10),
                    (-1, "icon", 10, 10, 20, 20), (1004, "hidden explanation", 44, 10, 223, 35),
                    (1003, "cancel", 219, 54, 50, 14)]),
}


def rc_dialog(template, language, texts):
    """One progress dialog template of a variant.  Hebrew is laid out right to
    left by the system; Arabic has its positions mirrored here and its texts
    right-aligned and read right to left."""
    width, height, controls = DIALOGS[template]
    rtl = language.layout == "rtl"
    exstyle = {"ltr": "0", "mirrored": "WS_EX_LAYOUTRTL",
               "rtl": "WS_EX_RIGHT | WS_EX_RTLREADING"}[language.layout]
    lines = [f"{template} DIALOGEX 0, 0, {width}, {height}",
             "STYLE DS_MODALFRAME | WS_POPUP | WS_CAPTION",
             f"EXSTYLE {exstyle}",
             'CAPTION ""',
             f"FONT {language.size}, {rc_string(language.face)}, 0, 0, 1",
             "BEGIN"]
    text_style = ("RTEXT", ", SS_RIGHT | WS_GROUP, WS_EX_RIGHT | WS_EX_RTLREADING") if rtl else ("LTEXT", "")
    for control, kind, x, y, w, h in controls:
        if rtl:
            x = width - x - w
        place = f"{x}, {y}, {w}, {h}"
        if kind == "status" or kind == "explanation":
            lines.append(f'  {text_style[0]} "", {control}, {place}{text_style[1]}')
        elif kind == "hidden explanation":
            extended = ", WS_EX_RIGHT | WS_EX_RTLREADING" if rtl else ""
            alignment = "SS_RIGHT" if rtl else "SS_LEFT"
            lines.append(f'  CONTROL "", {control}, "Static", {alignment} | WS_GROUP | NOT WS_VISIBLE, {place}{extended}')
        elif kind == "bar":
            lines.append(f'  CONTROL "Progress1", {control}, "msctls_progress32", WS_BORDER, {place}'
                         + (", WS_EX_RIGHT" if rtl else ""))
        elif kind == "icon":
            lines.append(f"  ICON {ICON_ID}, {control}, {place}")
        else:
            lines.append(f"  PUSHBUTTON {rc_string(texts[CANCEL_MESSAGE])}, {control}, {place}"
                         + (", WS_TABSTOP, WS_EX_RTLREADING" if rtl else ""))
    lines.append("END")
    return lines


def rc_string(text):
    out = []
    for ch in text:
        if ch == '"':
            out.append('""')
        elif 0x20 <= ord(ch) < 0x7F and ch != "\\":
            out.append(ch)
        else:
            code = ord(ch)
            if code > 0xFFFF:
                code -= 0x10000
                out.append("\\x%04x\\x%04x" % (0xD800 + (code >> 10), 0xDC00 + (code & 0x3FF)))
            else:
                out.append("\\x%04x" % code)
    return 'L"' + "".join(out) + '"'


def cpp_string(text):
    data = text.encode("utf-8")
    return '"' + "".join(
        chr(b) if 0x20 <= b < 0x7F and b not in (0x22, 0x5C, 0x3F) else "\\%03o" % b for b in data
    ) + '"'


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("folder", type=pathlib.Path)
    parser.add_argument("--rc", type=pathlib.Path)
    parser.add_argument("--icon", type=pathlib.Path, help="the dialogs' icon, for --rc")
    parser.add_argument("--cpp", type=pathlib.Path)
    args = parser.parse_args()

    languages = read_languages(args.folder)
    catalog = {language.stem: read_texts(args.folder / f"{language.stem}.txt") for language in languages}
    english = catalog["en"]
    problems = [p for stem, texts in catalog.items() for p in check_against_english(stem, texts, english)]
    if problems:
        sys.exit("\n".join(problems))

    if args.rc:
        if not args.icon:
            sys.exit("--rc needs --icon")
        icon = str(args.icon.resolve()).replace("\\", "/")
        lines = ["// Generated from resources/messages; do not edit.", "#include <windows.h>", "",
                 "LANGUAGE 0, 0", f'{ICON_ID} ICON "{icon}"']
        for language in languages:
            texts = catalog[language.stem]
            lines += ["", f"LANGUAGE 0x{language.primary:02x}, 0x{language.sub:02x}", "STRINGTABLE", "BEGIN"]
            lines += [f"  {key}, {rc_string(text)}" for key, text in sorted(texts.items())]
            lines.append("END")
            for template in DIALOGS:
                lines += [""] + rc_dialog(template, language, texts)
        args.rc.write_text("\n".join(lines) + "\n", encoding="ascii")

    if args.cpp:
        lines = ["// Generated from resources/messages; do not edit.",
                 '#include "platform/posix/message_table.h"', "", "namespace catalog {", "namespace {"]
        for language in languages:
            lines.append(f"const Text texts_{language.stem}[] = {{")
            lines += [f"    {{{key}, {cpp_string(text)}}},"
                      for key, text in sorted(catalog[language.stem].items())]
            lines.append("};")
        lines += ["}  // namespace", "", "const Language kLanguages[] = {"]
        for language in languages:
            stem = language.stem
            lines.append(f'    {{0x{(language.sub << 10) | language.primary:04x}, '
                         f'"{" ".join(language.locales)}", texts_{stem}, '
                         f"sizeof texts_{stem} / sizeof texts_{stem}[0]}},")
        lines += ["};", "const int kLanguageCount = sizeof kLanguages / sizeof kLanguages[0];",
                  "}  // namespace catalog", ""]
        args.cpp.write_text("\n".join(lines), encoding="ascii")


if __name__ == "__main__":
    main()
