#!/usr/bin/env python3
"""The curriculum tool: the checker must catch broken files, and the word-building
finders must give the bits the course teaches."""

import os
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import check  # noqa: E402
import course as the_course  # noqa: E402
import generate  # noqa: E402
import lexicon  # noqa: E402
import patterns  # noqa: E402
import seedfiles  # noqa: E402
import sounds  # noqa: E402
from test_learners import *  # noqa: E402,F401,F403 (the suitability lists, run here too)

CHECK = os.path.join(os.path.dirname(os.path.abspath(__file__)), "check.py")

RULES = {1: "Double the consonant.", 2: "Keep the e."}


def course(change=None):
    """Two levels that pass the checker; change replaces parts of it."""
    levels = {
        1: [(1, [("Before ing.", [[("stopping", "pp"), ("hopping", "pp")]])])],
        2: [(2, [("Before ful.", [[("hopeful", "eful")], [("useful", "eful")]])]),
            (1, [("Not after two vowels.", [[("rained", "-nned")]])])],
    }
    levels.update(change or {})
    return levels


class CheckerTest(unittest.TestCase):
    def run_check(self, levels, rules=RULES, edit=None, pronunciations=""):
        with tempfile.TemporaryDirectory() as d:
            seedfiles.write_seed_files(d, levels, rules)
            with open(os.path.join(d, "p.txt"), "w") as f:
                f.write(pronunciations)
            if edit:
                edit(d)
            out = subprocess.run(
                [sys.executable, CHECK, os.path.join(d, "Lessons_Initiation_Data.xml"),
                 os.path.join(d, "Rules_Initiation_Data.xml"), os.path.join(d, "p.txt")],
                capture_output=True, text=True)
        return out.returncode, out.stdout

    def test_a_sound_course_passes_and_shared_rules_list_every_lesson(self):
        code, out = self.run_check(course())
        self.assertEqual(code, 0, out)
        self.assertEqual(seedfiles.references(course())[1], "1-U1, 2-U2")

    def test_each_fault_is_reported(self):
        faults = {
            "bit": course({1: [(1, [("s", [[("stopping", "tt")]])])]}),
            "negative": course({1: [(1, [("s", [[("stopping", "-pp")]])])]}),
            "row has 6": course({1: [(1, [("s", [[("w%s" % c, "w") for c in "abcdef"]])])]}),
            "duplicates": course({1: [(1, [("s", [[("stop", "op")], [("stop", "op")]])])]}),
        }
        for what, levels in faults.items():
            with self.subTest(what):
                code, out = self.run_check(levels)
                self.assertEqual(code, 1, out)
                self.assertIn(what, out)

    def test_a_sound_course_prints_its_figures(self):
        # hopeful twice: six distinct words in seven entries; of five rows, one mixes two
        # families and one holds two words of one family.
        code, out = self.run_check(course({1: [(1, [("Before ing.", [
            [("stopping", "pp"), ("hopping", "pp")],
            [("hopeful", "eful"), ("hopefully", "eful")]])])]}))
        self.assertEqual(code, 0, out)
        for line in ("units: 3", "distinct words: 6", "rows of one word family: 80.0 %"):
            self.assertIn(line + "\n", out)

    def test_references_and_numbering_must_match_the_units(self):
        def rewrite(d, old, new, name="Rules_Initiation_Data.xml"):
            path = os.path.join(d, name)
            with open(path, "rb") as f:
                text = f.read().decode("utf-16")
            seedfiles.write_utf16(path, text.replace(old, new))

        code, out = self.run_check(course(), edit=lambda d: rewrite(
            d, "<reference>1-U1, 2-U2</reference>", "<reference>1-U1, 2-U3</reference>"))
        self.assertEqual(code, 1)
        self.assertIn("2-U3, which does not exist", out)
        self.assertIn("misses 2-U2", out)
        code, out = self.run_check(course(), edit=lambda d: rewrite(
            d, "<levelNumber>2</levelNumber>", "<levelNumber>3</levelNumber>",
            "Lessons_Initiation_Data.xml"))
        self.assertEqual(code, 1, out)

    def test_words_of_a_sound_section_must_have_its_sound(self):
        ar_unit = next(u for level in the_course.LEVELS for u in level if "sound of car" in u.rule)
        section = "ar in short words. For example: car."
        prons = "CAR  K AA1 R\nWAR  W AO1 R\n"
        code, out = self.run_check({1: [(1, [(section, [[("car", "ar")]])])]}, {1: ar_unit.rule},
                                   pronunciations=prons)
        self.assertEqual(code, 0, out)
        self.assertIn("sound: 1, without", out)
        code, out = self.run_check({1: [(1, [(section, [[("car", "ar"), ("war", "ar")],
                                                        [("carport", "ar")]])])]},
                                   {1: ar_unit.rule}, pronunciations=prons)
        self.assertEqual(code, 1, out)
        self.assertIn("war does not have the sound ar (W AO1 R)", out)
        self.assertIn("carport has no known pronunciation", out)
        self.assertNotIn(" car ", out)

    def test_a_word_a_rule_cites_must_be_taught_by_a_unit_of_the_rule(self):
        rules = {1: "Double it: stop, stopping; hop, hopping. So does cap becomes cappy.",
                 2: "Keep the e: hopeful (careful)."}
        levels = course({1: [(1, [("Before ing.", [[("stopping", "pp")]])])]})
        code, out = self.run_check(levels, rules)
        self.assertEqual(code, 1, out)
        self.assertIn("rule 1 cites hop or hopping", out)
        self.assertIn("rule 2 cites careful", out)
        self.assertNotIn("cites stop", out)
        self.assertNotIn("cites cap", out)
        self.assertEqual(check.cited("Add it: un + happy = unhappy, dis + agree = disagree."),
                         [("unhappy",), ("disagree",)])
        self.assertEqual(check.cited("ph as in phone and graph."), [("phone",), ("graph",)])


