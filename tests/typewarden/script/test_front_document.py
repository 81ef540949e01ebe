"""The comparison script reading a real application's document through AT-SPI.

usage: desktop-session python3 test_front_document.py SCRIPT FIXTURE

Runs inside tests/fixtures/desktop-session (virtual display, private session bus, AT-SPI bus).
FIXTURE is the TextEdit fixture: an application named "TextEdit" whose document window holds
"I did not <first argument> it." and whose active window is a "Spelling and Grammar" panel.
Exits 77 (skipped) only when the private desktop could not start.
"""

import json
import os
import queue
import shutil
import subprocess
import sys
import tempfile
import threading
import time
import unittest

SCRIPT = None
FIXTURE = None
SKIPPED = 77
# The agent kills a run after this long, so a slower answer would be lost.
AGENT_TIMEOUT_SECONDS = 10


def sandbox_environment():
    # Nothing the fixture or the script does may touch the real home or data folders.
    root = tempfile.mkdtemp(prefix="comparison-script-")
    env = dict(os.environ)
    env.update(HOME=root, XDG_DATA_HOME=os.path.join(root, "data"),
               XDG_CONFIG_HOME=os.path.join(root, "config"),
               XDG_CACHE_HOME=os.path.join(root, "cache"))
    return root, env


class Fixture:
    """The TextEdit fixture showing "I did not <word> it.", until stopped."""

    def __init__(self, word, env):
        self.document = f"I did not {word} it."
        self.process = subprocess.Popen([FIXTURE, word], stdout=subprocess.PIPE,
                                        stderr=subprocess.DEVNULL, text=True, env=env)
        lines = queue.Queue()
        threading.Thread(target=lambda: [lines.put(line) for line in self.process.stdout],
                         daemon=True).start()
        deadline = time.monotonic() + 30
        while True:
            try:
                line = lines.get(timeout=max(0.1, deadline - time.monotonic()))
            except queue.Empty:
                self.stop()
                raise AssertionError("the TextEdit fixture did not show its windows within 30 s")
            if line.strip() == "ready":
                return

    def stop(self):
        if self.process.poll() is None:
            self.process.terminate()
        self.process.wait(timeout=10)
        self.process.stdout.close()


class FrontDocument(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.root, cls.env = sandbox_environment()

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.root, ignore_errors=True)

    def run_script(self, application, previous):
        # Run as the agent runs it: the file itself, no shell, previous text on standard input.
        started = time.monotonic()
        result = subprocess.run([SCRIPT, "trackFrontDocument", application],
                                input=previous.encode("utf-8"), capture_output=True,
                                env=self.env, timeout=AGENT_TIMEOUT_SECONDS)
        print(f"  {application}: exit {result.returncode} after "
              f"{time.monotonic() - started:.2f} s", file=sys.stderr)
        return result

    def answer(self, application, previous):
        # The fixture registers on the accessibility bus as it starts: a run that comes too soon
        # finds no application yet, so "not running" is retried for a few seconds.
        deadline = time.monotonic() + 10
        while True:
            result = self.run_script(application, previous)
            if result.returncode == 0 or b"is not running" not in result.stderr \
                    or time.monotonic() > deadline:
                break
            time.sleep(0.3)
        self.assertEqual(result.returncode, 0, result.stderr.decode("utf-8", "replace"))
        answer = json.loads(result.stdout.decode("utf-8"))
        self.assertIsInstance(answer, list)
        self.assertTrue(all(isinstance(item, str) for item in answer), answer)
        return answer

    def test_reports_the_replaced_word_of_the_document(self):
        fixture = Fixture("receive", self.env)
        try:
            # The spelling panel is the active window: the document is read from the other one.
            self.assertEqual(self.answer("TextEdit", "I did not recieve it."),
                             [fixture.document, "receive", "recieve"])
            # No previous text: the document, and no changed words.
            self.assertEqual(self.answer("TextEdit", ""), [fixture.document, "", ""])
            # One added word is answered alone, for the agent to pair with the typed word.
            self.assertEqual(self.answer("TextEdit", "I did not it."),
                             [fixture.document, "receive"])
        finally:
            fixture.stop()

    def test_reads_a_large_multi_line_document_whole(self):
        lines = [f"Line {n} holds some words of a long letter to a friend." for n in range(2000)]
        body = "\n".join(lines)
        fixture = Fixture("receive the parcel.\n" + body + "\nSee you", self.env)
        try:
            self.assertGreater(len(fixture.document.encode("utf-8")), 100_000)
            previous = fixture.document.replace("receive", "recieve", 1).replace(
                "Line 1500 holds", "Line 1500 hold")
            self.assertEqual(self.answer("TextEdit", previous),
                             [fixture.document, "holds", "hold"])
        finally:
            fixture.stop()

    def test_an_application_that_is_not_running_is_a_failure(self):
        fixture = Fixture("receive", self.env)
        try:
            # The fixture is up, so the bus is answering: only the name is missing.
            self.answer("TextEdit", "")
            result = self.run_script("Pages", "I did not recieve it.")
            self.assertNotEqual(result.returncode, 0)
            self.assertEqual(result.stdout, b"")
            self.assertIn(b"Pages is not running", result.stderr)
        finally:
            fixture.stop()


if __name__ == "__main__":
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    SCRIPT, FIXTURE = (os.path.abspath(path) for path in sys.argv[1:3])
    del sys.argv[1:3]
    unavailable = os.environ.get("ORTHOVA_DESKTOP_UNAVAILABLE")
    if unavailable:
        print(f"SKIPPED: the private desktop could not start: {unavailable}")
        sys.exit(SKIPPED)
    unittest.main(verbosity=2)
