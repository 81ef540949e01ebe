"""Words kept out of the course, and words it once taught wrongly.

data/not_for_learners.txt lists stems (vulgar words, slurs, sexual words, archaic
forms, names written in lower case, list oddities); a stem keeps its whole family
out: rape also rapes, raped, raping, rapist. A family member is the stem followed by
endings, joined the way English joins them (masturbate, masturbating; sod, sodding;
horny, horniest), so grape, therapist and cumulative stay in.

data/known_wrong.txt lists words the course once put where they do not belong
(payed, number as more numb), for a check that they do not come back.
"""

import re

# withheld: words the project keeps out of all its files, this course included.
CATEGORIES = ("vulgar", "slur", "sexual", "archaic", "proper", "oddity", "withheld")

INFLECTIONS = ("s", "es", "ed", "ing", "er", "est", "ly", "y")
DERIVATIONS = ("ness", "ish", "ist", "ism", "ion", "ation", "ize", "ous", "ic", "al", "ity",
               "able")
# A stem of three letters also starts unrelated words (ass-ist, tit-ter): it takes only
# these endings. A stem of two letters blocks only itself (ye, not yes).
SHORT_ENDINGS = ("s", "es", "ed", "ing", "y")

# The endings that double a final consonant (sodding) or take a k after a c (panicked).
DOUBLING = ("ed", "ing", "er", "est", "y", "ish")
# The endings that drop a silent e (raping, rapist). Elsewhere the e stays, or the word is
# another one: rapey but rapier, bible but biblical, gimme but gimmicky.
E_DROP = ("ed", "ing", "er", "est", "ish", "ist", "ism", "ion", "ize", "able")
SIBILANT = ("s", "x", "z", "ch", "sh")
VOWELS = "aeiou"
WORD = re.compile("[a-z]+")


def _lines(path):
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, start=1):
            line = line.rstrip("\n")
            if line.strip() and not line.startswith("#"):
                yield number, line.split("\t")


def load_list(path):
    """stem -> category, from lines "stem<TAB>category"."""
    stems = {}
    for number, fields in _lines(path):
        if len(fields) != 2 or not WORD.fullmatch(fields[0]) or fields[1] not in CATEGORIES:
            raise ValueError("%s:%d: expected a lowercase stem, a tab and one of %s"
                             % (path, number, ", ".join(CATEGORIES)))
        if fields[0] in stems:
            raise ValueError("%s:%d: %s is listed twice" % (path, number, fields[0]))
        stems[fields[0]] = fields[1]
    return stems


def _single_syllable(base):
    return len(re.findall("[aeiouy]+", base)) == 1


def _joins(base, ending, first):
    """The spellings of base + ending; only the stem itself doubles its last consonant."""
    if base.endswith("c"):
        # c stays hard: panicked, not paniced; a plain e after it is another word (spiced).
        if ending in DOUBLING:
            return [base + "k" + ending]
        return [] if ending == "es" else [base + ending]
    if ending == "s":
        return [] if base.endswith(SIBILANT) or re.search("[^aeiou]y$", base) else [base + "s"]
    if re.search("[^aeiou]y$", base):
        if ending == "es":
            return [base[:-1] + "ies"]
        return [base + ending] if ending.startswith("i") else [base[:-1] + "i" + ending]
    if ending == "es":
        return [base + "es"] if base.endswith(SIBILANT + ("o",)) else []
    if ending in E_DROP and re.search("[^aeiouy]e$", base) and base[-2] != base[-3:-2]:
        return [base[:-1] + ending]
    if ending[0] in VOWELS + "y":
        # A doubled s makes new words (mes, messy) more often than family members.
        if first and ending in DOUBLING and re.search("(^|[^aeiou])[aeiou][^aeiouswxy]$", base):
            doubled = base + base[-1] + ending
            return [doubled] if _single_syllable(base) else [doubled, base + ending]
    return [base + ending]


def _member(word, base, endings, first=True):
    if word == base:
        return True
    for ending in endings:
        for joined in _joins(base, ending, first):
            if ending in ("s", "es"):
                if word == joined:
                    return True
            # The next ending may still change the last letter: horny, hornier.
            elif word.startswith(joined[:-1]) and _member(word, joined, endings, False):
                return True
    return False


def blocked(word, stems):
    """The category of the stem whose family word belongs to, or None."""
    if word in stems:
        return stems[word]
    for stem in sorted(stems, key=len, reverse=True):
        if len(stem) < 3 or not word.startswith(stem[:-1]):
            continue
        endings = SHORT_ENDINGS if len(stem) == 3 else INFLECTIONS + DERIVATIONS
        if _member(word, stem, endings):
            return stems[stem]
    return None


def load_known_wrong(path):
    """word -> the places it must not appear: "*" (anywhere) or the start of a section
    rule. Lines are "word<TAB>where", optionally followed by "<TAB># why"."""
    wrong = {}
    for number, fields in _lines(path):
        if (len(fields) not in (2, 3) or not WORD.fullmatch(fields[0]) or not fields[1].strip()
                or (len(fields) == 3 and not fields[2].startswith("#"))):
            raise ValueError("%s:%d: expected a lowercase word, a tab, * or the start of a "
                             "section rule, and optionally a tab and # why" % (path, number))
        wrong.setdefault(fields[0], []).append(fields[1])
    return wrong


def known_wrong_hits(entries, wrong):
    """The (word, section rule) entries the list forbids, as "word in 'rule'"."""
    hits = []
    for word, rule in entries:
        places = wrong.get(word, ())
        if any(p == "*" or rule.startswith(p) for p in places):
            hit = "%s in '%s'" % (word, rule)
            if hit not in hits:
                hits.append(hit)
    return hits
