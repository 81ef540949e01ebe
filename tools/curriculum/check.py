#!/usr/bin/env python3
"""Checks the curriculum seed files line by line.

Usage: check.py [LESSONS_FILE RULES_FILE [PRONUNCIATIONS]]
Defaults to the two files in resources/ and data/pronunciations.txt. Prints every problem found and
exits 1 if there was any; otherwise prints the curriculum's figures.

Besides the format it checks what is taught: every word of a section that names
a sound has that sound in one of its pronunciations (data/pronunciations.txt);
no word belongs to a family the course keeps from learners
(data/not_for_learners.txt); and no word is where the course once taught it
wrongly (data/known_wrong.txt).
"""

import os
import re
import statistics
import sys

import course
from families import family
import learners
import sounds

DATA = os.path.join(os.path.dirname(os.path.abspath(__file__)), "data")

HEADER = '<?xml version="1.0" encoding="utf-8"?>'
# Values are written verbatim by the app, so markup characters would break it.
TEXT = r"([^<>&]*)"
NUM = r"(0|[1-9][0-9]*)"


class Lines:
    """Cursor over the file's lines that records mismatches instead of raising."""

    def __init__(self, name, lines, errors):
        self.name, self.lines, self.errors, self.i = name, lines, errors, 0

    def fail(self, msg, line_no=None):
        n = self.i + 1 if line_no is None else line_no
        self.errors.append("%s:%d: %s" % (self.name, n, msg))

    def peek(self):
        return self.lines[self.i] if self.i < len(self.lines) else None

    def take(self, pattern, what):
        """Match the next line in full; return its groups or None."""
        line = self.peek()
        if line is None:
            self.fail("file ends where %s was expected" % what)
            raise StopIteration
        m = re.fullmatch(pattern, line)
        if not m:
            self.fail("expected %s, found %r" % (what, line))
            raise StopIteration
        self.i += 1
        return m.groups()

    def literal(self, text):
        return self.take(re.escape(text), text)

    def value(self, tag, kind=TEXT):
        (v,) = self.take("<%s>%s</%s>" % (tag, kind, tag), "<%s>" % tag)
        if v == "(null)":
            self.fail("absent value in <%s>" % tag, self.i)
        elif v == "":
            self.fail("empty <%s>" % tag, self.i)
        return v


def read_lines(path, errors, want_final_lf):
    name = os.path.basename(path)
    try:
        raw = open(path, "rb").read()
    except OSError as e:
        errors.append("%s: cannot read: %s" % (name, e))
        return name, None
    for bom, enc in ((b"\xff\xfe", "utf-16-le"), (b"\xfe\xff", "utf-16-be"),
                     (b"\xef\xbb\xbf", "utf-8")):
        if raw.startswith(bom):
            break
    else:
        # Keep going as UTF-8 so the rest of the file still gets checked.
        errors.append("%s: no byte-order mark" % name)
        bom, enc = b"", "utf-8"
    if bom and enc != "utf-16-le":
        errors.append("%s: encoded as %s, expected UTF-16LE" % (name, enc))
    try:
        text = raw[len(bom):].decode(enc)
    except UnicodeDecodeError as e:
        errors.append("%s: cannot decode: %s" % (name, e))
        return name, None
    if "\r" in text:
        errors.append("%s: carriage return found; lines end in line feed only"
                      % name)
    ends_lf = text.endswith("\n")
    if want_final_lf and not ends_lf:
        errors.append("%s: last line has no line feed" % name)
    if not want_final_lf and ends_lf:
        errors.append("%s: last line must not end with a line feed" % name)
    if ends_lf:
        text = text[:-1]
    return name, text.split("\n")


def check_numbering(errors, where, numbers, first):
    want = list(range(first, first + len(numbers)))
    if numbers != want:
        errors.append("%s numbered %s, expected %s" % (where, numbers, want))


def rime(word, bit):
    """The letters from the bit to the end of the word when more follows it: the at of cat."""
    at = -1 if bit.startswith("-") else word.find(bit)
    return word[at:] if at >= 0 and len(word) - at > len(bit) else None


def plain_rule(text):
    """A section rule without the examples the generator adds to it."""
    return text.split(" For example: ")[0]


