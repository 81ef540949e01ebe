#!/usr/bin/env python3
"""Prints the candidates data/prefixed.txt is reviewed from: every word that is a prefix the
course teaches plus a word of 3 or more letters, by prefix and root family.

Usage: seed_prefixed.py VOCAB [HUNSPELL_BASE] > candidates.tsv

VOCAB is a folder of SCOWL lists (as for generate.py) or a file of word<TAB>tier lines;
HUNSPELL_BASE defaults to /usr/share/hunspell/en_US. Columns: word, prefix, root, their tiers,
Hunspell's evidence ("flag": the root's entry takes the prefix's flag; "entry": the word is
an entry or a form of one) and "kept" when data/prefixed.txt already has the word. Evidence
settles nothing (repair comes from pair/A), so every line is read by hand.
"""

import os
import re
import sys

from families import family
import lexicon

HERE = os.path.dirname(os.path.abspath(__file__))
# il, ir, im and em only before the letters they are assimilated to.
PREFIXES = {"un": "", "dis": "", "mis": "", "re": "", "pre": "", "in": "", "il": "l", "ir": "r",
            "im": "bmp", "non": "", "de": "", "sub": "", "inter": "", "trans": "", "super": "",
            "over": "", "under": "", "anti": "", "en": "", "em": "bp", "out": "", "fore": ""}


def load_vocab(path):
    if os.path.isdir(path):
        from generate import load_vocab as from_scowl
        return from_scowl(path)
    with open(path, encoding="utf-8") as f:
        return {w: int(t) for w, t in (line.split() for line in f if line.strip())}


def hunspell(base):
    """word -> prefixes Hunspell builds on it, and every word it knows as an entry or form."""
    pfx, sfx, crosses = {}, {}, set()
    for p in (line.split() for line in open(base + ".aff", encoding="utf-8")):
        if p[:1] == ["SFX"] and len(p) == 4 and p[2] == "Y":
            crosses.add(p[1])  # only these endings combine with a prefix
        elif p[:1] == ["PFX"] and len(p) == 5:
            pfx[p[1]] = p[3]
        elif p[:1] == ["SFX"] and len(p) == 5:
            strip, add = ("" if x == "0" else x for x in p[2:4])
            sfx.setdefault(p[1], []).append((len(strip), add, re.compile(p[4] + "$"), p[1] in crosses))
    allowed, known = {}, set()
    for stem, flags in lexicon.entries(base):
        forms = [(stem[: len(stem) - cut] + add, cross) for f in flags
                 for cut, add, cond, cross in sfx.get(f, ()) if cond.search(stem)]
        for form, crossed in [(stem, True)] + forms:
            known.add(form.lower())
            if crossed:
                allowed.setdefault(form.lower(), set()).update(pfx[f] for f in flags if f in pfx)
    return allowed, known


def main():
    vocab = load_vocab(sys.argv[1])
    allowed, known = hunspell(sys.argv[2] if len(sys.argv) > 2 else lexicon.HUNSPELL)
    path = os.path.join(HERE, "data", "prefixed.txt")
    kept = set()
    if os.path.exists(path):
        kept = {line.split("\t")[0] for line in open(path, encoding="utf-8") if not line.startswith("#")}
    rows = []
    for word in vocab:
        for n, (prefix, before) in enumerate(PREFIXES.items()):
            root = word[len(prefix):]
            if word.startswith(prefix) and len(root) >= 3 and root in vocab and root[0] in (before or root[0]):
                seen = "flag" if prefix in allowed.get(root, ()) else "entry" if word in known else "-"
                rows.append((n, family(root), word, prefix, root, vocab[word], vocab[root], seen,
                             "kept" if word in kept else ""))
    for row in sorted(rows):
        print("\t".join(map(str, row[2:])))


if __name__ == "__main__":
    main()
