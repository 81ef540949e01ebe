#!/usr/bin/python3
"""Capture accuracy of the real Typewarden agent in real editors; prints figures, checks nothing.

Run by hand (never from ctest), from the top of the checkout after building the agent:

    ninja -j1 -C build typewarden
    bench/capture-accuracy/capture-accuracy [options] bench/capture-accuracy/corpus.txt

The wrapper installs what is missing (apt-get, --no-install-recommends) and runs this program
inside tests/fixtures/desktop-session (a virtual X display, a private session bus and the
accessibility bus). Options:

    --editors mousepad,writer   editors to drive, in order (default: both)
    --sentences N               only the first N sentences of the corpus (default: all)
    --delay MIN-MAX             key delay range in ms, one value drawn per typed chunk (default 80-250)
    --out DIR                   where the logs go (default: a new folder under /tmp)
    --seed N                    seed of the random pauses and delays (default 1)
    --typewarden PATH           the agent (default build/bin/typewarden)
    --check-corpus              only check the corpus against the English dictionary and
                                LibreOffice's AutoCorrect list, then exit

The corpus: one sentence a line (lines starting with # are skipped). A correction is written
[misspelling|correction|path], path one of select-retype, backspace-retype, context-menu,
autocorrect, spelling-dialog; every other word is typed as it stands, and each sentence ends with
Return. For each editor a fresh agent (scratch home, automatic retention on, text editors and word
processors watched, debug log) is started with a monitor of its Notification signals, then the
editor; the sentences are typed word by word with `xdotool type --delay D` (D drawn from the delay
range), 0.5-2 s between sentences and now and then a 1-2 s pause inside a word. Each correction
is made by its path:

    select-retype     the misspelling and the rest of the sentence typed; then the word selected
                      (mousepad: double-click at its AT-SPI character extents; Writer, whose
                      document extents are off by some pixels: the arrow keys move into the word
                      and shift+Right selects it), the correction typed, ctrl+End
    backspace-retype  the misspelling and a space typed, BackSpace over the space and the differing
                      end of the word, the rest of the correction and a space typed
    context-menu      after the sentence, the context menu on the word (mousepad: right-click, then
                      the "Spelling Suggestions" submenu; Writer: the caret moved into the word and
                      the Menu key), the item named as the correction chosen
    autocorrect       (Writer) the misspelling and a space typed: Writer replaces it
    spelling-dialog   (Writer) after the sentence, ctrl+Home, F7 and "Correct" in the dialog
                      "Spelling: English (USA)" (words that are not this correction's are skipped
                      with "Ignore Once")

A path the editor lacks is "not offered": its misspelling is typed and left as it is.

Figures, per editor and path: corrections made, caught (the exact pair announced), missed, wrong
pair (a pair announced within 5 s of the correcting key that shares a word, or a word's first three
letters, with the correction but is not it); then false pairs (announced, matching no correction)
per 1,000 words typed, and the median time from the correcting key or click to the announcement.
The correcting key: ctrl+End, leaving the retyped word (select-retype), the space after the
retyped word (backspace-retype), the space after the misspelling (autocorrect), the click or
Return on the menu item (context-menu), the click on "Correct" (spelling-dialog). Times are taken
with time.time() just before the xdotool call that sends that key (so they include xdotool's own
start, a few ms); arrivals are dbus-monitor's time= stamps, on the same clock.

Logs per editor in the output folder: driver.log (every step with its time), bus.log, agent.log
(QT_LOGGING_RULES="typewarden.*.debug=true": "word replaced: A -> B" lines show what the text
change tracker found), editor.log, text.txt (the document at the end), results.json.
"""

import argparse
import json
import os
import random
import re
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time
import zipfile
import html
import warnings

PATHS = ["select-retype", "backspace-retype", "context-menu", "autocorrect", "spelling-dialog"]
OFFERED = {
    "mousepad": {"select-retype", "backspace-retype", "context-menu"},
    "writer": set(PATHS),
}
APP_NAME = {"mousepad": "mousepad", "writer": "soffice"}
TOP = os.path.realpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
ANNOUNCE_WINDOW_S = 5.0
CORRECTION_RE = re.compile(r"\[([^|\]]+)\|([^|\]]+)\|([^|\]]+)\]")
WORD_RE = re.compile(r"[A-Za-z']+")


