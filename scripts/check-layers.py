#!/usr/bin/env python3
"""Checks that every include between source folders points down the layers.

Reads each `#include "folder/..."` in src/, tests/, bench/ and fuzz/ and
fails with `file:line: folder A may not include folder B` when B is not
below A. A folder may include itself and any folder of a lower rank;
folders of equal rank may not include each other.

Usage: check-layers.py [ROOT]   (ROOT defaults to the repository top)
"""
import os
import re
import sys

# The one table of the layers, lowest first: (folder under src/, rank).
LAYERS = [
    ("platform", 0),
    ("xml", 1),
    ("reflection", 1),
    ("crash", 1),
    ("propgrid", 2),
    ("controls", 3),
    ("controls/published", 4),
    ("editors/itemviews", 4),
    ("inspector", 5),
    ("presets", 6),
    ("persistence", 7),
    ("designer", 8),
    ("checks", 9),
    ("editors", 9),
    ("app", 10),
    ("browser", 11),
]
# Files that belong to no folder of src/ (the programs' entry points, test
# helpers, whole-program tests, benchmarks and fuzzers over several layers)
# stand above every layer.
TOP = "program"
TOP_RANK = max(rank for _, rank in LAYERS) + 1
RANKS = dict(LAYERS)
RANKS[TOP] = TOP_RANK
# Longest folder first, so that "controls/published" wins over "controls".
FOLDERS = sorted(RANKS.keys() - {TOP}, key=len, reverse=True)
INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"')


def folder_of_path(relative):
    """The layer a path below src/ (or below tests/, bench/) falls in, or None."""
    for folder in FOLDERS:
        if relative.startswith(folder + "/"):
            return folder
    return None


def folder_of_file(path):
    parts = path.split("/")
    top, rest = parts[0], "/".join(parts[1:])
    if top == "fuzz":
        return TOP
    return folder_of_path(rest) or TOP


def check(root):
    faults = []
    for top in ("src", "tests", "bench", "fuzz"):
        for base, dirs, files in os.walk(os.path.join(root, top)):
            dirs.sort()
            for name in sorted(files):
                if not name.endswith((".h", ".cpp", ".hpp", ".cc")):
                    continue
                full = os.path.join(base, name)
                path = os.path.relpath(full, root).replace(os.sep, "/")
                layer = folder_of_file(path)
                with open(full, encoding="utf-8", errors="replace") as f:
                    for number, line in enumerate(f, 1):
                        m = INCLUDE.match(line)
                        if not m:
                            continue
                        target = folder_of_path(m.group(1))
                        if target is None or target == layer:
                            continue
                        if RANKS[target] >= RANKS[layer]:
                            faults.append(
                                f"{path}:{number}: folder {layer} may not include folder {target}")
    return faults


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..")
    faults = check(os.path.abspath(root))
    for fault in faults:
        print(fault)
    if faults:
        print(f"{len(faults)} include(s) point up the layers", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