class GeneratorTest(unittest.TestCase):
    """Rows, grading and repeats, with families told by the letters alone."""
    WORDS = "hand hands band land sand wand stand grand brand zap".split()

    def test_a_row_is_a_family_and_words_alone_rhyme_on_their_bit(self):
        prons = {w: [p + " "] for w, p in (("band", "B AE1 N D"), ("land", "L AE1 N D"),
                                          ("sand", "S AE1 N D"), ("wand", "W AA1 N D"),
                                          ("stand", "S T AE1 N D"), ("grand", "G R AE1 N D"),
                                          ("brand", "B R AE1 N D"), ("zap", "Z AE1 P"))}
        ranked = generate.Ranked({w: n for n, w in enumerate(self.WORDS, 1)}, None, {}, prons)
        entries = [(w, "a") for w in reversed(self.WORDS)] + [("oddword", "-x")]
        words = [[w for w, _ in row] for row in generate.make_rows(entries, ranked)]
        # wand ends in the same letters but does not rhyme.
        self.assertEqual(words, [["hand", "hands"], ["band", "land", "sand", "stand", "grand"],
                                 ["brand"], ["wand"], ["zap"], ["oddword"]])

    def test_common_words_are_taught_and_cited_ones_whatever_their_rank(self):
        names = ["w" + a + b for a in "abcdefghijklmnop" for b in "abcdefghijklmnopqrstuvwxyz"]
        entries = [(w, "w") for w in names[:generate.UNIT_WORDS + 30]]
        # zap is rarer than a level's own units take, and cited after a unit's smallest size.
        cited = [w for w, _ in entries[:generate.UNIT_MIN_WORDS]] + ["zap"]
        unit = the_course.U("Short a: %s." % ", ".join(cited), [the_course.S("Three.", None)])
        ranked = generate.Ranked({w: n + 1 for n, (w, _) in enumerate(entries)}, None, {})
        entries.append(("zap", "a"))
        ranked.family = lambda w: w
        taught, more = generate.split_common(1, unit, [entries], ranked)
        self.assertIn(("zap", "a"), taught[0])
        self.assertEqual(len(taught[0]), generate.UNIT_WORDS)
        self.assertEqual(len(taught[0]) + len(more[0]), len(entries))
        self.assertLessEqual(max(map(len, map(sum_units, generate.chunks(more, ranked)))),
                             generate.UNIT_WORDS)

    def test_a_word_taught_twice_for_the_same_letters_stays_where_it_is_cited(self):
        a = the_course.U("The a: cat.", [the_course.S("a.", None)])
        b = the_course.U("More a.", [the_course.S("a.", None), the_course.S("o.", None)])
        c = the_course.U("Again a: cat.", [the_course.S("a.", None)])
        filed = [(1, a, [[("cat", "a"), ("hat", "a")]]),
                 (1, b, [[("cat", "a"), ("hat", "a")], [("cat", "-o")]]),
                 (2, c, [[("cat", "a"), ("hat", "a")]])]
        generate.drop_repeats(filed)
        self.assertEqual([f[2] for f in filed], [[[("cat", "a"), ("hat", "a")]],
                                                 [[], [("cat", "-o")]], [[("cat", "a")]]])


class FamilyTest(unittest.TestCase):
    AFF = """SFX G Y 2
SFX G   e     ing        e
SFX G   0     ing        [^e]
SFX S Y 2
SFX S   0     s          [^sxzhy]
SFX S   y     ies        [^aeiou]y
SFX Z Y 1
SFX Z   0     ers        [^ey]
SFX P Y 2
SFX P   y     iness      [^aeiou]y
SFX P   0     ness       [^y]
"""
    DIC = "8\nhope/S\nhop/SG\nhoped\nbroth/Z\nbrother\nsuite/S\nsuit/S\nhappy/P\near/S\nearly\n"

    def test_a_word_finds_its_base_through_the_dictionary_and_its_endings(self):
        with tempfile.TemporaryDirectory() as d:
            for ext, text in ((".aff", self.AFF), (".dic", self.DIC)):
                with open(os.path.join(d, "en" + ext), "w") as f:
                    f.write(text)
            ranks = {w: n for n, w in enumerate("hope happy suit early ear brother hop".split(), 1)}
            families = lexicon.Families(os.path.join(d, "en"), ranks)
        # hoping is made from hop by the dictionary, but hope is commoner; early is not ear + ly.
        cases = {"hoping": "hope", "hoped": "hope", "hopes": "hope", "hopeful": "hope",
                 "hopping": "hop", "brothers": "brother", "suites": "suite", "suits": "suit",
                 "happiness": "happy", "early": "early", "evening": "evening"}
        self.assertEqual({w: families.of(w) for w in cases}, cases)