# ---------------------------------------------------------------- corpus

def read_corpus(path):
    """Sentences as lists of segments: ("text", str) or ("fix", misspelling, correction, path)."""
    sentences = []
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            line = line.rstrip("\n")
            if not line.strip() or line.startswith("#"):
                continue
            segments, at = [], 0
            for m in CORRECTION_RE.finditer(line):
                if m.start() > at:
                    segments.append(("text", line[at:m.start()]))
                if m.group(3) not in PATHS:
                    sys.exit(f"{path}:{number}: unknown path {m.group(3)!r}")
                segments.append(("fix", m.group(1), m.group(2), m.group(3)))
                at = m.end()
            if at < len(line):
                segments.append(("text", line[at:]))
            sentences.append(segments)
    return sentences


def check_corpus(sentences):
    """Checks each correction against the English dictionary (libhunspell) and LibreOffice's
    AutoCorrect list; prints problems and a summary; returns the number of problems."""
    import ctypes
    lib = ctypes.CDLL("libhunspell-1.7.so.0")
    lib.Hunspell_create.restype = ctypes.c_void_p
    lib.Hunspell_create.argtypes = [ctypes.c_char_p, ctypes.c_char_p]
    lib.Hunspell_spell.argtypes = [ctypes.c_void_p, ctypes.c_char_p]
    lib.Hunspell_suggest.argtypes = [ctypes.c_void_p,
                                     ctypes.POINTER(ctypes.POINTER(ctypes.c_char_p)), ctypes.c_char_p]
    speller = lib.Hunspell_create(b"/usr/share/hunspell/en_US.aff", b"/usr/share/hunspell/en_US.dic")

    def known(word):
        return lib.Hunspell_spell(speller, word.encode()) != 0

    def suggestions(word):
        found = ctypes.POINTER(ctypes.c_char_p)()
        n = lib.Hunspell_suggest(speller, ctypes.byref(found), word.encode())
        return [found[i].decode() for i in range(n)]

    listing = zipfile.ZipFile("/usr/lib/libreoffice/share/autocorr/acor_en-US.dat").read(
        "DocumentList.xml").decode()
    autocorrect = {html.unescape(a): html.unescape(b) for a, b in re.findall(
        r'abbreviated-name="([^"]*)" block-list:name="([^"]*)"', listing)}
    problems, counts, seen = 0, {p: 0 for p in PATHS}, {}

    def problem(text):
        nonlocal problems
        problems += 1
        print("corpus:", text)

    for segments in sentences:
        for seg in segments:
            if seg[0] == "text":
                for word in WORD_RE.findall(seg[1]):
                    if not known(word):
                        problem(f"plain word {word!r} is not in the dictionary")
                    if word in autocorrect:
                        problem(f"plain word {word!r} is in the AutoCorrect list")
                continue
            _, wrong, right, path = seg
            counts[path] += 1
            seen[wrong] = seen.get(wrong, 0) + 1
            if known(wrong):
                problem(f"{wrong!r} is not flagged by the spell checker")
            if path == "autocorrect":
                if autocorrect.get(wrong) != right:
                    problem(f"AutoCorrect does not replace {wrong!r} by {right!r}")
            elif wrong in autocorrect:
                problem(f"{wrong!r} ({path}) would be replaced by Writer's AutoCorrect")
            if path in ("context-menu", "spelling-dialog"):
                first = (suggestions(wrong) or [None])[0]
                if first != right:
                    problem(f"the first suggestion for {wrong!r} is {first!r}, not {right!r}")
    print(f"{len(sentences)} sentences, {sum(counts.values())} corrections:",
          ", ".join(f"{p} {n}" for p, n in counts.items()))
    repeated = [w for w, n in seen.items() if n > 1]
    if repeated:
        print("misspellings used more than once:", " ".join(repeated))
    return problems


# ---------------------------------------------------------------- desktop helpers

warnings.filterwarnings("ignore", category=DeprecationWarning)
import gi  # noqa: E402
gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402


class Failed(Exception):
    pass


