#!/usr/bin/env python3
"""The house's floors, kept by the build: a file may include its own folder and the folders of
lower floors, nothing above and no other folder of its own floor. Run from anywhere; prints each
arrow that runs up or sideways and exits 1 when there is one."""

import pathlib
import re
import sys

# Lowest first. Folders on one line share a floor and may not include each other.
FLOORS = [
    ["state"],                  # the signal table, the aspect commands, the tick's rules
    ["render"],                 # the canvas, the scene, the element blocks
    ["core"],                   # the main window's model and the driver
    ["io"],                     # low writers: JSON text, the trace format, output files, PNG
    ["learn"],                  # explanations, self-test, the speed line
    ["documents"],              # what the programs write: state, explanations, items, the speed line
    ["contents"],               # texts and the photograph's decoder
    ["dialogs"],                # the information windows (Qt)
    ["app"],                    # the window
    ["cli", "web"],             # lumaro-render and the page's binding
    ["tools", "tests"],
]

ROOT = pathlib.Path(__file__).resolve().parents[2]
INCLUDE = re.compile(r'^\s*#\s*include\s+"([a-z_]+)/', re.M)


def floor_of(folder):
    for level, folders in enumerate(FLOORS):
        if folder in folders:
            return level
    return None


def main():
    faults = []
    for level, folders in enumerate(FLOORS):
        for folder in folders:
            for path in sorted((ROOT / folder).rglob("*")):
                if path.suffix not in (".h", ".cpp", ".def"):
                    continue
                for included in INCLUDE.findall(path.read_text(encoding="utf-8")):
                    other = floor_of(included)
                    if other is None or included == folder:
                        continue
                    if other >= level:
                        faults.append(f"{path.relative_to(ROOT)} includes {included}/, "
                                      f"which is {'above' if other > level else 'beside'} it")
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
