#!/usr/bin/env python3
"""Generates the factory curriculum from the course's pattern definitions.

Usage: generate.py SOURCES_DIR [OUT_DIR]

SOURCES_DIR holds what fetch-wordlists puts there: SCOWL's word lists by
commonness tier as JSON (english-words-10.json ... american-words-35.json) and
the CMU Pronouncing Dictionary (cmudict.0.7a). OUT_DIR defaults to resources/.
Run by hand after changing the course; the written files, and the
pronunciations of the words in sound sections (data/pronunciations.txt, which
the checker reads; beside the files when OUT_DIR is given), are committed and
nothing runs this at build time.
"""

import functools
import json
import os
import re
import shutil
import sys
import tempfile

import check
import course
from families import family
import learners
import lexicon
import seedfiles
import sounds
from patterns import syllables

HERE = os.path.dirname(os.path.abspath(__file__))
PRONUNCIATIONS = os.path.join(HERE, "data", "pronunciations.txt")

TIERS = (10, 20, 35)


def load_vocab(folder):
    tier = {}
    for n in TIERS:
        for variety in ("english", "american"):
            path = os.path.join(folder, "%s-words-%d.json" % (variety, n))
            with open(path, encoding="utf-8") as f:
                for w in json.load(f):
                    if re.fullmatch("[a-z]{2,}", w):
                        tier.setdefault(w, n)
    return tier


# A unit teaches its commonest words, at most this many; the rest of its pattern goes to a
# unit of the last level, "more words", so that the analysis still finds them.
UNIT_WORDS = 300
# A unit takes at least this many words, however rare, when its pattern has them.
UNIT_MIN_WORDS = 20
# How common (rank in the word counts) a word must be for a level's own units.
COMMON_UP_TO = {1: 4000, 2: 5000, 3: 8000, 4: 10000, 5: 12000, 6: 15000}
COMMON_LATER = 25000


class Ranked:
    """Orders words commonest first, and groups them by family and by rhyme."""

    def __init__(self, ranks, families, tier, prons=None):
        self.ranks, self.families, self.tier, self.prons = ranks, families, tier, prons or {}

    def key(self, word):
        return (lexicon.rank_of(word, self.ranks), self.tier.get(word, 35), len(word), word)

    def family(self, word):
        return self.families.of(word) if self.families else family(word)

    def rhyme(self, word, bit):
        """Words rhyme on their bit when they end in the same letters from the bit on and
        sound the same from their last stressed vowel: cat, hat; not kidding, wedding."""
        letters = check.rime(word, bit)
        said = self.prons.get(word)
        if not letters or not said:
            return None
        phones = said[0].split()
        stressed = [i for i, p in enumerate(phones) if p.endswith("1")]
        return (letters, " ".join(phones[stressed[-1]:])) if stressed else None

    def groups(self, entries):
        """Families among entries, each commonest first; commonest family first."""
        fams = {}
        for word, bit in entries:
            fams.setdefault(self.family(word), []).append((word, bit))
        groups = [sorted(m, key=lambda e: self.key(e[0])) for m in fams.values()]
        return sorted(groups, key=lambda g: self.key(g[0][0]))


def make_rows(entries, ranked):
    """A row is one family, commonest words first; a family of more than five takes more rows.
    Words alone in their family share a row with words that rhyme with the same bit (cat, hat,
    bat)."""
    groups, alone = [], {}
    for group in ranked.groups(entries):
        key = ranked.rhyme(*group[0]) if len(group) == 1 else None
        if key:
            alone.setdefault(key, []).append(group[0])
        else:
            groups.append(group)
    groups += alone.values()
    rows = []
    for group in sorted(groups, key=lambda g: ranked.key(g[0][0])):
        rows += [group[i:i + 5] for i in range(0, len(group), 5)]
    return rows


def with_examples(rule, entries, ranked, count=4):
    """A section rule that does not show its pattern at work gets a few common words of it."""
    if ":" in rule:
        return rule
    examples = [g[0][0] for g in ranked.groups(entries)[:count]]
    return "%s For example: %s." % (rule, ", ".join(examples))


def file_words(words, tier, prons, hand, wrong):
    """[(level, unit, [[(word, bit)] for each section])]: each word goes to the first section
    of each unit whose finder gives a bit and, for a section that names a sound, whose sound
    the word has; never where the list of known-wrong words puts it."""
    filed_units = []
    for level_no, units in enumerate(course.LEVELS, start=1):
        longest = course.MAX_SYLLABLES.get(level_no)
        level_words = [w for w in words if w in hand or not longest or syllables(w) <= longest]
        for unit in units:
            filed = [[] for _ in unit.sections]
            for w in level_words:
                for i, sec in enumerate(unit.sections):
                    if sec.max_tier and tier.get(w, 10) > sec.max_tier:
                        continue
                    bit = sec.finder(w, tier)
                    if bit and sec.sound and not sounds.has_sound(w, sec.sound, bit, prons):
                        continue
                    if bit and w in wrong and learners.known_wrong_hits([(w, sec.rule)], wrong):
                        break
                    if bit:
                        filed[i].append((w, bit))
                        break
            filed_units.append((level_no, unit, filed))
    return filed_units


