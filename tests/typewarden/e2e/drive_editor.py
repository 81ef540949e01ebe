#!/usr/bin/python3
"""drive_editor.py APPLICATION: in the application's open document, which holds "I beleive you.",
first chooses the spell checker's suggestion for "beleive" from the context menu, then writes a
short passage after it as a writer would, at about 150 ms a key, making three more corrections on
the way: a word typed over, a word backspaced into and retyped, and another suggestion from the
context menu. Prints one line per correction made ("made <misspelling> <correction> <path>") and
exits non-zero when a step cannot be done (with the reason on standard error)."""

import subprocess
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

KEY_DELAY_MS = "150"


def fail(reason):
    print(f"drive_editor: {reason}", file=sys.stderr)
    sys.exit(1)


def xdotool(*args):
    subprocess.run(["xdotool", *map(str, args)], check=True)


def type_text(text):
    xdotool("type", "--delay", KEY_DELAY_MS, text)


def key(*names):
    xdotool("key", "--delay", KEY_DELAY_MS, *names)


def application(name):
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(i)
        if app is not None and (app.get_name() or "").casefold() == name.casefold():
            return app
    return None


def walk(node, depth=0):
    yield node
    if depth > 40:
        return
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child is not None:
            yield from walk(child, depth + 1)


def states(node):
    return node.get_state_set()


def find(name, predicate, tries=30):
    for _ in range(tries):
        app = application(name)
        if app is not None:
            for node in walk(app):
                try:
                    if predicate(node):
                        return node
                except gi.repository.GLib.Error:
                    continue
        time.sleep(0.2)
    return None


def document(name):
    def editable_document(node):
        s = states(node)
        return (node.get_role() == Atspi.Role.TEXT and s.contains(Atspi.StateType.EDITABLE)
                and s.contains(Atspi.StateType.MULTI_LINE))
    found = find(name, editable_document)
    if found is None:
        fail(f"{name} shows no editable document on the accessibility bus")
    return found


def word_center(doc, word):
    text = doc.get_text_iface()
    content = text.get_text(0, text.get_character_count())
    at = content.rfind(word)
    if at < 0:
        fail(f"the document does not hold {word!r}: {content!r}")
    box = text.get_character_extents(at + len(word) // 2, Atspi.CoordType.SCREEN)
    return box.x + box.width // 2, box.y + box.height // 2


def click(node, button=1):
    box = node.get_component_iface().get_extents(Atspi.CoordType.SCREEN)
    xdotool("mousemove", box.x + box.width // 2, box.y + box.height // 2)
    time.sleep(0.2)
    xdotool("click", button)


def choose_suggestion(name, doc, word, correction):
    x, y = word_center(doc, word)
    xdotool("mousemove", x, y)
    time.sleep(0.2)
    xdotool("click", 3)
    submenu = find(name, lambda n: n.get_role() == Atspi.Role.MENU and
                   (n.get_name() or "").startswith("Spelling Suggestions") and
                   states(n).contains(Atspi.StateType.SHOWING))
    if submenu is None:
        fail("the context menu shows no spelling suggestions (is the spell checker on?)")
    click(submenu)
    item = find(name, lambda n: n.get_role() == Atspi.Role.MENU_ITEM and
                n.get_name() == correction and states(n).contains(Atspi.StateType.SHOWING))
    if item is None:
        fail(f"the spelling suggestions do not offer {correction!r}")
    click(item)
    made(word, correction, "context-menu")


def made(misspelling, correction, path):
    print(f"made {misspelling} {correction} {path}", flush=True)


def main(argv):
    if len(argv) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    name = argv[1]
    doc = document(name)

    # The first change to the document is a correction.
    choose_suggestion(name, doc, "beleive", "believe")
    time.sleep(1.0)
    key("ctrl+End")
    type_text(" The river is plea")
    time.sleep(1.5)  # a pause inside a word is no correction
    type_text("sant today, and the letter came. ")
    time.sleep(1.0)

    # Typed over: a double-click selects the word, the correction replaces it, End leaves it.
    type_text("It was wierd. ")
    x, y = word_center(doc, "wierd")
    xdotool("mousemove", x, y)
    xdotool("click", "--repeat", 2, "--delay", 80, 1)
    time.sleep(0.5)
    type_text("weird")
    key("ctrl+End")
    made("wierd", "weird", "select-retype")
    time.sleep(1.0)

    # Backspaced into from the space after it and retyped.
    type_text(" I know wich ")
    key(*["BackSpace"] * 4)
    type_text("hich one. ")
    made("wich", "which", "backspace-retype")
    time.sleep(1.0)

    # The spell checker's suggestion from the context menu.
    type_text("I recieve letters. ")
    time.sleep(1.0)
    choose_suggestion(name, doc, "recieve", "receive")
    time.sleep(1.0)
    key("ctrl+End")
    type_text("Goodbye now.")
    time.sleep(1.5)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
