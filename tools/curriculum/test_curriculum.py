#!/usr/bin/env python3
"""The curriculum tool: the checker must catch broken files, and the word-building
finders must give the bits the course teaches."""

import os
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import course as the_course  # noqa: E402
import patterns  # noqa: E402
import seedfiles  # noqa: E402
import sounds  # noqa: E402

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
BEE  B IY1""".split("\n"))}

    def test_a_word_has_the_sound_its_section_names(self):
        cases = [("car", "ar", "ar", True), ("war", "ar", "ar", False), ("war", "or", "ar", True),
                 ("dog", "short_o", "o", True), ("cot", "short_o", "o", True),
                 ("son", "short_o", "o", False), ("lamb", "silent_b", "mb", True),
                 ("number", "silent_b", "mb", False), ("obtain", "silent_b", "bt", False),
                 ("black", "blend", "bl", True), ("black", "blend", "br", False),
                 ("wanted", "ed_id", "ed", True), ("jumped", "ed_id", "ed", False),
                 ("jumped", "ed_t", "ed", True), ("bee", "long_e", "ee", True),
                 ("coffee", "long_e", "ee", False), ("sun", "short_u", "u", False)]
        for word, key, bit, want in cases:
            with self.subTest(word=word, key=key):
                self.assertEqual(sounds.has_sound(word, key, bit, self.PRONS), want)

    def test_every_sound_the_course_names_is_known(self):
        named = {s.sound for level in the_course.LEVELS for u in level for s in u.sections}
        self.assertLessEqual(named - {None}, set(sounds.SOUNDS))


class FinderTest(unittest.TestCase):
    VOCAB = {"stop", "stopping", "visit", "visiting", "make", "making", "hope", "hopeful",
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