@functools.lru_cache(maxsize=None)
def cited_by(unit):
    """The example words the unit's rule and its section rules give."""
    texts = [course.SHARED.get(unit.rule, unit.rule)] + [s.rule for s in unit.sections]
    return {w for text in texts for example in check.cited(text) for w in example}


def drop_repeats(filed_units):
    """A word taught twice for the same letters stays only in one unit: the units whose rules
    cite it as an example or list it by hand (there, their and they're among the words that
    sound alike), else the first where those letters have their sound rather than only being
    listed with others, else the first."""
    seen = {}
    for n, (_, unit, filed) in enumerate(filed_units):
        chosen = cited_by(unit)
        for i, entries in enumerate(filed):
            others = unit.sections[i].rule == course.OTHERS
            listed = getattr(unit.sections[i].finder, "words", ())
            for word, bit in entries:
                if not bit.startswith("-"):
                    seen.setdefault((word, bit), []).append(
                        (word not in chosen and word not in listed, others, n, i))
    drop = set()
    for (word, bit), places in seen.items():
        places.sort()
        # Every unit that cites the word or lists it by hand keeps it.
        kept = [p for p in places if not p[0]] or places[:1]
        drop.update((p[2], p[3], word) for p in places if p not in kept)
    for n, (_, _, filed) in enumerate(filed_units):
        for i, entries in enumerate(filed):
            entries[:] = [(w, b) for w, b in entries if (n, i, w) not in drop]


def split_common(level_no, unit, filed, ranked):
    """(taught, more): the unit's commonest families up to its size, and the rest. The words
    its rules cite as examples come first, however rare."""
    limit = COMMON_UP_TO.get(level_no, COMMON_LATER)
    cited = cited_by(unit)
    groups = sorted(((ranked.key(g[0][0]), i, g) for i, entries in enumerate(filed)
                     for g in ranked.groups(entries)),
                    key=lambda t: (not any(w in cited for w, _ in t[2]), t[0]))
    taught, more = [[] for _ in filed], [[] for _ in filed]
    count = 0
    for key, i, group in groups:
        fits = count + len(group) <= UNIT_WORDS or count == 0
        example = any(w in cited for w, _ in group)
        if example or fits and (key[0] <= limit or count < UNIT_MIN_WORDS):
            taught[i] += group
            count += len(group)
        else:
            more[i] += group
    if sum(map(len, more)) < UNIT_MIN_WORDS:
        # Too few to stand as a unit of their own.
        return [t + m for t, m in zip(taught, more)], [[] for _ in filed]
    return taught, more


