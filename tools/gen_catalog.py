#!/usr/bin/env python3
"""Generates the message catalog for both builds from resources/messages.

Input: languages.tsv (one variant a line: file stem, primary and sub language
ids, POSIX locale prefixes) and one <stem>.txt per variant ("id<TAB>text").
Output: a Windows resource script with one LANGUAGE block per variant
(non-ASCII written as 4-digit L"\\x...." escapes, which windres needs) and a
C++ table that the POSIX backend compiles in.
"""
import argparse
import pathlib
import re
import sys

INSERT = re.compile(r"%(\d+)!s!")


def read_languages(folder):
    languages = []
    for line in (folder / "languages.tsv").read_text(encoding="utf-8").splitlines():
        if not line.strip() or line.startswith("#"):
            continue
        stem, primary, sub, locales = line.split("\t")
        languages.append((stem, int(primary, 16), int(sub, 16), locales.split()))
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


def check_against_english(stem, texts, english):
    problems = []
    if set(texts) != set(english):
        problems.append(f"{stem}: ids differ from English: {sorted(set(texts) ^ set(english))}")
    for key, text in texts.items():
        if key in english and sorted(INSERT.findall(text)) != sorted(INSERT.findall(english[key])):
            problems.append(f"{stem}: id {key} has other inserts than English")
    return problems


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
    parser.add_argument("--cpp", type=pathlib.Path)
    args = parser.parse_args()

    languages = read_languages(args.folder)
    catalog = {stem: read_texts(args.folder / f"{stem}.txt") for stem, *_ in languages}
    english = catalog["en"]
    problems = [p for stem, texts in catalog.items() for p in check_against_english(stem, texts, english)]
    if problems:
        sys.exit("\n".join(problems))

    if args.rc:
        lines = ["// Generated from resources/messages; do not edit."]
        for stem, primary, sub, _ in languages:
            lines += ["", f"LANGUAGE 0x{primary:02x}, 0x{sub:02x}", "STRINGTABLE", "BEGIN"]
            lines += [f"  {key}, {rc_string(text)}" for key, text in sorted(catalog[stem].items())]
            lines.append("END")
        args.rc.write_text("\n".join(lines) + "\n", encoding="ascii")

    if args.cpp:
        lines = ["// Generated from resources/messages; do not edit.",
                 '#include "platform/posix/message_table.h"', "", "namespace catalog {", "namespace {"]
        for stem, *_ in languages:
            lines.append(f"const Text texts_{stem}[] = {{")
            lines += [f"    {{{key}, {cpp_string(text)}}}," for key, text in sorted(catalog[stem].items())]
            lines.append("};")
        lines += ["}  // namespace", "", "const Language kLanguages[] = {"]
        for stem, primary, sub, locales in languages:
            lines.append(f'    {{0x{(sub << 10) | primary:04x}, "{" ".join(locales)}", texts_{stem}, '
                         f"sizeof texts_{stem} / sizeof texts_{stem}[0]}},")
        lines += ["};", "const int kLanguageCount = sizeof kLanguages / sizeof kLanguages[0];",
                  "}  // namespace catalog", ""]
        args.cpp.write_text("\n".join(lines), encoding="ascii")


if __name__ == "__main__":
    main()
