#!/usr/bin/env python3
"""Writes N synthetic IQ-TREE reports (.iqtree), one per locus, for timing the import.

    python3 bench/generate_iqtree_reports.py DIR N [--seed S]

Each report has the sections an IQ-TREE 2 run with ModelFinder writes: the header, the
alignment summary, a ModelFinder table of 110 to 230 models sorted by BIC (the 24 classic
models among them, under IQ-TREE's names), the substitution process, the tree statistics, an
ASCII tree and its Newick form. The numbers are made up but keep the shape of real ones: richer
models fit better, gamma helps most, AIC and BIC follow from the log-likelihood and the
parameter count. Files come out at 10 to 30 KB, named locus00001.iqtree and so on.
"""

import argparse
import math
import os
import random

# IQ-TREE's DNA models with their substitution-rate parameters and whether they estimate base
# frequencies (+F).
BASES = [
    ("JC", 0, False), ("F81+F", 0, True), ("K2P", 1, False), ("HKY+F", 1, True),
    ("TNe", 2, False), ("TN+F", 2, True), ("K3P", 2, False), ("K3Pu+F", 2, True),
    ("TPM2", 2, False), ("TPM2u+F", 2, True), ("TPM3", 2, False), ("TPM3u+F", 2, True),
    ("TIMe", 3, False), ("TIM+F", 3, True), ("TIM2e", 3, False), ("TIM2+F", 3, True),
    ("TIM3e", 3, False), ("TIM3+F", 3, True), ("TVMe", 4, False), ("TVM+F", 4, True),
    ("SYM", 5, False), ("GTR+F", 5, True),
]
# Rate heterogeneity: suffix, extra parameters, typical gain in log-likelihood per site.
RATES = [("", 0, 0.0), ("+I", 1, 0.055), ("+G4", 1, 0.075), ("+I+G4", 2, 0.078),
         ("+R2", 2, 0.07), ("+R3", 4, 0.079), ("+I+R2", 3, 0.077), ("+R4", 6, 0.0795),
         ("+I+R3", 5, 0.0793), ("+R5", 8, 0.0796)]

CITATION = """REFERENCES
----------

To cite IQ-TREE please use:

A. Author, B. Author, C. Author, D. Author and E. Author (2020)
A program for maximum likelihood phylogenies: new models and methods
for large data sets. Journal of Examples, 37:1530-1534.
https://doi.org/10.0000/example.0001

To cite ModelFinder please use:

F. Author, G. Author, H. Author, I. Author and J. Author (2017)
Choosing substitution models quickly and well. Journal of Examples,
14:587-589. https://doi.org/10.0000/example.0002

"""


def taxon_name(rng, i):
    genus = rng.choice(["Abies", "Picea", "Pinus", "Larix", "Tsuga", "Cedrus", "Taxus"])
    return f"{genus}_sp{i:03d}_{rng.randrange(10**6):06d}"


def ascii_tree(rng, names):
    lines = []
    depth = 1
    for i, name in enumerate(names):
        depth = max(1, min(12, depth + rng.choice([-1, 0, 1])))
        stem = "|  " * depth
        lines.append(f"{stem}+{'-' * rng.randrange(2, 9)}{name}")
        if i % 2 == 1:
            lines.append(f"{'|  ' * max(0, depth - 1)}+--| ({rng.randrange(30, 101)})")
    return "\n".join(lines)


def newick(rng, names):
    parts = [f"{n}:{rng.uniform(1e-6, 0.2):.10f}" for n in names]
    while len(parts) > 3:
        i = rng.randrange(len(parts) - 1)
        support = rng.randrange(30, 101)
        parts[i:i + 2] = [f"({parts[i]},{parts[i + 1]}){support}:{rng.uniform(1e-6, 0.1):.10f}"]
    return "(" + ",".join(parts) + ");"


