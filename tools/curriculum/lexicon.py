"""What the generator knows of words beyond their letters: how common each one is, and
which family it belongs to.

Commonness comes from SUBTLEXus word counts (American film and television subtitles);
families from Hunspell's American dictionary, whose entries list the endings each stem
takes, plus the common derivational endings (hope, hopeful, hopefully).
"""

import functools
import json
import re

HUNSPELL = "/usr/share/hunspell/en_US"

# Ranks past every counted word, for words the counts do not have.
UNCOUNTED = 1000000


def load_ranks(path):
    """word -> rank by count, 1 the commonest; forms differing only in case share one."""
    with open(path, encoding="utf-8") as f:
        items = json.load(f)
    counts = {}
    for item in items:
        w = item["word"].lower()
        counts[w] = counts.get(w, 0) + item["count"]
    order = sorted(counts, key=lambda w: (-counts[w], w))
    return {w: n for n, w in enumerate(order, start=1)}


def rank_of(word, ranks):
    """A contraction is counted in its parts (don, t): it takes the rank of its first."""
    if word in ranks:
        return ranks[word]
    if "'" in word:
        return ranks.get(word.split("'")[0], UNCOUNTED)
    return UNCOUNTED


def _affixes(aff_path):
    rules = {}
    with open(aff_path, encoding="utf-8") as f:
        for p in (line.split() for line in f):
            if len(p) == 5 and p[0] == "SFX":
                strip, add = ("" if x == "0" else x for x in p[2:4])
                rules.setdefault(p[1], []).append((strip, add, re.compile(p[4] + "$")))
    return rules


def entries(base=HUNSPELL):
    """(stem, flags) for each entry of a Hunspell dictionary."""
    with open(base + ".dic", encoding="utf-8") as f:
        next(f)  # the number of entries
        for line in f:
            stem, _, flags = line.strip().partition("/")
            if stem:
                yield stem, flags


@functools.lru_cache(maxsize=None)
def nouns(base=HUNSPELL):
    """Entries that take a possessive, as only nouns do: box/MS, but punish/DSG."""
    return frozenset(stem for stem, flags in entries(base) if "M" in flags)


def load_stems(base, ranks):
    """(stems, form -> stem) from a Hunspell dictionary: lower-case entries only, so names
    (August, Bible) give no forms. A word that is an entry of its own is its own stem; a form
    two stems make (hoping: hope, hop) goes to the commoner."""
    rules = _affixes(base + ".aff")
    stems, forms = set(), {}
    for stem, flags in entries(base):
        if not stem.islower():
            continue
        stems.add(stem)
        for flag in flags:
            for strip, add, cond in rules.get(flag, ()):
                if cond.search(stem) and stem.endswith(strip):
                    form = stem[: len(stem) - len(strip)] + add
                    old = forms.get(form)
                    if old is None or rank_of(stem, ranks) < rank_of(old, ranks):
                        forms[form] = stem
    for stem in stems:
        forms[stem] = stem
    return stems, forms


# Derivational endings peeled to reach a family's base, when what is left is an entry at
# least as common as the word (early is not ear + ly: ear is rarer).
DERIVED = ("fully", "ful", "lessly", "less", "ness", "ment", "ably", "able", "ibly", "ible",
           "ation", "ion", "ity", "ive", "ally", "al", "ously", "ous", "ize", "ist", "ism", "ship",
           "hood", "ly")


def _bases(word, ending):
    stem = word[: -len(ending)]
    yield stem
    yield stem + "e"
    if stem.endswith("i"):
        yield stem[:-1] + "y"
    if len(stem) > 2 and stem[-1] == stem[-2]:
        yield stem[:-1]


class Families:
    def __init__(self, hunspell_base, ranks):
        self.stems, self.forms = load_stems(hunspell_base, ranks)
        self.ranks = ranks
        self.memo = {}

    def of(self, word):
        """The family's base word: hoping, hopes, hopeful and hopefully are all hope."""
        if word not in self.memo:
            self.memo[word] = self._base(word)
        return self.memo[word]

    def _base(self, word):
        stem = self._inflected_from(word)
        for ending in DERIVED:
            if stem.endswith(ending) and len(stem) - len(ending) >= 3:
                for base in _bases(stem, ending):
                    if base in self.stems and base != stem and (
                            rank_of(base, self.ranks) <= rank_of(stem, self.ranks)):
                        return self.of(base)
        return stem

    def _inflected_from(self, word):
        """The commonest of: the stem the dictionary makes word from, and what is left when
        ing, ed or s comes off (the dictionary lists hoped and making as entries of their own)."""
        if word not in NOT_INFLECTED and word.endswith("s") and word[:-1] in self.stems:
            # The dictionary makes brothers from broth + ers; an entry one s shorter is surer.
            return word[:-1]
        found = [self.forms.get(word, word)]
        # A plural the dictionary knows keeps its stem: suites is suite, not suit.
        known = word in self.forms and found[0] != word
        for ending in () if word in NOT_INFLECTED else ("ing", "ed") + (() if known else ("es", "s")):
            if word.endswith(ending) and len(word) - len(ending) >= 3:
                found += [b for b in _bases(word, ending) if b in self.stems]
        return min(found, key=lambda w: (rank_of(w, self.ranks), w != found[0]))


# Entries that end like an inflection of a commoner word but are not one.
NOT_INFLECTED = {"evening", "news", "earnings", "wedding", "lasting", "series", "species"}