def parse_lessons(path, errors, rows=None, section_rules=None):
    """Returns {(level, unit): (code, rule text)} for the units found; appends
    ((level, unit, section), [(word, bit)]) to rows for every row read, and keeps
    each section's rule in section_rules."""
    name, lines = read_lines(path, errors, want_final_lf=False)
    units = {}
    if lines is None:
        return units
    c = Lines(name, lines, errors)
    try:
        c.literal(HEADER)
        c.literal("<lessonsData>")
        levels = []
        while c.peek() == "<level>":
            c.i += 1
            level = int(c.value("levelNumber", NUM))
            levels.append(level)
            unit_nos = []
            while c.peek() == "<unit>":
                c.i += 1
                unit = int(c.value("unitNumber", NUM))
                unit_nos.append(unit)
                where = "%s: level %d unit %d" % (name, level, unit)
                c.literal("<generalRule>")
                code = c.value("code", NUM)
                rule = c.value("rule")
                c.literal("</generalRule>")
                if (level, unit) in units:
                    c.fail("level %d unit %d appears twice" % (level, unit))
                units[(level, unit)] = (code, rule)
                sec_nos = []
                while c.peek() == "<section>":
                    c.i += 1
                    sec = int(c.value("sectionNumber", NUM))
                    sec_nos.append(sec)
                    rule = c.value("rule")
                    if section_rules is not None:
                        section_rules[(level, unit, sec)] = rule
                    seen = {}
                    while c.peek() == "<relatedWords>":
                        start = c.i + 1
                        c.i += 1
                        row = []
                        while c.peek() != "</relatedWords>":
                            word = c.value("word")
                            bit = c.value("bit")
                            row.append((word, bit))
                            check_bit(c, word, bit)
                        c.i += 1
                        if rows is not None:
                            rows.append(((level, unit, sec), row))
                        if not row:
                            c.fail("empty row", start)
                        if len(row) > 5:
                            c.fail("row has %d words, at most 5" % len(row),
                                   start)
                        words = [w for w, _ in row]
                        if len(set(words)) != len(words):
                            c.fail("word repeated within a row", start)
                        key = tuple(row)
                        if row and key in seen:
                            c.fail("row duplicates the one on line %d"
                                   % seen[key], start)
                        seen.setdefault(key, start)
                    if not seen and c.peek() == "</section>":
                        c.fail("section %d has no rows" % sec)
                    c.literal("</section>")
                if not sec_nos:
                    c.fail("unit has no sections")
                check_numbering(errors, "%s: sections" % where, sec_nos, 0)
                c.literal("</unit>")
            if not unit_nos:
                c.fail("level %d has no units" % level)
            check_numbering(errors, "%s: level %d units" % (name, level),
                            unit_nos, 1)
            c.literal("</level>")
        if not levels:
            c.fail("no levels")
        check_numbering(errors, "%s: levels" % name, levels, 1)
        c.literal("</lessonsData>")
        if c.peek() is not None:
            c.fail("unexpected text after </lessonsData>")
    except StopIteration:
        pass
    return units


def check_bit(c, word, bit):
    line = c.i - 1
    if bit.startswith("-"):
        if len(bit) == 1:
            c.fail("negative bit names no letters", line)
        elif bit[1:] in word:
            c.fail("negative bit %r but %r contains %r" % (bit, word, bit[1:]),
                   line)
    elif bit and bit not in word:
        c.fail("bit %r is not part of %r" % (bit, word), line)


def parse_reference(text):
    """'1-U3, U4, 2-U1' -> [(1, 3), (1, 4), (2, 1)]; raises ValueError."""
    out, level, prev_level = [], None, None
    for entry in text.split(", "):
        m = re.fullmatch(r"(?:%s-)?U%s" % (NUM, NUM), entry)
        if not m:
            raise ValueError("bad entry %r" % entry)
        if m.group(1) is None:
            if level is None:
                raise ValueError("%r has no level to follow" % entry)
        else:
            level = int(m.group(1))
            if level == prev_level:
                raise ValueError("%r repeats the level; use U%s"
                                 % (entry, m.group(2)))
        out.append((level, int(m.group(2))))
        prev_level = level
    if out != sorted(set(out)):
        raise ValueError("entries not in ascending order")
    return out


def parse_rules(path, errors):
    """Returns {code: (rule text, [(level, unit)])}."""
    name, lines = read_lines(path, errors, want_final_lf=True)
    rules = {}
    if lines is None:
        return rules
    c = Lines(name, lines, errors)
    try:
        c.literal(HEADER)
        c.literal("<rulesData>")
        order = []
        while c.peek() == "<ruleObject>":
            c.i += 1
            code = c.value("ruleCode", NUM)
            rule = c.value("rule")
            ref = c.value("reference")
            try:
                lessons = parse_reference(ref)
            except ValueError as e:
                c.fail("rule %s reference %r: %s" % (code, ref, e), c.i)
                lessons = []
            c.literal("</ruleObject>")
            if code in rules:
                c.fail("rule %s appears twice" % code)
            rules[code] = (rule, lessons)
            order.append(code)
        c.literal("</rulesData>")
        if c.peek() is not None:
            c.fail("unexpected text after </rulesData>")
        # The app looks rules up in this order, comparing codes as strings.
        if order != sorted(order):
            errors.append("%s: rules not in string order of code: %s"
                          % (name, ", ".join(order)))
        check_numbering(errors, "%s: rules" % name,
                        sorted(int(x) for x in set(order)), 1)
    except StopIteration:
        pass
    return rules


