#!/usr/bin/env python3
"""Checks that every include in src/ points down the floors of the launcher.

Prints each include that points up, or that names a floor this script does
not know, and exits 1 when there is one.  The floors, from the top:"""
import pathlib
import re
import sys

FLOORS = ["entry", "frontend", "app", "instructions", "jvm", "launch", "jvmfile", "payload",
          "tagfile", "base", "platform"]
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.MULTILINE)


def floor_of(path):
    top = path.split("/", 1)[0]
    return FLOORS.index(top) if top in FLOORS else None


def main():
    src = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).parents[1] / "src")
    faults = []
    for file in sorted(src.rglob("*")):
        if file.suffix not in (".h", ".cpp"):
            continue
        relative = file.relative_to(src).as_posix()
        own = floor_of(relative)
        if own is None:
            faults.append(f"{relative}: in no floor")
            continue
        for target in INCLUDE.findall(file.read_text(encoding="utf-8")):
            floor = floor_of(target)
            if floor is None:
                faults.append(f"{relative}: includes {target}, which is in no floor")
            elif floor < own:
                faults.append(f"{relative}: includes {target} from the floor above")
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
