"""Finders: small functions that say which letters of a word carry a pattern.

A finder takes (word, vocab) and returns the bit (a substring of the word, or
"-" and letters the word must not contain) or None when the word does not show
the pattern. vocab holds the words the course draws on, used to tell a real
prefix or suffix (one that leaves a whole word) from letters that only look like
one. When vocab maps each word to its commonness tier, a root must also be at
least as common as the word built on it: ear is rarer than early, so early is
not ear + ly.
"""

import os
import re

import lexicon

CONS = "bcdfghjklmnpqrstvwxz"
C = "[%s]" % CONS
V = "[aeiou]"


def syllables(word):
    """Rough count of vowel groups; a final silent e does not count."""
    w = word[:-1] if word.endswith("e") and not word.endswith("le") else word
    return max(1, len(re.findall(r"[aeiouy]+", w)))


def rx(pattern, exclude=None, max_syl=None, min_syl=None):
    """Bit = the group named b, or the whole match."""
    compiled = re.compile(pattern)
    skip = re.compile(exclude) if exclude else None

    def find(word, vocab):
        if skip and skip.search(word):
            return None
        n = syllables(word)
        if (max_syl and n > max_syl) or (min_syl and n < min_syl):
            return None
        m = compiled.search(word)
        if not m:
            return None
        for name in ("b", "c", "d"):
            if name in compiled.groupindex and m.group(name):
                return m.group(name)
        return m.group(0)

    return find


def words_in(*lists):
    """A hand list: word -> bit, for patterns letters alone cannot find."""
    table = {}
    for text in lists:
        for item in text.split():
            word, bit = item.split(":")
            table[word] = bit

    def find(word, vocab):
        return table.get(word)

    find.words = table
    return find


def is_noun(word):
    """Plural endings belong to nouns, not to verbs that look the same (boxes, punishes)."""
    return word in lexicon.nouns()


def first(*finders):
    def find(word, vocab):
        for f in finders:
            bit = f(word, vocab)
            if bit:
                return bit
        return None

    find.words = {w for f in finders for w in getattr(f, "words", ())}
    return find


# --- words built from a root and an ending -----------------------------------

def is_root(root, word, vocab):
    if root not in vocab:
        return False
    return not isinstance(vocab, dict) or vocab[root] <= vocab.get(word, vocab[root])


def root_plus(word, vocab, suffix):
    """Roots r in vocab with word == r + suffix, r + doubled consonant + suffix,
    r minus e + suffix, or r with y turned to i + suffix. Returns (root, how)."""
    if not word.endswith(suffix) or len(word) <= len(suffix) + 1:
        return None
    stem = word[: -len(suffix)]
    if len(stem) > 2 and is_root(stem, word, vocab):
        return stem, "plain"
    if len(stem) > 3 and stem[-1] == stem[-2] and stem[-1] in CONS and is_root(stem[:-1], word, vocab):
        return stem[:-1], "double"
    if len(stem) > 2 and suffix[0] in "aeiouy" and is_root(stem + "e", word, vocab):
        return stem + "e", "drop_e"
    if stem.endswith("i") and len(stem) > 2 and is_root(stem[:-1] + "y", word, vocab):
        return stem[:-1] + "y", "y_to_i"
    return None


def built(suffixes, how, bit):
    """Words made of a root and one of the endings, joined as how says (a tuple of "plain",
    "double", "drop_e", "y_to_i"); bit(word, root, suffix) gives the bit or None. A negative
    bit the word itself contains is refused."""

    def find(word, vocab):
        for s in suffixes:
            r = root_plus(word, vocab, s)
            if r and r[1] in how:
                b = bit(word, r[0], s)
                if b and not (b.startswith("-") and b[1:] in word):
                    return b
        return None

    return find


def single_before(root, suffix):
    return "-" + root[-1] * 2 + suffix


def doubled(suffixes):
    """stop + ing = stopping: bit is the doubled consonant."""
    return built(suffixes, ("double",),
                 lambda w, r, s: w[: -len(s)][-2:] if re.search(C + V + C + "$", r) else None)


def not_doubled(suffixes):
    """visit + ing = visiting: the consonant stays single."""
    return built(suffixes, ("plain",), lambda w, r, s: single_before(r, s) if syllables(r) >= 2
                 and re.search("[^aeiou]" + V + "[bdglmnprt]$", r) else None)


def after_vowel_team(suffixes):
    """rain + ed = rained: no doubling after two vowels."""
    return built(suffixes, ("plain",), lambda w, r, s: single_before(r, s) if re.search(
        "(ai|ea|ee|oa|oo|ou|oi)[bdglmnprt]$", r) else None)


def drop_e(suffixes):
    """make + ing = making: the e must not come back."""
    return built(suffixes, ("drop_e",), lambda w, r, s: "-e" + s if len(r) >= 4
                 and not r.endswith(("ee", "ye", "oe")) else None)


def keep_e(suffixes):
    """hope + ful = hopeful: the e stays before a consonant."""
    return built(suffixes, ("plain",), lambda w, r, s: "e" + s if r.endswith("e")
                 and not r.endswith(("ee", "ie")) else None)


def y_to_i(suffixes):
    """happy + ness = happiness: the bit is the i with its ending."""
    return built(suffixes, ("y_to_i",), lambda w, r, s: "i" + s if re.search(C + "y$", r) else None)


def keep_y(suffixes):
    """play + ed = played, cry + ing = crying: the y stays."""
    return built(suffixes, ("plain",), lambda w, r, s: "y" + s if r.endswith("y") else None)


def with_suffix(suffixes, how=("plain",), bit=None, min_root=3):
    """A whole word plus an ending; bit is the ending (or bit(word, root, suffix))."""
    return built(suffixes, how, lambda w, r, s: None if len(r) < min_root
                 else (bit(w, r, s) if bit else s))


def load_prefixed(path):
    """word -> (prefix, root) from the hand-reviewed list of genuine prefixed words."""
    table = {}
    with open(path, encoding="utf-8") as f:
        for n, line in enumerate(f, 1):
            if line.startswith("#") or not line.strip():
                continue
            parts = line.rstrip("\n").split("\t")
            if len(parts) != 3 or parts[0] != parts[1] + parts[2]:
                raise ValueError("%s:%d: expected word, prefix and root, the word being the two "
                                 "joined: %r" % (path, n, line))
            table[parts[0]] = (parts[1], parts[2])
    return table


# Only words on this list are taught as prefix + root: letters alone cannot tell rebuild
# (re + build) from republic or repair.
PREFIXED = load_prefixed(os.path.join(os.path.dirname(os.path.abspath(__file__)), "data",
                                      "prefixed.txt"))


def prefixed(prefix, same_letter=None, table=None):
    """prefix + whole word, for the words the list of prefixed words gives that prefix.
    same_letter: True keeps only roots that start with the prefix's last letter
    (un + natural), False only those that do not, None all."""
    table = PREFIXED if table is None else table

    def find(word, vocab):
        if table.get(word, (None,))[0] != prefix:
            return None
        root = word[len(prefix):]
        joins = root[0] == prefix[-1]
        if same_letter is True:
            return prefix[-1] * 2 if joins else None
        if same_letter is False:
            if joins:
                return None
            bit = "-" + prefix + prefix[-1]
            return bit if bit[1:] not in word else None
        return prefix

    return find