def chunks(more, ranked):
    """Sections' rarer words cut into units of about equal size, at most UNIT_WORDS, families
    kept whole."""
    total = sum(map(len, more))
    size = -(-total // -(-total // UNIT_WORDS)) if total else 0
    units, current, count = [], [[] for _ in more], 0
    for i, entries in enumerate(more):
        for group in ranked.groups(entries):
            if count and count + len(group) > size:
                units.append(current)
                current, count = [[] for _ in more], 0
            current[i] += group
            count += len(group)
    if count and units and count < UNIT_MIN_WORDS:
        # A few words left over join the unit before rather than stand alone.
        units[-1] = [u + c for u, c in zip(units[-1], current)]
    elif count:
        units.append(current)
    return units


def build(tier, prons, ranked, blocked=lambda w: None, wrong=None):
    hand = course.hand_listed()
    words = sorted((w for w in set(tier) | hand if not blocked(w)), key=ranked.key)
    filed_units = file_words(words, tier, prons, hand, wrong or {})
    drop_repeats(filed_units)
    codes, rules, levels, more_units = {}, {}, {}, []
    for level_no, unit, filed in filed_units:
        if not any(filed):
            print("unit without words: %s" % unit.rule[:60], file=sys.stderr)
            continue
        text = course.SHARED.get(unit.rule, unit.rule)
        if text not in codes:
            codes[text] = len(codes) + 1
            rules[codes[text]] = text
        section_rules = [with_examples(sec.rule, entries, ranked)
                         for sec, entries in zip(unit.sections, filed)]
        taught, more = split_common(level_no, unit, filed, ranked)
        for part, into in [(taught, levels.setdefault(level_no, []))] + [
                (chunk, more_units) for chunk in chunks(more, ranked)]:
            into.append((codes[text], [(r, make_rows(entries, ranked))
                                       for r, entries in zip(section_rules, part) if entries]))
    if more_units:
        levels[len(course.LEVELS) + 1] = more_units
    placed = {w for units in levels.values() for _, ss in units for _, rs in ss
              for r in rs for w, _ in r}
    for w in sorted(hand - placed):
        print("hand-listed word not taught: %s" % w, file=sys.stderr)
    return levels, rules


def sounded_words(levels, rules):
    """Words filed in sections that name a sound: the checker tests them against their
    pronunciations."""
    keys = course.sound_keys()
    return {w for units in levels.values() for code, sections in units
            for rule, rows in sections if (rules[code], check.plain_rule(rule)) in keys
            for row in rows for w, _ in row}


def write_pronunciations(path, source, words):
    """The dictionary's own lines for the given words, under its copyright notice."""
    with open(source, encoding="latin-1") as f:
        lines = f.read().split("\n")
    notice = [line for line in lines if line.startswith(";;;")]
    wanted = {w.upper() for w in words}
    kept = [line for line in lines if line and not line.startswith(";;;")
            and line.split("  ")[0].split("(")[0] in wanted]
    with open(path, "w", encoding="ascii", newline="\n") as f:
        f.write(";;; Pronunciations of the course's words in sections that name a sound, taken\n"
                ";;; from the CMU Pronouncing Dictionary 0.7a by tools/curriculum/generate.py.\n")
        f.write("\n".join(notice + kept) + "\n")


def main(argv):
    if len(argv) not in (2, 3):
        print(__doc__, file=sys.stderr)
        return 2
    root = os.path.normpath(os.path.join(os.path.dirname(__file__), "..", ".."))
    out_dir = argv[2] if len(argv) == 3 else os.path.join(root, "resources")
    os.makedirs(out_dir, exist_ok=True)
    tier = load_vocab(argv[1])
    source = os.path.join(argv[1], "cmudict.0.7a")
    prons = sounds.load(source)
    ranks = lexicon.load_ranks(os.path.join(argv[1], "subtlex-us.json"))
    # Forms the word lists make but nobody writes (abruptest, extincts, automobiled) have
    # neither a pronunciation nor a count.
    tier = {w: n for w, n in tier.items()
            if w in prons or w in ranks or not re.search("(s|ed|ing|er|est)$", w)}
    ranked = Ranked(ranks, lexicon.Families(lexicon.HUNSPELL, ranks), tier, prons)
    stems = learners.load_list(os.path.join(HERE, "data", "not_for_learners.txt"))
    wrong = learners.load_known_wrong(os.path.join(HERE, "data", "known_wrong.txt"))
    levels, rules = build(tier, prons, ranked, lambda w: learners.blocked(w, stems), wrong)
    # Checked as written, by the same checker the tests run; nothing reaches out_dir otherwise.
    with tempfile.TemporaryDirectory() as scratch:
        seedfiles.write_seed_files(scratch, levels, rules)
        names = ("Lessons_Initiation_Data.xml", "Rules_Initiation_Data.xml")
        prons_path = os.path.join(scratch, "pronunciations.txt")
        write_pronunciations(prons_path, source, sounded_words(levels, rules))
        errors, _, _ = check.problems(*(os.path.join(scratch, n) for n in names),
                                      pronunciations=prons_path)
        for e in errors[:200]:
            print(e, file=sys.stderr)
        if errors:
            print("%d problem(s)" % len(errors), file=sys.stderr)
            return 1
        for n in names:
            shutil.copyfile(os.path.join(scratch, n), os.path.join(out_dir, n))
        # Elsewhere than resources/ the pronunciations go beside the files, so a trial run
        # leaves the committed ones alone.
        shutil.copyfile(prons_path, PRONUNCIATIONS if len(argv) == 2
                        else os.path.join(out_dir, "pronunciations.txt"))
    units = [u for v in levels.values() for u in v]
    sections = [s for _, ss in units for s in ss]
    rows = [r for _, rs in sections for r in rs]
    entries = [e for r in rows for e in r]
    print("levels %d, units %d, sections %d, rows %d, entries %d, distinct words %d, rules %d" % (
        len(levels), len(units), len(sections), len(rows), len(entries),
        len({w for w, _ in entries}), len(rules)))
    for level, units in sorted(levels.items()):
        found = sorted(ranked.key(w)[0] for _, ss in units for _, rs in ss for r in rs for w, _ in r)
        print("level %2d: %3d units, %5d entries, median rank %6d, %3.0f %% among the 5,000 "
              "commonest words" % (level, len(units), len(found), found[len(found) // 2],
                                   100.0 * sum(n <= 5000 for n in found) / len(found)))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
