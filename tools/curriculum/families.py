"""A word's family, found by peeling endings off: hope, hopes, hoped, hoping, hopeful.

Shared by the generator, which keeps a family together in a row, and the checker,
which reports how rows mix families.
"""

FAMILY_ENDINGS = ("ingly", "fully", "ations", "ation", "ments", "ment", "ness", "less", "ings",
                  "ing", "ers", "est", "ies", "ied", "ier", "ful", "ly", "ed", "er", "es", "s", "y",
                  "e")


def family(word):
    stem = word
    changed = True
    while changed and len(stem) > 4:
        changed = False
        for e in FAMILY_ENDINGS:
            if stem.endswith(e) and len(stem) - len(e) >= 3:
                stem = stem[: -len(e)]
                if len(stem) > 3 and stem[-1] == stem[-2]:
                    stem = stem[:-1]
                if stem.endswith("i"):
                    stem = stem[:-1] + "y"
                changed = True
                break
    return stem
