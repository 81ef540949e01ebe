#!/usr/bin/env python3
"""The curriculum tool: the checker must catch broken files, and the word-building
finders must give the bits the course teaches."""

import os
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import patterns  # noqa: E402
import seedfiles  # noqa: E402

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
    def run_check(self, levels, rules=RULES, edit=None):
        with tempfile.TemporaryDirectory() as d:
            seedfiles.write_seed_files(d, levels, rules)
            if edit:
                edit(d)
            out = subprocess.run(
                [sys.executable, CHECK, os.path.join(d, "Lessons_Initiation_Data.xml"),
                 os.path.join(d, "Rules_Initiation_Data.xml")], capture_output=True, text=True)
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
            (patterns.prefixed("un", same_letter=True), "unnatural", "nn"),
            (patterns.prefixed("dis", same_letter=False), "disappear", "-diss"),
        ]
        for finder, word, bit in cases:
            with self.subTest(word):
                got = finder(word, self.VOCAB)
                self.assertEqual(got, bit)
                if bit:
                    self.assertTrue(bit[1:] not in word if bit.startswith("-") else bit in word)

    def test_a_word_that_only_looks_prefixed_is_left_out(self):
        patterns.NOT_PREFIXED.add("reached")
        self.assertIsNone(patterns.prefixed("re")("reached", self.VOCAB))


if __name__ == "__main__":
    unittest.main()
