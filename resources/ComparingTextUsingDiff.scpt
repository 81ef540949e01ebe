#!/usr/bin/python3
# ComparingTextUsingDiff.scpt trackFrontDocument <application name>
#
# Typewarden's comparison script. Reads the text of the front document of the named application
# through the accessibility bus (AT-SPI) and compares it, word by word, with the previous text that
# arrives on standard input (UTF-8). Prints a JSON array of strings on standard output:
#
#   [text, newWord, oldWord]  when words were replaced one for one: the last word that took
#                             another word's place (the agent stores newWord as the correction
#                             of oldWord)
#   [text, newWord]           when exactly one word was added: the word as it stands now, which
#                             the agent compares with the word the user typed (an editor that
#                             corrects a word as the space is typed shows up this way)
#   [text, "", ""]            otherwise: no previous text, other insertions or deletions, or no
#                             change at all
#
# Why two empty words and not a lone [text]: the agent reads a one-item answer as "after word =
# text without its last character" and a two-item answer as "after word = item 2"; for a document
# of about one word's length that could pair the typed word with a piece of the document. Empty
# words always fail the agent's gate (typed word of four or more characters), while item 1 still
# becomes its baseline for the next run.
#
# Any failure exits non-zero with a message on standard error; the agent then changes nothing.
#
# The shebang names Debian's interpreter: the AT-SPI bindings (python3-gi, gir1.2-atspi-2.0) are
# installed for it, not for other interpreters that may come first on PATH.

import difflib
import json
import os
import re
import sys
import unicodedata

HANDLER = "trackFrontDocument"

# The agent's names for the watched applications and the AT-SPI application names that stand for
# them on this desktop.
ALIASES = {
    "TextEdit": ("TextEdit", "gedit", "gnome-text-editor", "kwrite", "kate", "mousepad", "pluma",
                 "xed", "featherpad"),
    "Pages": ("Pages", "soffice", "libreoffice-writer", "abiword", "calligrawords"),
}

# A word is a run of letters, digits (with their combining marks) and apostrophes; apostrophes at
# its ends are quotation marks, not part of it.
_WORD = re.compile(r"(?:[^\W_]|[\u0300-\u036f'\u2019])+")
_QUOTES = "'\u2019"

# The agent kills a run after 10 s; a run that cannot finish well before then is cut short here so
# that it at least reports why.
RUN_LIMIT_SECONDS = 8
ATSPI_CALL_TIMEOUT_MS = 2000
# Bounds the walk of a window's accessibility tree, which a huge table or list could make slow.
MAX_NODES_PER_WINDOW = 5000


class ScriptError(Exception):
    """A failure reported on standard error with a non-zero exit."""


def application_names(name):
    """The AT-SPI application names that stand for the agent's application name."""
    for agent_name, names in ALIASES.items():
        if name.casefold() == agent_name.casefold():
            return names
    return (name,)


def words(text):
    result = []
    for match in _WORD.finditer(unicodedata.normalize("NFC", text)):
        word = match.group().strip(_QUOTES)
        if word:
            result.append(word)
    return result


def _without_common_ends(old, new):
    """old and new word lists without their common head and then their common tail."""
    head = 0
    limit = min(len(old), len(new))
    while head < limit and old[head] == new[head]:
        head += 1
    old_end, new_end = len(old), len(new)
    while old_end > head and new_end > head and old[old_end - 1] == new[new_end - 1]:
        old_end -= 1
        new_end -= 1
    return old[head:old_end], new[head:new_end]


def changed_words(previous, current):
    """The last one-word-for-one-word replacement from previous to current as (new, old), or None."""
    # Most runs change one spot of a long document: only the part between the common head and
    # tail goes to the matcher, which keeps 100 kB documents fast.
    old, new = _without_common_ends(words(previous), words(current))
    if not old or not new:
        return None

    replacement = None
    # Its automatic junk rule (only for 200 words and more) keeps very different texts fast.
    matcher = difflib.SequenceMatcher(None, old, new)
    for tag, i1, i2, j1, j2 in matcher.get_opcodes():
        # A block of n words replaced by n words is n replacements side by side; a block of
        # unequal sizes pairs no word with another.
        if tag == "replace" and i2 - i1 == j2 - j1:
            replacement = (new[j2 - 1], old[i2 - 1])
    return replacement


def inserted_word(previous, current):
    """The one word current has more than previous, when that is the only difference, or None."""
    # One pass over each list: the word is all that is left between the common head and tail.
    old, new = _without_common_ends(words(previous), words(current))
    return new[0] if not old and len(new) == 1 else None


def answer(current, previous):
    """The answer list for the current document text and the previous one."""
    if not previous:
        return [current, "", ""]
    replacement = changed_words(previous, current)
    if replacement:
        return [current, *replacement]
    added = inserted_word(previous, current)
    return [current, added] if added else [current, "", ""]


# --- reading the front document over AT-SPI ---

def _atspi():
    try:
        import gi
        gi.require_version("Atspi", "2.0")
        from gi.repository import Atspi
    except (ImportError, ValueError) as error:
        raise ScriptError("the AT-SPI bindings are missing (packages python3-gi, gir1.2-atspi-2.0): "
                          f"{error}") from error
    return Atspi


def _safe(call, default=None):
    # An application can go away or stop answering at any point of the walk.
    try:
        return call()
    except Exception:  # noqa: BLE001 - GLib errors of any kind mean "not readable"
        return default


def _children(node):
    count = _safe(node.get_child_count, 0) or 0
    for index in range(count):
        child = _safe(lambda: node.get_child_at_index(index))
        if child is not None:
            yield child