def sum_units(unit):
    return [e for section in unit for e in section]


class SoundTest(unittest.TestCase):
    PRONS = {w.lower(): [p + " "] for w, p in (line.split("  ") for line in """\
CAR  K AA1 R
WAR  W AO1 R
DOG  D AO1 G
COT  K AA1 T
SON  S AH1 N
LAMB  L AE1 M
NUMBER  N AH1 M B ER0
OBTAIN  AH0 B T EY1 N
BLACK  B L AE1 K
WANTED  W AA1 N T AH0 D
JUMPED  JH AH1 M P T
COFFEE  K AA1 F IY0
BEE  B IY1
BLUE  B L UW1
BOX  B AA1 K S
EXAM  IH0 G Z AE1 M
FIGURE  F IH1 G Y ER0
HOTEL  HH OW0 T EH1 L""".split("\n"))}

    def test_a_word_has_the_sound_its_section_names(self):
        cases = [("car", "ar", "ar", True), ("war", "ar", "ar", False), ("war", "or", "ar", True),
                 ("dog", "short_o", "o", True), ("cot", "short_o", "o", True),
                 ("son", "short_o", "o", False), ("lamb", "silent_b", "mb", True),
                 ("number", "silent_b", "mb", False), ("obtain", "silent_b", "bt", False),
                 ("black", "blend", "bl", True), ("black", "blend", "br", False),
                 ("wanted", "ed_id", "ed", True), ("jumped", "ed_id", "ed", False),
                 ("jumped", "ed_t", "ed", True), ("bee", "long_e", "ee", True),
                 ("coffee", "long_e", "ee", False), ("sun", "short_u", "u", False),
                 ("blue", "long_u", "ue", True), ("box", "ks", "ox", True), ("exam", "ks", "ex", True),
                 ("figure", "er_end", "ure", True), ("hotel", "long_o", "o", True),
                 ("black", "short_first", "ck", True), ("obtain", "short_first", "bt", False), ("car", "er_end", "ar", False)]
        for word, key, bit, want in cases:
            with self.subTest(word=word, key=key):
                self.assertEqual(sounds.has_sound(word, key, bit, self.PRONS), want)

    def test_every_sound_the_course_names_is_known(self):
        named = {s.sound for level in the_course.LEVELS for u in level for s in u.sections}
        self.assertLessEqual(named - {None}, set(sounds.SOUNDS))


class FinderTest(unittest.TestCase):
    VOCAB = {"hand", "hands", "candy", "under", "stop", "stopping", "visit", "visiting", "make",
             "making", "hope", "hopeful",
             "happy", "happiness", "natural", "unnatural", "appear", "disappear", "rain",
             "rained", "ached", "reached"}

    def test_word_building_gives_the_letters_of_the_pattern(self):
        cases = [
            (patterns.doubled(["ing"]), "stopping", "pp"),
            (patterns.doubled(["ing"]), "visiting", None),
            (patterns.not_doubled(["ing"]), "visiting", "-tting"),
            (patterns.after_vowel_team(["ed"]), "rained", "-nned"),
            (patterns.drop_e(["ing"]), "making", "-eing"),
            (patterns.keep_e(["ful"]), "hopeful", "eful"),
            (patterns.y_to_i(["ness"]), "happiness", "iness"),
            (patterns.prefixed("un", same_letter=True, table=self.PREFIXED), "unnatural", "nn"),
            (patterns.prefixed("dis", same_letter=False, table=self.PREFIXED), "disappear", "-diss"),
            (patterns.prefixed("dis", same_letter=True, table=self.PREFIXED), "disappear", None),
            (patterns.prefixed("re", table=self.PREFIXED), "reached", None),
            (patterns.prefixed("re", table=self.PREFIXED), "rebuild", "re"),
            (the_course.final_pair, "hands", "nd"), (the_course.final_pair, "candy", None),
            (the_course.final_pair, "under", None),
        ]
        for finder, word, bit in cases:
            with self.subTest(word):
                got = finder(word, self.VOCAB)
                self.assertEqual(got, bit)
                if bit:
                    self.assertTrue(bit[1:] not in word if bit.startswith("-") else bit in word)

    PREFIXED = {"unnatural": ("un", "natural"), "disappear": ("dis", "appear"),
                "rebuild": ("re", "build")}

    def test_the_list_of_prefixed_words_must_join_up(self):
        with tempfile.TemporaryDirectory() as d:
            path = os.path.join(d, "p.txt")
            with open(path, "w") as f:
                f.write("# comment\nrebuild\tre\tbuild\nrepublic\tre\tpublick\n")
            with self.assertRaisesRegex(ValueError, "p.txt:3"):
                patterns.load_prefixed(path)


if __name__ == "__main__":
    unittest.main()
