#!/usr/bin/env python3
"""The lists that keep words out of the course, and the words it once taught wrongly."""

import os
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import learners  # noqa: E402

STEMS = {"rape": "sexual", "rapist": "sexual", "cum": "sexual", "masturbate": "sexual",
         "sod": "vulgar", "horny": "vulgar", "ass": "vulgar", "tit": "vulgar", "spic": "slur",
         "retard": "slur", "gyp": "slur", "thy": "archaic", "bible": "proper", "mes": "oddity",
         "gimme": "oddity"}


class ListsTest(unittest.TestCase):
    def written(self, text):
        with tempfile.NamedTemporaryFile("w", suffix=".txt", delete=False) as f:
            f.write(text)
        self.addCleanup(os.remove, f.name)
        return f.name

    def test_a_stem_keeps_its_family_out(self):
        for word in ("rape rapes raped raping rapist rapists cum cums cumming masturbating "
                     "masturbation sod sods sodding horny hornier horniest horniness asses "
                     "titty spics retarded retardation bibles").split():
            self.assertIsNotNone(learners.blocked(word, STEMS), word)
        self.assertEqual(learners.blocked("sodding", STEMS), "vulgar")

    def test_words_that_only_start_alike_stay(self):
        for word in ("cumulative cucumber therapist grape drape scrapes rapier rapeseed sodium "
                     "sodden assist assessed class titter spicy spiced retardant gypsy thyme "
                     "biblical messy gimmicky").split():
            self.assertIsNone(learners.blocked(word, STEMS), word)

    def test_malformed_lines_are_reported_with_their_number(self):
        for text in ("rape\tsexual\n# c\n\nrapist\tsexual\tvulgar\n", "a\tvulgar\n\n\nb\tnasty\n",
                     "a\tvulgar\n\n\na\tslur\n", "# c\n\n\nRape\tsexual\n"):
            with self.assertRaisesRegex(ValueError, ":4:"):
                learners.load_list(self.written(text))
        with self.assertRaisesRegex(ValueError, ":2:"):
            learners.load_known_wrong(self.written("payed\t*\nPayed\t*\n"))
        with self.assertRaisesRegex(ValueError, ":1:"):
            learners.load_known_wrong(self.written("payed\t*\tpaid\n"))

    def test_known_wrong_words_are_found_where_they_are_wrong(self):
        wrong = learners.load_known_wrong(self.written(
            "# once taught\npayed\t*\t# paid\nnumber\ter.\t# more numb\n"))
        entries = [("payed", "y after a vowel."), ("payed", "ed that sounds like d."),
                   ("number", "er. For example: fewer."), ("number", "Numbers."),
                   ("paid", "ai."), ("payed", "y after a vowel.")]
        self.assertEqual(learners.known_wrong_hits(entries, wrong),
                         ["payed in 'y after a vowel.'", "payed in 'ed that sounds like d.'",
                          "number in 'er. For example: fewer.'"])

    def test_the_course_lists(self):
        stems = learners.load_list(os.path.join(HERE, "data", "not_for_learners.txt"))
        learners.load_known_wrong(os.path.join(HERE, "data", "known_wrong.txt"))
        for word in ("sodding rapist cumming masturbating orgies french whats thee midgets "
                     "niggers shitty").split():
            self.assertIsNotNone(learners.blocked(word, stems), word)
        for word in ("cumulative therapist document grape scrapes sodium assassin class assume "
                     "assist hello shell thyme cockpit peacock analysis hasty wasted titles spicy "
                     "japes yes condominium debugger godmother polish china turkey wilt").split():
            self.assertIsNone(learners.blocked(word, stems), word)


if __name__ == "__main__":
    unittest.main()