def cross_check(units, rules, errors):
    for (level, unit), (code, rule) in sorted(units.items()):
        if code not in rules:
            errors.append("level %d unit %d uses rule %s, not in the rules file"
                          % (level, unit, code))
            continue
        text, lessons = rules[code]
        if rule != text:
            errors.append("level %d unit %d: general rule text differs from "
                          "rule %s" % (level, unit, code))
        if (level, unit) not in lessons:
            errors.append("rule %s reference misses %d-U%d, which uses it"
                          % (code, level, unit))
    for code, (_, lessons) in sorted(rules.items(), key=lambda kv: int(kv[0])):
        if not lessons:
            errors.append("rule %s is used by no unit" % code)
        for level, unit in lessons:
            if (level, unit) not in units:
                errors.append("rule %s references %d-U%d, which does not exist"
                              % (code, level, unit))
            elif units[(level, unit)][0] != code:
                errors.append("rule %s references %d-U%d, which uses rule %s"
                              % (code, level, unit, units[(level, unit)][0]))


def check_sounds(units, rows, section_rules, prons, errors):
    """Words of sound sections that lack the sound, or whose pronunciation is unknown.
    Returns how many words were checked."""
    keys = course.sound_keys()
    checked = 0
    for where, row in rows:
        level, unit, _ = where
        key = keys.get((units[(level, unit)][1], plain_rule(section_rules[where])))
        for word, bit in row if key else ():
            checked += 1
            if word not in prons:
                errors.append("%d-%d-%d: %s has no known pronunciation, so it cannot teach a "
                              "sound" % (where + (word,)))
            elif not sounds.has_sound(word, key, bit, prons):
                errors.append("%d-%d-%d: %s does not have the sound %s (%s)" % (
                    where + (word, key, " / ".join(p.strip() for p in prons[word]))))
    return checked


def cited(text):
    """The words a rule gives as examples, each as a tuple of which one must be taught: lists
    after a colon or "as in", and in brackets. A pair (stop, stopping; legal, legality) is
    one example, either word teaching it; un + happy = unhappy cites unhappy; phrases are not
    words (cap becomes cape)."""
    examples = []
    for sentence in re.split(r"\. ", text):
        parts = re.findall(r"\(([^)]*)\)", sentence)
        m = re.search(r":(.*)|\bas in (.*)", sentence)
        if m:
            parts.append(re.sub(r"\([^)]*\)", "", m.group(1) or m.group(2)))
        for part in parts:
            for segment in part.split(";"):
                words = []
                for piece in re.split(r",| and | or ", segment):
                    tokens = re.findall(r"[a-z']+(?:-[a-z']+)*", piece.lower())
                    if "=" in piece:
                        tokens = tokens[-1:]
                    if len(tokens) == 1 and "-" not in tokens[0] and len(tokens[0]) > 1:
                        words.append(tokens[0].strip("'"))
                pair = len(words) == 2 and (";" in part or words[0][:2] == words[1][:2])
                examples += [tuple(words)] if pair else [(w,) for w in words]
    return examples


def check_examples(units, rows, section_rules, errors):
    """A word a unit rule or a section rule cites must be taught by a unit of that rule.
    Returns how many citations were checked."""
    taught, bits = {}, {}
    for (level, unit, _), row in rows:
        taught.setdefault(units[(level, unit)][0], set()).update(w for w, _ in row)
        bits.setdefault(units[(level, unit)][0], set()).update(b for _, b in row)
    texts = {(code, rule) for code, rule in units.values()}
    texts |= {(units[(level, unit)][0], plain_rule(rule))
              for (level, unit, _), rule in section_rules.items()}
    checked = 0
    for code, text in sorted(texts):
        # Letters the rule names (scr, spl) are bits, not words.
        for example in [e for e in cited(text) if not bits.get(code, set()).issuperset(e)]:
            checked += 1
            if not taught.get(code, set()).intersection(example):
                errors.append("rule %s cites %s, which no unit of the rule teaches: %s"
                              % (code, " or ".join(example), text[:70]))
    return checked


