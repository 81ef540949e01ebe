"""The comparison script's word comparison and answer, without a desktop.

usage: test_word_diff.py SCRIPT   (the ComparingTextUsingDiff.scpt to test)
"""

import importlib.machinery
import importlib.util
import io
import json
import os
import random
import subprocess
import sys
import unittest

SCRIPT = None
script = None


def load(path):
    # The file name has no .py ending, so it is loaded by path.
    loader = importlib.machinery.SourceFileLoader("comparing_text_using_diff", path)
    found = importlib.util.spec_from_loader(loader.name, loader)
    module = importlib.util.module_from_spec(found)
    loader.exec_module(module)
    return module


def random_words(count):
    rng = random.Random(7)
    vocabulary = ["the", "and", "spelling", "of", "word", "a", "lesson", "to", "rule", "in"]
    return [rng.choice(vocabulary) for _ in range(count)]


def render(tokens):
    """Sentences of twelve words, one a line."""
    return "\n".join(" ".join(tokens[i:i + 12]) + "." for i in range(0, len(tokens), 12))


class Words(unittest.TestCase):
    def test_runs_of_letters_digits_and_apostrophes(self):
        self.assertEqual(script.words("I don't know, 42nd (café) x_y re-do"),
                         ["I", "don't", "know", "42nd", "café", "x", "y", "re", "do"])

    def test_typographic_apostrophe_belongs_to_the_word(self):
        self.assertEqual(script.words("don\u2019t stop"), ["don\u2019t", "stop"])

    def test_quotation_marks_are_not_part_of_a_word(self):
        self.assertEqual(script.words("'recieve' and \u2018this\u2019 ' '"),
                         ["recieve", "and", "this"])

    def test_decomposed_accents_stay_in_the_word(self):
        self.assertEqual(script.words("cafe\u0301 au lait"), ["café", "au", "lait"])


class ChangedWords(unittest.TestCase):
    def test_one_word_replaced(self):
        self.assertEqual(script.changed_words("I did not recieve it.", "I did not receive it."),
                         ("receive", "recieve"))

    def test_word_inserted_is_no_replacement(self):
        self.assertIsNone(script.changed_words("I did not it.", "I did not receive it."))

    def test_one_added_word_is_answered_alone(self):
        # The agent pairs it with the word that was typed.
        self.assertEqual(script.answer("I will receive ", "I will "), ["I will receive ", "receive"])
        self.assertEqual(script.answer("I will receive it ", "I will "),
                         ["I will receive it ", "", ""])
        self.assertEqual(script.answer("I will ", "I will "), ["I will ", "", ""])

    def test_one_added_word_in_a_large_document(self):
        tokens = random_words(20_000)
        previous = render(tokens)
        tokens.insert(10_000, "receive")
        current = render(tokens)
        self.assertEqual(script.answer(current, previous), [current, "receive"])
        # One word more all the same, but one was also taken away and another added apart.
        del tokens[5_000]
        tokens.insert(15_000, "recieve")
        self.assertIsNone(script.inserted_word(previous, render(tokens)))

    def test_word_deleted_is_no_replacement(self):
        self.assertIsNone(script.changed_words("I did not recieve it.", "I did not it."))

    def test_two_words_replaced_apart_reports_the_last(self):
        self.assertEqual(script.changed_words("Teh cat did not recieve it.",
                                              "The cat did not receive it."),
                         ("receive", "recieve"))

    def test_two_neighbouring_words_replaced_reports_the_last(self):
        self.assertEqual(script.changed_words("I teh recieve it.", "I the receive it."),
                         ("receive", "recieve"))

    def test_one_word_replaced_by_two_pairs_nothing(self):
        self.assertIsNone(script.changed_words("a recieve b", "a receive it b"))

    def test_replacement_is_kept_when_a_word_is_also_inserted_elsewhere(self):
        self.assertEqual(script.changed_words("I recieve it. End", "I receive it. End now"),
                         ("receive", "recieve"))

    def test_apostrophe_added(self):
        self.assertEqual(script.changed_words("I dont know.", "I don't know."),
                         ("don't", "dont"))

    def test_punctuation_only_change_is_no_replacement(self):
        self.assertIsNone(script.changed_words("I receive. It", "I receive, It"))
        self.assertIsNone(script.changed_words("(receive)", "receive!"))

    def test_case_change_is_a_replacement(self):
        self.assertEqual(script.changed_words("teh end", "The end"), ("The", "teh"))

    def test_same_text_and_empty_texts(self):
        self.assertIsNone(script.changed_words("same text", "same text"))
        self.assertIsNone(script.changed_words("", "some text"))
        self.assertIsNone(script.changed_words("some text", ""))

    def test_replacement_in_a_large_document(self):
        tokens = random_words(24_000)
        tokens[12_001] = "recieve"
        previous = render(tokens)
        self.assertGreater(len(previous.encode("utf-8")), 100_000)
        tokens[12_001] = "receive"
        self.assertEqual(script.changed_words(previous, render(tokens)), ("receive", "recieve"))