def _has_state(node, state):
    states = _safe(node.get_state_set)
    return bool(states and states.contains(state))


def _has_text(node):
    return "Text" in (_safe(node.get_interfaces, []) or [])


def _read_text(Atspi, node):
    count = _safe(lambda: Atspi.Text.get_character_count(node), 0) or 0
    if count <= 0:
        return ""
    text = _safe(lambda: Atspi.Text.get_text(node, 0, count))
    if text is None:
        raise ScriptError("the document's text could not be read")
    return text


def _document_in(Atspi, window):
    """(size, reader) of the largest editable multi-line text under window, or None."""
    text_roles = {Atspi.Role.TEXT, Atspi.Role.DOCUMENT_TEXT, Atspi.Role.DOCUMENT_FRAME,
                  Atspi.Role.EDITBAR, Atspi.Role.ENTRY, Atspi.Role.PARAGRAPH}
    document_roles = {Atspi.Role.DOCUMENT_TEXT, Atspi.Role.DOCUMENT_FRAME}
    # Menus, tables and lists hold no document and can have very many children.
    skipped_roles = {Atspi.Role.MENU_BAR, Atspi.Role.MENU, Atspi.Role.POPUP_MENU, Atspi.Role.TABLE,
                     Atspi.Role.TREE_TABLE, Atspi.Role.TREE, Atspi.Role.LIST, Atspi.Role.LIST_BOX,
                     Atspi.Role.TOOL_BAR, Atspi.Role.SCROLL_BAR}

    best = None
    pending = [window]
    visited = 0
    while pending and visited < MAX_NODES_PER_WINDOW:
        node = pending.pop()
        visited += 1
        role = _safe(node.get_role)
        if role in skipped_roles:
            continue
        if role in text_roles and _has_state(node, Atspi.StateType.EDITABLE):
            if _has_text(node):
                if _has_state(node, Atspi.StateType.MULTI_LINE):
                    size = _safe(lambda: Atspi.Text.get_character_count(node), 0) or 0
                    if best is None or size > best[0]:
                        best = (size, lambda node=node: _read_text(Atspi, node))
                # A text object's children are its decorations, never a second document.
                continue
            if role in document_roles:
                # Word processors expose the document as a container of paragraphs.
                paragraphs = [child for child in _children(node) if _has_text(child)]
                size = sum(_safe(lambda c=c: Atspi.Text.get_character_count(c), 0) or 0
                           for c in paragraphs)
                if best is None or size > best[0]:
                    best = (size, lambda ps=paragraphs: "\n".join(_read_text(Atspi, p)
                                                                  for p in ps))
                continue
        children = list(_children(node))
        pending.extend(reversed(children))
    return best


def _check_accessibility_bus():
    # libatspi aborts the process when it finds no accessibility bus; asking the session bus for
    # the bus's address first turns that into a readable failure.
    if os.environ.get("AT_SPI_BUS_ADDRESS"):
        return
    from gi.repository import Gio, GLib
    try:
        bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
        bus.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress", None,
                      GLib.VariantType("(s)"), Gio.DBusCallFlags.NONE, ATSPI_CALL_TIMEOUT_MS, None)
    except GLib.Error as error:
        # The X display can still name the bus (its AT_SPI_BUS property): let libatspi look.
        if not os.environ.get("DISPLAY"):
            raise ScriptError(f"the accessibility bus (AT-SPI) cannot be reached: {error.message}") \
                from error


def front_document_text(application):
    """The text of the front document of the agent's application name."""
    Atspi = _atspi()
    _check_accessibility_bus()
    Atspi.set_timeout(ATSPI_CALL_TIMEOUT_MS, ATSPI_CALL_TIMEOUT_MS)
    desktop = _safe(lambda: Atspi.get_desktop(0))
    if desktop is None:
        raise ScriptError("the accessibility bus (AT-SPI) cannot be reached")

    wanted = {name.casefold() for name in application_names(application)}
    windows = []  # (rank, order, window): active windows of the application first
    for app in _children(desktop):
        name = _safe(app.get_name, "") or ""
        if name.casefold() not in wanted:
            continue
        for window in _children(app):
            active = _has_state(window, Atspi.StateType.ACTIVE)
            windows.append((0 if active else 1, len(windows), window))
    if not windows:
        raise ScriptError(f"{application} is not running (looked for: "
                          f"{', '.join(application_names(application))})")

    # The active window can be a panel beside the document (the spelling panel): then the
    # document is in the application's next window.
    for _, _, window in sorted(windows, key=lambda item: item[:2]):
        found = _document_in(Atspi, window)
        if found is not None:
            return found[1]()
    raise ScriptError(f"{application} shows no editable document")


def main(argv, stdin, stdout, stderr):
    if len(argv) != 3 or argv[1] != HANDLER:
        print(f"usage: {argv[0]} {HANDLER} <application name> < previous-text", file=stderr)
        return 2
    previous = stdin.read().decode("utf-8", errors="replace")
    try:
        current = front_document_text(argv[2])
    except ScriptError as error:
        print(f"{HANDLER}: {error}", file=stderr)
        return 1
    stdout.write(json.dumps(answer(current, previous), ensure_ascii=False).encode("utf-8"))
    stdout.flush()
    return 0


if __name__ == "__main__":
    import faulthandler
    faulthandler.dump_traceback_later(RUN_LIMIT_SECONDS, exit=True)
    sys.exit(main(sys.argv, sys.stdin.buffer, sys.stdout.buffer, sys.stderr))
