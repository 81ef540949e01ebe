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

import json
import os
import re
import shutil
import sys
import tempfile

import check
import course
from families import family
import seedfiles
import sounds
from patterns import syllables

HERE = os.path.dirname(os.path.abspath(__file__))
PRONUNCIATIONS = os.path.join(HERE, "data", "pronunciations.txt")

TIERS = (10, 20, 35)


# Words the course leaves out: slurs, vulgar words and list oddities a learner would not write.
LEFT_OUT = set("""hes cum cums bitch bitched bitches bitching bitchy whore whores fag fags faggot
    faggots nigger niggers shit shits shitty fuck fucks fucked fucker fucking cunt cunts dick dicks
    pussy pussies tit tits titty piss pissed pisses damn damned damns slut sluts slutty bastard
    bastards crap craps crappy twat twats wank wanker homo homos dyke dykes spic spics kike kikes
    gook gooks honester honestest""".split())


def load_vocab(folder):
    tier = {}
    for n in TIERS:
        for variety in ("english", "american"):
            path = os.path.join(folder, "%s-words-%d.json" % (variety, n))
            with open(path, encoding="utf-8") as f:
                for w in json.load(f):
                    if re.fullmatch("[a-z]{2,}", w) and w not in LEFT_OUT:
                        tier.setdefault(w, n)
    return tier


def make_rows(entries, tier):
    """Rows of at most five words: a family stays together; small families share a row
    with neighbours that carry the same bit."""
    fams = {}
    for word, bit in entries:
        fams.setdefault((bit, family(word)), []).append((word, bit))
    order = sorted(fams, key=lambda k: (min(tier[w] for w, _ in fams[k]), k[0], k[1]))
    rows, pending = [], []
    for key in order:
        members = sorted(fams[key], key=lambda e: (tier[e[0]], len(e[0]), e[0]))
        while len(members) >= 5:
            rows.append(members[:5])
            members = members[5:]
        if not members:
            continue
        if pending and (len(pending) + len(members) > 5 or pending[0][1] != members[0][1]):
            rows.append(pending)
            pending = []
        pending = pending + members
    if pending:
        rows.append(pending)
    return rows


def with_examples(rule, entries, tier, count=4):
    """A section rule that does not show its pattern at work gets a few common words of it."""
    if ":" in rule:
        return rule
    seen, examples = set(), []
    for word, _ in sorted(entries, key=lambda e: (tier[e[0]], len(e[0]), e[0])):
        if family(word) not in seen:
            seen.add(family(word))
            examples.append(word)
        if len(examples) == count:
            break
    return "%s For example: %s." % (rule, ", ".join(examples))


def build(tier, prons):
    vocab = tier
    words = sorted(tier, key=lambda w: (tier[w], w))
    codes, rules, levels = {}, {}, {}
    for level_no, units in enumerate(course.LEVELS, start=1):
        out_units = []
        longest = course.MAX_SYLLABLES.get(level_no)
        level_words = [w for w in words if not longest or syllables(w) <= longest]
        for unit in units:
            filed = [[] for _ in unit.sections]
            for w in level_words:
                for i, sec in enumerate(unit.sections):
                    if sec.max_tier and tier[w] > sec.max_tier:
                        continue
                    bit = sec.finder(w, vocab)
                    if bit and sec.sound and not sounds.has_sound(w, sec.sound, bit, prons):
                        continue
                    if bit:
                        filed[i].append((w, bit))
                        break
            sections = [(with_examples(sec.rule, entries, tier), make_rows(entries, tier))
                        for sec, entries in zip(unit.sections, filed) if entries]
            if not sections:
                print("unit without words: %s" % unit.rule[:60], file=sys.stderr)
                continue
            text = course.SHARED.get(unit.rule, unit.rule)
            if text not in codes:
                codes[text] = len(codes) + 1
                rules[codes[text]] = text
            out_units.append((codes[text], sections))
        levels[level_no] = out_units
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
    levels, rules = build(tier, prons)
    # Checked as written, by the same checker the tests run; nothing reaches out_dir otherwise.
    with tempfile.TemporaryDirectory() as scratch:
        seedfiles.write_seed_files(scratch, levels, rules)
        names = ("Lessons_Initiation_Data.xml", "Rules_Initiation_Data.xml")
        prons_path = os.path.join(scratch, "pronunciations.txt")
        write_pronunciations(prons_path, source, sounded_words(levels, rules))
        errors, _, _ = check.problems(*(os.path.join(scratch, n) for n in names),
                                      pronunciations=prons_path)
        for e in errors[:50]:
            print(e, file=sys.stderr)
        if errors:
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
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