class Answer(unittest.TestCase):
    def test_replacement_gives_text_new_word_old_word(self):
        self.assertEqual(script.answer("I did not receive it.", "I did not recieve it."),
                         ["I did not receive it.", "receive", "recieve"])

    def test_no_previous_text_gives_text_and_empty_words(self):
        self.assertEqual(script.answer("I did not receive it.", ""),
                         ["I did not receive it.", "", ""])

    def test_no_replacement_gives_text_and_empty_words(self):
        self.assertEqual(script.answer("I did receive it.", "I did not receive it."),
                         ["I did receive it.", "", ""])


class ApplicationNames(unittest.TestCase):
    def test_agent_names_map_to_their_aliases(self):
        self.assertIn("gedit", script.application_names("TextEdit"))
        self.assertIn("TextEdit", script.application_names("TextEdit"))
        self.assertIn("soffice", script.application_names("Pages"))
        self.assertNotIn("soffice", script.application_names("TextEdit"))
        self.assertEqual(script.application_names("pages"), script.application_names("Pages"))

    def test_other_names_stand_for_themselves(self):
        self.assertEqual(script.application_names("Calculator"), ("Calculator",))


class Main(unittest.TestCase):
    def run_main(self, argv, previous, document):
        def fake_document(application):
            if isinstance(document, Exception):
                raise document
            self.application = application
            return document
        saved = script.front_document_text
        script.front_document_text = fake_document
        try:
            stdout, stderr = io.BytesIO(), io.StringIO()
            status = script.main(argv, io.BytesIO(previous.encode("utf-8")), stdout, stderr)
        finally:
            script.front_document_text = saved
        return status, stdout.getvalue(), stderr.getvalue()

    def test_prints_the_answer_as_utf8_json(self):
        status, out, err = self.run_main(["s", "trackFrontDocument", "TextEdit"],
                                         "Un café recieve", "Un café receive")
        self.assertEqual(status, 0, err)
        self.assertEqual(self.application, "TextEdit")
        self.assertIn("café".encode("utf-8"), out)
        self.assertEqual(json.loads(out.decode("utf-8")),
                         ["Un café receive", "receive", "recieve"])

    def test_failure_is_a_nonzero_exit_with_a_message_and_no_answer(self):
        status, out, err = self.run_main(["s", "trackFrontDocument", "Pages"], "x",
                                         script.ScriptError("Pages is not running"))
        self.assertEqual(status, 1)
        self.assertEqual(out, b"")
        self.assertIn("Pages is not running", err)

    def test_wrong_arguments_are_refused(self):
        for argv in (["s"], ["s", "trackFrontDocument"], ["s", "otherHandler", "TextEdit"],
                     ["s", "trackFrontDocument", "TextEdit", "extra"]):
            status, out, err = self.run_main(argv, "", "text")
            self.assertEqual(status, 2, argv)
            self.assertIn("usage", err)
            self.assertEqual(out, b"")


class ScriptFile(unittest.TestCase):
    def test_runs_without_a_shell_and_refuses_a_wrong_call(self):
        # Run the way the agent runs it: the file itself, no interpreter named, no shell.
        self.assertTrue(os.access(SCRIPT, os.X_OK), f"{SCRIPT} is not executable")
        result = subprocess.run([SCRIPT, "noSuchHandler", "TextEdit"], input=b"",
                                capture_output=True, timeout=30)
        self.assertEqual(result.returncode, 2, result.stderr)
        self.assertIn(b"usage", result.stderr)
        self.assertEqual(result.stdout, b"")


if __name__ == "__main__":
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    SCRIPT = os.path.abspath(sys.argv.pop(1))
    script = load(SCRIPT)
    unittest.main(verbosity=2)