def check_suitable(rows, section_rules, errors):
    """Words kept from learners, and words where the course once taught them wrongly.
    Returns (words checked, entries listed as wrong)."""
    stems = learners.load_list(os.path.join(DATA, "not_for_learners.txt"))
    wrong = learners.load_known_wrong(os.path.join(DATA, "known_wrong.txt"))
    words = sorted({w for _, row in rows for w, _ in row})
    for word in words:
        why = learners.blocked(word, stems)
        if why:
            errors.append("%s is not for learners (%s)" % (word, why))
    entries = [(w, plain_rule(section_rules[where])) for where, row in rows for w, _ in row]
    errors += ["known wrong: %s" % hit for hit in learners.known_wrong_hits(entries, wrong)]
    return len(words), len(wrong)


def problems(lessons_path, rules_path, rows=None, pronunciations=None, counts=None):
    """Every problem found in the two files, with the units and rules read; counts gets
    how many words each content check read."""
    errors = []
    counts = {} if counts is None else counts
    rows = [] if rows is None else rows
    section_rules = {}
    units = parse_lessons(lessons_path, errors, rows, section_rules)
    rules = parse_rules(rules_path, errors)
    if not errors:
        cross_check(units, rules, errors)
    if not errors:
        prons = sounds.load(pronunciations or os.path.join(DATA, "pronunciations.txt"))
        counts["sounded"] = check_sounds(units, rows, section_rules, prons, errors)
        counts["words"], counts["wrong"] = check_suitable(rows, section_rules, errors)
        counts["cited"] = check_examples(units, rows, section_rules, errors)
    return errors, units, rules


def figures(units, rows):
    """The lines a teacher reviews: sizes, words per unit, how rows mix families."""
    unit_words = {u: set() for u in units}
    for (level, unit, _), row in rows:
        unit_words[(level, unit)].update(w for w, _ in row)
    sizes = sorted(len(w) for w in unit_words.values()) or [0]
    families = [len({family(w) for w, _ in row}) for _, row in rows]
    units_of = {}
    for (level, unit, _), row in rows:
        for w, b in row:
            if not b.startswith("-"):
                units_of.setdefault((w, b), set()).add((level, unit))
    repeated = sum(len(u) > 1 for u in units_of.values())
    rhymes = sum(len(row) > 1 and families[n] > 1 and len({rime(w, b) for w, b in row}) == 1
                 and rime(*row[0]) is not None for n, (_, row) in enumerate(rows))

    def share(n):
        return "%.1f %%" % (100.0 * n / len(rows) if rows else 0.0)

    return [
        "levels: %d" % len({level for level, _ in units}),
        "units: %d" % len(units),
        "sections: %d" % len({where for where, _ in rows}),
        "rows: %d" % len(rows),
        "entries (word occurrences): %d" % sum(len(row) for _, row in rows),
        "distinct words: %d" % len({w for _, row in rows for w, _ in row}),
        "distinct words per unit: min %d, median %g, max %d"
        % (sizes[0], statistics.median(sizes), sizes[-1]),
        "units with fewer than 20 words: %d" % sum(n < 20 for n in sizes),
        "units with more than 300 words: %d" % sum(n > 300 for n in sizes),
        "rows of one word family: %s" % share(families.count(1)),
        "rows of words that rhyme on their bit (cat, hat, bat): %s" % share(rhymes),
        "rows of five words from five families: %s" % share(families.count(5)),
        "words taught in two units or more for the same letters: %d" % repeated,
    ]


def main(argv):
    if len(argv) not in (1, 3, 4):
        print(__doc__.strip(), file=sys.stderr)
        return 2
    pronunciations = argv[3] if len(argv) == 4 else None
    if len(argv) >= 3:
        lessons_path, rules_path = argv[1], argv[2]
    else:
        res = os.path.join(os.path.dirname(os.path.abspath(__file__)),
                           "..", "..", "resources")
        lessons_path = os.path.join(res, "Lessons_Initiation_Data.xml")
        rules_path = os.path.join(res, "Rules_Initiation_Data.xml")
    rows, counts = [], {}
    errors, units, rules = problems(lessons_path, rules_path, rows, pronunciations, counts)
    for e in errors:
        print(e)
    if errors:
        print("%d problem(s)" % len(errors))
        return 1
    print("ok: %d units, %d rules" % (len(units), len(rules)))
    for line in figures(units, rows):
        print(line)
    print("words in sections that name a sound: %d, without their sound: 0" % counts["sounded"])
    print("words kept from learners: 0 of %d; known-wrong words (%d listed) taught: 0"
          % (counts["words"], counts["wrong"]))
    print("example words cited by rules: %d, missing from their units: 0" % counts["cited"])
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