class Driver:
    def __init__(self, editor, log, rng, delay_range):
        self.editor = editor
        self.app_name = APP_NAME[editor]
        self.log_file = log
        self.rng = rng
        self.delay_range = delay_range

    # ---- log and input
    def log(self, *parts, at=None):
        at = time.time() if at is None else at
        self.log_file.write(f"{at:.6f} {' '.join(str(p) for p in parts)}\n")
        self.log_file.flush()

    def xdotool(self, *args):
        subprocess.run(["xdotool", *map(str, args)], check=True)

    def delay(self):
        return self.rng.randint(*self.delay_range)

    def type(self, text, delay=None):
        if text:
            self.xdotool("type", "--delay", delay or self.delay(), text)

    def key(self, *names, delay=None):
        if names:
            self.xdotool("key", "--delay", delay or self.delay(), *names)

    def type_words(self, text):
        """Types text a word (with what follows it) at a time, each chunk with its own delay, and
        sometimes pauses inside a longer word."""
        for chunk in re.findall(r"\S+\s*|\s+", text):
            word = chunk.rstrip()
            if len(word) >= 5 and self.rng.random() < 0.06:
                cut = self.rng.randint(2, len(word) - 2)
                self.type(chunk[:cut])
                pause = self.rng.uniform(1.0, 2.0)
                self.log("pause-in-word", repr(chunk[:cut]), f"{pause:.2f}")
                time.sleep(pause)
                self.type(chunk[cut:])
            else:
                self.type(chunk)

    def timed(self, what, action):
        """Runs action (which sends the correcting key or click) and returns the time before it."""
        at = time.time()
        action()
        self.log("correcting", what, at=at)
        return at

    # ---- accessibility
    def application(self):
        desktop = Atspi.get_desktop(0)
        for i in range(desktop.get_child_count()):
            app = desktop.get_child_at_index(i)
            if app is not None and (app.get_name() or "") == self.app_name:
                return app
        return None

    @staticmethod
    def walk(node, depth=0):
        yield node
        if depth > 40:
            return
        try:
            count = node.get_child_count()
        except GLib.Error:
            return
        for i in range(count):
            try:
                child = node.get_child_at_index(i)
            except GLib.Error:
                continue
            if child is not None:
                yield from Driver.walk(child, depth + 1)

    def find(self, predicate, tries=25, root=None):
        for _ in range(tries):
            top = root or self.application()
            if top is not None:
                for node in self.walk(top):
                    try:
                        if predicate(node):
                            return node
                    except GLib.Error:
                        continue
            time.sleep(0.2)
        return None

    @staticmethod
    def showing(node):
        return node.get_state_set().contains(Atspi.StateType.SHOWING)

    def focused_text(self):
        def editable_focused(node):
            s = node.get_state_set()
            return (s.contains(Atspi.StateType.FOCUSED) and s.contains(Atspi.StateType.EDITABLE)
                    and node.get_text_iface() is not None)
        node = self.find(editable_focused)
        if node is None:
            raise Failed("no focused editable text on the accessibility bus")
        return node

    @staticmethod
    def content(node):
        text = node.get_text_iface()
        return text.get_text(0, text.get_character_count())

    def word_offset(self, node, word):
        """Offset of the last whole-word occurrence of word in node's text."""
        found = [m.start() for m in re.finditer(r"(?<![A-Za-z'])" + re.escape(word) + r"(?![A-Za-z'])",
                                                 self.content(node))]
        if not found:
            raise Failed(f"the text does not hold {word!r}: {self.content(node)[-200:]!r}")
        return found[-1]

    def click_at(self, x, y, button=1, repeat=1):
        self.xdotool("mousemove", x, y)
        time.sleep(0.15)
        if repeat > 1:
            self.xdotool("click", "--repeat", repeat, "--delay", 80, button)
        else:
            self.xdotool("click", button)

    @staticmethod
    def centre(node):
        box = node.get_component_iface().get_extents(Atspi.CoordType.SCREEN)
        if box.x < 0 or box.y < 0 or box.width <= 1:
            raise Failed(f"{node.get_name()!r} has no place on the screen")
        return box.x + box.width // 2, box.y + box.height // 2

    def word_centre(self, node, word):
        at = self.word_offset(node, word) + len(word) // 2
        box = node.get_text_iface().get_character_extents(at, Atspi.CoordType.SCREEN)
        return box.x + box.width // 2, box.y + box.height // 2

    def caret_into(self, node, at):
        """Moves the caret with the arrow keys from where it is to offset at of node's text."""
        caret = node.get_text_iface().get_caret_offset()
        steps = caret - at
        names = ["Left"] * steps if steps > 0 else ["Right"] * -steps
        self.key(*names, delay=30)
        time.sleep(0.3)

    # ---- the paths
    def select_retype(self, wrong, right):
        doc = self.focused_text()
        if self.editor == "writer":
            self.caret_into(doc, self.word_offset(doc, wrong))
            self.key(*["shift+Right"] * len(wrong), delay=40)
        else:
            x, y = self.word_centre(doc, wrong)
            self.click_at(x, y, repeat=2)
        time.sleep(self.rng.uniform(0.4, 0.8))
        self.type(right, self.delay())
        time.sleep(0.3)
        # The word is whole once the writer leaves it: that key completes the correction.
        return self.timed("select-retype", lambda: self.key("ctrl+End"))

    def context_menu(self, wrong, right):
        doc = self.focused_text()
        if self.editor == "writer":
            self.caret_into(doc, self.word_offset(doc, wrong) + len(wrong) // 2)
            self.key("Menu")
            menu_item = self.find(lambda n: n.get_role() == Atspi.Role.MENU_ITEM and self.showing(n)
                                  and n.get_parent() is not None
                                  and n.get_parent().get_role() == Atspi.Role.MENU)
            if menu_item is None:
                raise Failed("the Menu key opened no context menu")
            items = [menu_item.get_parent().get_child_at_index(i)
                     for i in range(menu_item.get_parent().get_child_count())]
            names = [i.get_name() if i.get_role() == Atspi.Role.MENU_ITEM else None for i in items]
            if right not in names:
                self.key("Escape")
                raise Failed(f"the context menu does not offer {right!r}: {names}")
            # The first Down reaches the first item; separators are skipped.
            downs = sum(1 for n in names[:names.index(right) + 1] if n is not None)
            self.key(*["Down"] * downs, delay=120)
            time.sleep(0.3)
            at = self.timed("context-menu", lambda: self.key("Return"))
        else:
            x, y = self.word_centre(doc, wrong)
            self.click_at(x, y, button=3)
            submenu = self.find(lambda n: n.get_role() == Atspi.Role.MENU and self.showing(n) and
                                (n.get_name() or "").startswith("Spelling Suggestions"))
            if submenu is None:
                self.key("Escape")
                raise Failed("the context menu shows no spelling suggestions")
            self.click_at(*self.centre(submenu))
            item = self.find(lambda n: n.get_role() == Atspi.Role.MENU_ITEM and
                             n.get_name() == right and self.showing(n), root=submenu)
            if item is None:
                self.key("Escape", "Escape")
                raise Failed(f"the spelling suggestions do not offer {right!r}")
            x, y = self.centre(item)
            self.xdotool("mousemove", x, y)
            time.sleep(0.3)
            at = self.timed("context-menu", lambda: self.xdotool("click", 1))
        time.sleep(0.5)
        self.key("ctrl+End")
        return at

    def spelling_dialog(self, wrong, right):
        self.key("ctrl+Home")
        time.sleep(0.3)
        self.key("F7")
        app = self.application()
        dialog = self.find(lambda n: n.get_role() == Atspi.Role.DIALOG and
                           (n.get_name() or "").startswith("Spelling:"), tries=50, root=app)
        if dialog is None:
            raise Failed("F7 opened no spelling dialog")
        at = None
        try:
            for _ in range(10):
                time.sleep(0.8)
                sentence = self.find(lambda n: n.get_role() == Atspi.Role.PARAGRAPH, root=dialog)
                cell = self.find(lambda n: n.get_role() == Atspi.Role.TABLE_CELL, root=dialog)
                first = cell.get_name() if cell is not None else None
                shown = self.content(sentence) if sentence is not None else ""
                if first == right and re.search(r"\b" + re.escape(wrong) + r"\b", shown):
                    button = self.find(lambda n: n.get_role() == Atspi.Role.PUSH_BUTTON and
                                       n.get_name() == "Correct", root=dialog)
                    x, y = self.centre(button)
                    self.xdotool("mousemove", x, y)
                    time.sleep(0.3)
                    at = self.timed("spelling-dialog", lambda: self.xdotool("click", 1))
                    break
                self.log("spelling-dialog-skips", repr(first), repr(shown[:80]))
                button = self.find(lambda n: n.get_role() == Atspi.Role.PUSH_BUTTON and
                                   n.get_name() == "Ignore Once", root=dialog)
                if button is None:
                    break
                self.click_at(*self.centre(button))
            time.sleep(1.0)
        finally:
            self.close_spelling_dialog()
        if at is None:
            raise Failed(f"the spelling dialog never offered {right!r} for {wrong!r}")
        return at

    def close_spelling_dialog(self):
        for _ in range(6):
            app = self.application()
            alert = None
            for i in range(app.get_child_count()):
                top = app.get_child_at_index(i)
                if top is not None and top.get_role() in (Atspi.Role.ALERT, Atspi.Role.DIALOG):
                    alert = top
            if alert is None:
                break
            if (alert.get_name() or "").startswith("Spelling:"):
                close = self.find(lambda n: n.get_role() == Atspi.Role.PUSH_BUTTON and
                                  n.get_name() == "Close", root=alert, tries=3)
                if close is not None:
                    self.click_at(*self.centre(close))
                else:
                    self.key("Escape")
            else:
                # "The spellcheck is complete." and the like.
                self.key("Return")
            time.sleep(0.8)
        self.xdotool("windowfocus", "--sync", self.window)
        time.sleep(0.3)
        self.key("ctrl+End")

    # ---- a sentence
    def sentence(self, segments, made):
        """Types one sentence, making its corrections; appends them to made."""
        deferred = []
        pending_fix = None  # backspace-retype or autocorrect waiting for the following space
        for seg in segments:
            if seg[0] == "fix":
                _, wrong, right, path = seg
                record = {"misspelling": wrong, "correction": right, "path": path}
                if path not in OFFERED[self.editor]:
                    record["offered"] = False
                    made.append(record)
                    self.type_words(wrong)
                    continue
                self.log("misspelling", wrong, right, path)
                self.type_words(wrong)
                if path in ("autocorrect", "backspace-retype"):
                    pending_fix = record
                else:
                    deferred.append(record)
                continue
            text = seg[1]
            if pending_fix is not None:
                if not text.startswith(" "):
                    raise Failed(f"{pending_fix['misspelling']!r} is not followed by a space")
                record, pending_fix = pending_fix, None
                wrong, right = record["misspelling"], record["correction"]
                if record["path"] == "autocorrect":
                    record["at"] = self.timed("autocorrect", lambda: self.type(" "))
                else:
                    self.type(" ")
                    time.sleep(self.rng.uniform(0.3, 0.9))
                    common = os.path.commonprefix([wrong, right])
                    self.key(*["BackSpace"] * (1 + len(wrong) - len(common)))
                    time.sleep(self.rng.uniform(0.3, 0.8))
                    self.type(right[len(common):])
                    record["at"] = self.timed("backspace-retype", lambda: self.type(" "))
                made.append(record)
                text = text[1:]
            self.type_words(text)
        if pending_fix is not None:
            raise Failed(f"{pending_fix['misspelling']!r} ends its sentence: no space follows it")
        for record in deferred:
            time.sleep(self.rng.uniform(0.8, 1.5))
            wrong, right, path = record["misspelling"], record["correction"], record["path"]
            try:
                if path == "select-retype":
                    record["at"] = self.select_retype(wrong, right)
                elif path == "context-menu":
                    record["at"] = self.context_menu(wrong, right)
                else:
                    record["at"] = self.spelling_dialog(wrong, right)
            except (Failed, GLib.Error, subprocess.CalledProcessError) as error:
                record["failed"] = str(error)
                self.log("could-not-make", wrong, right, path, str(error))
                self.key("Escape")
                self.key("ctrl+End")
            made.append(record)
        time.sleep(0.2)
        self.key("Return")


# ---------------------------------------------------------------- processes

def wait_for(path, pattern, seconds):
    end = time.time() + seconds
    while time.time() < end:
        try:
            with open(path, errors="replace") as f:
                if re.search(pattern, f.read()):
                    return True
        except FileNotFoundError:
            pass
        time.sleep(0.2)
    return False


def start(command, log_path, env):
    log = open(log_path, "w")
    return subprocess.Popen(command, stdout=log, stderr=subprocess.STDOUT, env=env,
                            start_new_session=True)


def stop(process):
    if process is None or process.poll() is not None:
        return
    try:
        os.killpg(process.pid, signal.SIGTERM)
        process.wait(timeout=8)
    except subprocess.TimeoutExpired:
        os.killpg(process.pid, signal.SIGKILL)
        process.wait()
    except ProcessLookupError:
        pass


WRITER_PROFILE = """<?xml version="1.0" encoding="UTF-8"?>
<oor:items xmlns:oor="http://openoffice.org/2001/registry" xmlns:xs="http://www.w3.org/2001/XMLSchema" xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance">
<item oor:path="/org.openoffice.Setup/Product"><prop oor:name="ooSetupLastVersion" oor:op="fuse"><value>{version}</value></prop></item>
<item oor:path="/org.openoffice.Office.Common/Misc"><prop oor:name="ShowTipOfTheDay" oor:op="fuse"><value>false</value></prop></item>
</oor:items>
"""


def scratch_environment(folder, comparison_script):
    home = os.path.join(folder, "home")
    env = dict(os.environ)
    env.update(HOME=home, XDG_DATA_HOME=f"{home}/data", XDG_CONFIG_HOME=f"{home}/config",
               XDG_CACHE_HOME=f"{home}/cache", GSETTINGS_BACKEND="keyfile",
               LANG="en_US.UTF-8", LC_ALL="en_US.UTF-8", SAL_USE_VCLPLUGIN="gtk3")
    scripts = f"{home}/data/Typewarden/Application Scripts"
    os.makedirs(scripts, exist_ok=True)
    os.makedirs(f"{home}/config/Orthova", exist_ok=True)
    shutil.copy(comparison_script, scripts)
    with open(f"{home}/config/Orthova/Typewarden.conf", "w") as f:
        f.write("[General]\nKVRLaunchTypewardenAtLoginDefaultSetting=false\n"
                "KVRShowWindowAtStartupDefaultSetting=false\nKVRBeepDefaultSetting=false\n"
                "KVRAutoCheckRetentionSetting=true\nKVRTextEditDefaultSetting=true\n"
                "KVRSPagesDefaultSetting=true\n")
    # Writer: no "first time" bar above the document, no tip dialog.
    version = subprocess.run(["sh", "-c", "soffice --version 2>/dev/null"], capture_output=True,
                             text=True).stdout
    match = re.search(r"LibreOffice (\d+\.\d+)", version)
    profile = f"{home}/config/libreoffice/4/user"
    os.makedirs(profile, exist_ok=True)
    with open(f"{profile}/registrymodifications.xcu", "w") as f:
        f.write(WRITER_PROFILE.format(version=match.group(1) if match else "7.4"))
    return env


# ---------------------------------------------------------------- figures

def read_announcements(bus_log):
    """(time, cSpell, mSpell) of each Notification signal in dbus-monitor's output."""
    with open(bus_log, errors="replace") as f:
        text = f.read()
    found = []
    for block in re.split(r"\n(?=signal )", text):
        head = re.match(r"signal time=([0-9.]+) .*member=Notification", block)
        if not head:
            continue
        flat = " ".join(block.split())
        c = re.search(r'string "cSpell" variant string "((?:[^"\\]|\\.)*)"', flat)
        m = re.search(r'string "mSpell" variant string "((?:[^"\\]|\\.)*)"', flat)
        if c and m:
            found.append((float(head.group(1)), c.group(1), m.group(1)))
    return found


def related(a, b):
    return a == b or (len(a) >= 3 and len(b) >= 3 and a[:3].lower() == b[:3].lower())


def score(made, announcements):
    used = [False] * len(announcements)
    for record in made:
        record["result"] = "not offered" if record.get("offered") is False else (
            "not made" if "at" not in record else "missed")
    # Exact pairs first, each announcement used once, nearest after the correcting key.
    for record in made:
        if "at" not in record:
            continue
        for i, (t, c, m) in enumerate(announcements):
            if not used[i] and c == record["correction"] and m == record["misspelling"] and \
                    t >= record["at"] - 1.0:
                used[i] = True
                record["result"] = "caught"
                record["latency_ms"] = (t - record["at"]) * 1000
                break
    for record in made:
        if record["result"] != "missed":
            continue
        for i, (t, c, m) in enumerate(announcements):
            if used[i] or not (record["at"] - 1.0 <= t <= record["at"] + ANNOUNCE_WINDOW_S):
                continue
            if any(related(x, y) for x in (c, m) for y in (record["correction"], record["misspelling"])):
                used[i] = True
                record["result"] = "wrong pair"
                record["announced"] = f"{m} -> {c}"
                break
    false_pairs = [a for i, a in enumerate(announcements) if not used[i]]
    return false_pairs


def report(editor, made, false_pairs, words_typed):
    print(f"\n== {editor}: {words_typed} words typed")
    print(f"{'path':18} {'made':>5} {'caught':>7} {'missed':>7} {'wrong':>6} {'caught %':>9} "
          f"{'median ms':>10}")
    for path in PATHS:
        rows = [r for r in made if r["path"] == path]
        if not rows:
            continue
        if path not in OFFERED[editor]:
            print(f"{path:18} not offered ({len(rows)} in the corpus part)")
            continue
        done = [r for r in rows if "at" in r]
        caught = [r for r in done if r["result"] == "caught"]
        missed = [r for r in done if r["result"] == "missed"]
        wrong = [r for r in done if r["result"] == "wrong pair"]
        share = f"{100 * len(caught) / len(done):.0f}" if done else "-"
        median = f"{statistics.median(r['latency_ms'] for r in caught):.0f}" if caught else "-"
        note = f"   ({len(rows) - len(done)} could not be made)" if len(done) < len(rows) else ""
        print(f"{path:18} {len(done):>5} {len(caught):>7} {len(missed):>7} {len(wrong):>6} "
              f"{share:>9} {median:>10}{note}")
    caught = [r["latency_ms"] for r in made if r["result"] == "caught"]
    per_thousand = 1000 * len(false_pairs) / words_typed if words_typed else 0
    print(f"false pairs: {len(false_pairs)} ({per_thousand:.1f} per 1,000 words)")
    if caught:
        print(f"announcement after the correcting key: median {statistics.median(caught):.0f} ms, "
              f"max {max(caught):.0f} ms over {len(caught)} pairs")
    for r in made:
        if r["result"] in ("missed", "wrong pair", "not made"):
            extra = r.get("announced") or r.get("failed") or ""
            print(f"  {r['result']}: {r['misspelling']} -> {r['correction']} ({r['path']}) {extra}")
    for t, c, m in false_pairs:
        print(f"  false pair: {m} -> {c} at {time.strftime('%H:%M:%S', time.localtime(t))}")


# ---------------------------------------------------------------- one editor

def run_editor(editor, sentences, args, out):
    folder = os.path.join(out, editor)
    os.makedirs(folder, exist_ok=True)
    env = scratch_environment(folder, args.comparison_script)
    processes = []
    made = []
    words_typed = 0
    try:
        monitor = start(["dbus-monitor", "--session",
                         "type='signal',interface='com.brellum.kvrdesk.DistributedNotificationCenter',"
                         "member='Notification'"], f"{folder}/bus.log", env)
        processes.append(monitor)
        agent_env = dict(env, QT_LOGGING_RULES="typewarden.*.debug=true")
        agent = start([args.typewarden], f"{folder}/agent.log", agent_env)
        processes.append(agent)
        if not wait_for(f"{folder}/agent.log", r"status item|status notifier", 20):
            raise Failed("the agent did not start (see agent.log)")
        time.sleep(1)
        if editor == "mousepad":
            subprocess.run(["gsettings", "set", "org.xfce.mousepad.state.application",
                            "enabled-plugins", "['mousepad-plugin-gspell']"], env=env, check=True)
            command, search = ["mousepad"], ["--class", "mousepad"]
        else:
            # The document's frame; Writer's other windows have the class soffice too.
            command, search = ["soffice", "--writer", "--norestore"], ["--name", "LibreOffice Writer$"]
        editor_process = start(command, f"{folder}/editor.log", env)
        processes.insert(0, editor_process)
        window = []
        for _ in range(120):
            window = subprocess.run(["xdotool", "search", "--onlyvisible", *search],
                                    capture_output=True, text=True).stdout.split()
            if window:
                break
            time.sleep(0.5)
        if not window:
            raise Failed(f"{editor} shows no window")
        time.sleep(3 if editor == "writer" else 1)
        # No window manager: the keyboard focus makes the window the active one.
        subprocess.run(["xdotool", "windowfocus", "--sync", window[-1]], check=False)
        if editor == "writer":
            subprocess.run(["xdotool", "key", "Escape"], check=False)  # a first-start tip, if any
        if not wait_for(f"{folder}/agent.log", r"watching", 30):
            raise Failed(f"the agent did not start watching {editor} (see agent.log)")
        time.sleep(2)

        rng = random.Random(args.seed)
        with open(f"{folder}/driver.log", "w") as log:
            driver = Driver(editor, log, rng, args.delay)
            driver.window = window[-1]
            driver.log("start", editor)
            for number, segments in enumerate(sentences, 1):
                driver.log("sentence", number)
                driver.sentence(segments, made)
                for seg in segments:
                    words_typed += len(WORD_RE.findall(seg[1] if seg[0] == "text" else seg[1]))
                pause = rng.uniform(0.5, 2.0)
                time.sleep(pause)
                if number % 20 == 0:
                    print(f"{editor}: {number} of {len(sentences)} sentences", flush=True)
            time.sleep(3)
            driver.log("end")
            try:
                with open(f"{folder}/text.txt", "w") as f:
                    f.write("\n".join(driver.content(n) for n in driver.walk(driver.application())
                                      if n.get_role() in (Atspi.Role.TEXT, Atspi.Role.PARAGRAPH)
                                      and n.get_text_iface() is not None))
            except (GLib.Error, AttributeError):
                pass
    except Failed as error:
        print(f"{editor}: stopped: {error}", file=sys.stderr)
    finally:
        for process in processes:
            stop(process)
    announcements = read_announcements(f"{folder}/bus.log")
    false_pairs = score(made, announcements)
    with open(f"{folder}/results.json", "w") as f:
        json.dump({"made": made, "announcements": announcements, "false_pairs": false_pairs,
                   "words_typed": words_typed}, f, indent=1)
    report(editor, made, false_pairs, words_typed)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("corpus")
    parser.add_argument("--editors", default="mousepad,writer")
    parser.add_argument("--sentences", type=int)
    parser.add_argument("--delay", default="80-250")
    parser.add_argument("--out")
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--typewarden", default=os.path.join(TOP, "build/bin/typewarden"))
    parser.add_argument("--comparison-script",
                        default=os.path.join(TOP, "build/resources/ComparingTextUsingDiff.scpt"))
    parser.add_argument("--check-corpus", action="store_true")
    args = parser.parse_args()
    sentences = read_corpus(args.corpus)
    if args.check_corpus:
        return 1 if check_corpus(sentences) else 0
    low, _, high = args.delay.partition("-")
    args.delay = (int(low), int(high or low))
    editors = [e.strip() for e in args.editors.split(",") if e.strip()]
    for editor in editors:
        if editor not in OFFERED:
            sys.exit(f"unknown editor {editor!r} (mousepad, writer)")
    if os.environ.get("ORTHOVA_DESKTOP_UNAVAILABLE") or not os.environ.get("DISPLAY"):
        sys.exit("no desktop: run through bench/capture-accuracy/capture-accuracy "
                 f"({os.environ.get('ORTHOVA_DESKTOP_UNAVAILABLE', 'no X display')})")
    for path in (args.typewarden, args.comparison_script):
        if not os.path.exists(path):
            sys.exit(f"missing {path}: build first (ninja -j1 -C build typewarden)")
    if args.sentences:
        sentences = sentences[:args.sentences]
    out = args.out or tempfile.mkdtemp(prefix="capture-accuracy-")
    os.makedirs(out, exist_ok=True)
    print(f"logs in {out}; {len(sentences)} sentences, editors {', '.join(editors)}, "
          f"key delay {args.delay[0]}-{args.delay[1]} ms", flush=True)
    # Accessibility on for the editors started from here (the agent does it too, at its start).
    subprocess.run(["dbus-send", "--session", "--dest=org.a11y.Bus", "--type=method_call",
                    "/org/a11y/bus", "org.freedesktop.DBus.Properties.Set", "string:org.a11y.Status",
                    "string:IsEnabled", "variant:boolean:true"], check=False)
    for editor in editors:
        run_editor(editor, sentences, args, out)
    return 0


if __name__ == "__main__":
    sys.exit(main())
