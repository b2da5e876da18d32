#!/usr/bin/env python3
"""The yardstick for `quillet-lrt --list --each`: the same table from the same IQ-TREE reports,
written the plain way, with regular expressions and the standard library only.

    python3 scripts/bench-import.py FOLDER > table.tsv

For every file in FOLDER (by name, without subfolders and dot files) it prints the classic
models of the ModelFinder table under Quillet's names, one line each:
locus, model, lnL (as the file writes it), source. It knows only what the benchmark's reports
hold (IQ-TREE 1.6 and later names, a LogL column), which is what makes it quick to write;
scripts/bench-import.sh runs both on the same files and checks that the tables agree.
"""

import os
import re
import sys

# A table row of one of the 24 classic models under IQ-TREE's names: the base with +F where
# frequencies are estimated, then +I, then gamma with any number of categories; its LogL.
ROW = re.compile(r"^(JC|JC69|K2P|K80|F81\+F|HKY\+F|HKY85\+F|TN\+F|TrN\+F|TN93\+F|GTR\+F)"
                 r"(\+I)?(\+G\d*)?[ \t]+(-?\d+(?:\.\d+)?)\s", re.M)
BASES = {"JC": "JC", "JC69": "JC", "K2P": "K2P", "K80": "K2P", "F81+F": "F81",
         "HKY+F": "HKY85", "HKY85+F": "HKY85", "TN+F": "TrN", "TrN+F": "TrN",
         "TN93+F": "TrN", "GTR+F": "GTR"}
ORDER = ["JC", "K2P", "F81", "HKY85", "TrN", "GTR"]


def rows(path, locus):
    with open(path, encoding="utf-8", errors="replace") as f:
        text = f.read()
    # The table runs from its title to the second blank line (the first ends the title).
    start = text.find("List of models sorted by")
    if start < 0:
        print(f"{path}: no ModelFinder table", file=sys.stderr)
        return []
    header = text.find("\n\n", start)
    end = text.find("\n\n", header + 2)
    found = []
    for base_name, invar, gamma, lnl in ROW.findall(text, header, end if end >= 0 else len(text)):
        base = BASES[base_name]
        rank = ORDER.index(base) * 4 + (1 if invar else 0) + (2 if gamma else 0)
        model = base + ("+I" if invar else "") + ("+G" if gamma else "")
        found.append((rank, f"{locus}\t{model}\t{lnl}\t{path}\n"))
    found.sort()
    return [line for _, line in found]


def main():
    folder = sys.argv[1]
    out = ["locus\tmodel\tlnL\tsource\n"]
    for name in sorted(os.listdir(folder)):
        path = os.path.join(folder, name)
        if name.startswith(".") or not os.path.isfile(path):
            continue
        out.extend(rows(path, os.path.splitext(name)[0]))
    sys.stdout.write("".join(out))


if __name__ == "__main__":
    main()