def report(rng, locus):
    taxa = rng.randrange(8, 61)
    sites = rng.randrange(300, 3000)
    branches = 2 * taxa - 3
    base_lnl = -sites * rng.uniform(1.8, 7.5)
    decimals = rng.choice([3, 4])
    minor = rng.choice(["2.0.7", "2.1.3", "2.2.0", "2.2.2", "2.3.6", "2.4.0"])

    rows = []
    extra = rng.sample(RATES[4:], rng.randrange(1, len(RATES) - 3))
    for name, rate_params, freqs in BASES:
        base_gain = rate_params * sites * 0.004 + (sites * 0.01 if freqs else 0.0)
        for suffix, het_params, gain in RATES[:4] + extra:
            k = branches + rate_params + (3 if freqs else 0) + het_params
            lnl = base_lnl + base_gain + gain * sites + rng.uniform(-0.5, 0.5)
            rows.append((name + suffix, lnl, k))
    n = sites

    def aic(lnl, k):
        return -2 * lnl + 2 * k

    def aicc(lnl, k):
        return aic(lnl, k) + (2 * k * (k + 1)) / max(1, n - k - 1)

    def bic(lnl, k):
        return -2 * lnl + k * math.log(n)

    def weights(scores):
        best = min(scores)
        raw = [math.exp(-0.5 * (s - best)) for s in scores]
        total = sum(raw)
        return [r / total for r in raw]

    rows.sort(key=lambda r: bic(r[1], r[2]))
    waic = weights([aic(l, k) for _, l, k in rows])
    waicc = weights([aicc(l, k) for _, l, k in rows])
    wbic = weights([bic(l, k) for _, l, k in rows])
    best = rows[0][0]

    def weight(w):
        return f"{w:8.3g}"

    out = [f"IQ-TREE {minor} built Mar  3 2023", "",
           f"Input file name: {locus}.fasta",
           "Type of analysis: ModelFinder + tree reconstruction",
           f"Random seed number: {rng.randrange(10**6)}", "", CITATION,
           "SEQUENCE ALIGNMENT", "------------------", "",
           f"Input data: {taxa} sequences with {sites} nucleotide sites"]
    constant = rng.randrange(sites // 4, sites * 3 // 4)
    out += [f"Number of constant sites: {constant} (= {100 * constant / sites:.4f}% of all sites)",
            f"Number of invariant (constant or ambiguous constant) sites: {constant} "
            f"(= {100 * constant / sites:.4f}% of all sites)",
            f"Number of parsimony informative sites: {rng.randrange(1, sites - constant + 1)}",
            f"Number of distinct site patterns: {rng.randrange(50, sites)}", "",
            "ModelFinder", "-----------", "",
            f"Best-fit model according to BIC: {best}", "",
            "List of models sorted by BIC scores: ", "",
            "Model                  LogL         AIC      w-AIC        AICc     w-AICc"
            "         BIC      w-BIC"]
    for i, (name, lnl, k) in enumerate(rows):
        a, c, b = aic(lnl, k), aicc(lnl, k), bic(lnl, k)
        out.append(f"{name:<16} {lnl:>12.{decimals}f} {a:>11.3f} {'+' if waic[i] > 0.01 else '-'}"
                   f" {weight(waic[i])} {c:>11.3f} {'+' if waicc[i] > 0.01 else '-'}"
                   f" {weight(waicc[i])} {b:>11.3f} {'+' if wbic[i] > 0.01 else '-'}"
                   f" {weight(wbic[i])}")
    out += ["", "AIC, w-AIC   : Akaike information criterion scores and weights.",
            "AICc, w-AICc : Corrected AIC scores and weights.",
            "BIC, w-BIC   : Bayesian information criterion scores and weights.", "",
            "Plus signs denote the 95% confidence sets.",
            "Minus signs denote significant exclusion.", "",
            "SUBSTITUTION PROCESS", "--------------------", "",
            f"Model of substitution: {best}", "", "Rate parameter R:", ""]
    for pair in ["A-C", "A-G", "A-T", "C-G", "C-T", "G-T"]:
        out.append(f"  {pair}: {rng.uniform(0.2, 40):.4f}")
    freqs = [rng.uniform(0.15, 0.35) for _ in range(4)]
    total = sum(freqs)
    out += ["", "State frequencies: (empirical counts from alignment)", ""]
    out += [f"  pi({b}) = {f / total:.4g}" for b, f in zip("ACGT", freqs)]
    out += ["", "Rate matrix Q:", ""]
    for b in "ACGT":
        out.append(f"  {b} " + " ".join(f"{rng.uniform(-1.5, 1.0):9.4g}" for _ in range(4)))
    pinv, alpha = rng.uniform(0.1, 0.7), rng.uniform(0.2, 3.0)
    out += ["", "Model of rate heterogeneity: Invar+Gamma with 4 categories",
            f"Proportion of invariable sites: {pinv:.4f}", f"Gamma shape alpha: {alpha:.4g}", "",
            " Category  Relative_rate  Proportion", f"  0         0              {pinv:.4g}"]
    for c in range(1, 5):
        out.append(f"  {c}         {rng.uniform(0.1, 5):<14.4g} {(1 - pinv) / 4:.4g}")
    out += ["Relative rates are computed as MEAN of the portion of the Gamma distribution "
            "falling in the category.", "", "MAXIMUM LIKELIHOOD TREE",
            "-----------------------", ""]
    tree_lnl = rows[0][1] + rng.uniform(0.1, 3)
    k = rows[0][2]
    out += [f"Log-likelihood of the tree: {tree_lnl:.4f} (s.e. {rng.uniform(50, 400):.4f})",
            f"Unconstrained log-likelihood (without tree): {tree_lnl * 0.6:.4f}",
            f"Number of free parameters (#branches + #model parameters): {k}",
            f"Akaike information criterion (AIC) score: {aic(tree_lnl, k):.4f}",
            f"Corrected Akaike information criterion (AICc) score: {aicc(tree_lnl, k):.4f}",
            f"Bayesian information criterion (BIC) score: {bic(tree_lnl, k):.4f}", "",
            f"Total tree length (sum of branch lengths): {rng.uniform(0.5, 5):.4f}",
            f"Sum of internal branch lengths: {rng.uniform(0.1, 2):.4f} "
            f"({rng.uniform(10, 60):.4f}% of tree length)", ""]
    names = [taxon_name(rng, i) for i in range(taxa)]
    out += [f"NOTE: Tree is UNROOTED although outgroup taxon '{names[0]}' is drawn at root",
            "Numbers in parentheses are  ultrafast bootstrap support (%)", "",
            ascii_tree(rng, names), "", "Tree in newick format:", "", newick(rng, names), "",
            "TIME STAMP", "----------", "",
            f"Date and time: Mon Mar  6 1{rng.randrange(10)}:2{rng.randrange(10)}:00 2023",
            f"Total CPU time used: {rng.uniform(5, 500):.3f} seconds (0h:0m:0s)",
            f"Total wall-clock time used: {rng.uniform(5, 500):.3f} seconds (0h:0m:0s)", ""]
    return "\n".join(out)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("folder")
    parser.add_argument("count", type=int)
    parser.add_argument("--seed", type=int, default=1)
    args = parser.parse_args()
    os.makedirs(args.folder, exist_ok=True)
    rng = random.Random(args.seed)
    for i in range(1, args.count + 1):
        locus = f"locus{i:05d}"
        with open(os.path.join(args.folder, locus + ".iqtree"), "w", encoding="utf-8",
                  newline="\n") as f:
            f.write(report(rng, locus))


if __name__ == "__main__":
    main()
