#!/usr/bin/env python3
"""Writes the starter spelling curriculum shipped in resources/.

Run by hand after editing the data below; nothing calls this at build time.
"""

import os
import sys

# Rule code -> general rule. A unit carries its code; the rules table and each
# unit's general rule text both come from here so they cannot drift apart.
RULES = {
    1: "The letters s and h together spell one sound, the sh in ship and fish.",
    2: "Some pairs of letters spell one new sound: ch as in chin, th as in thin "
       "and this, wh as in when.",
    3: "At the end of a short word, the k sound straight after a short vowel is "
       "spelled ck.",
    4: "A silent e at the end of a word makes the vowel before it say its name, "
       "so hop becomes hope.",
    5: "A short word with one short vowel that ends in f, l, s or z usually "
       "doubles that last letter, as in off, bell, miss and buzz.",
    6: "Two vowels often team up to spell one long vowel sound. Which team to "
       "use often depends on where the sound falls in the word.",
    7: "Straight after a short vowel, the ch sound at the end of a word is "
       "spelled tch and the j sound is spelled dge.",
    8: "The letter c sounds like s, and g sounds like j, when e, i or y comes "
       "next. Before a, o and u they keep their hard sound.",
    9: "When a word ends in one short vowel and one consonant, and that last "
       "part is stressed, double the consonant before an ending that starts "
       "with a vowel: stop, stopping; begin, beginning.",
    10: "Drop a silent e at the end of a word before an ending that starts with "
        "a vowel or y. Keep it before an ending that starts with a consonant.",
    11: "When a word ends in a consonant and then y, change the y to i before "
        "adding an ending, unless the ending itself starts with i.",
    12: "Write i before e when the sound is ee, except straight after c.",
    13: "The shun sound at the end of a word is usually spelled tion. It is "
        "spelled sion when it sounds like zh, and usually after l, n or ss.",
    14: "If what comes before the ending is a whole word, the ending is usually "
        "able. If it is not a whole word, the ending is usually ible.",
    15: "Some words keep letters that are no longer spoken, such as the k in "
        "knee, the w in write and the b in lamb.",
}


def same(bit, *words):
    """A row where every word carries the same bit."""
    return [(w, bit) for w in words]


def pairs(*items):
    """A row given as word, bit, word, bit, ..."""
    return list(zip(items[0::2], items[1::2]))


# Level -> list of units. A unit is (rule code, [sections]); a section is
# (section rule, [rows]); a row is a list of (word, bit). A bit starting with
# "-" names letters the word must not contain, for lessons about leaving
# something out.
LEVELS = {
    1: [
        (1, [
            ("sh at the start of a word.", [
                same("sh", "ship", "shop", "shut", "shed"),
                same("sh", "sheep", "shell", "shelf", "shine"),
                same("sh", "shark", "sharp", "share", "short"),
            ]),
            ("sh at the end of a word, usually after a short vowel.", [
                same("sh", "fish", "dish", "wish"),
                same("sh", "cash", "crash", "splash", "flash"),
                same("sh", "brush", "crush", "rush", "hush"),
                same("sh", "fresh", "flesh", "mesh"),
            ]),
        ]),
        (2, [
            ("ch at the start or the end of a word.", [
                same("ch", "chin", "chip", "chop", "chat"),
                same("ch", "much", "such", "rich", "which"),
                same("ch", "lunch", "bunch", "punch", "munch"),
            ]),
            ("th can sound soft as in thin or buzzing as in this; the "
             "spelling is the same.", [
                same("th", "thin", "thick", "think", "thing"),
                same("th", "this", "that", "then", "them", "than"),
                same("th", "moth", "cloth", "broth", "path", "bath"),
            ]),
            ("wh starts many question words.", [
                same("wh", "when", "what", "where", "why", "which"),
                same("wh", "white", "whale", "wheel", "whisper"),
            ]),
        ]),
        (3, [
            ("ck straight after a single short vowel.", [
                same("ck", "back", "pack", "sack", "black", "track"),
                same("ck", "deck", "neck", "check", "speck"),
                same("ck", "kick", "pick", "stick", "trick", "quick"),
                same("ck", "lock", "rock", "sock", "clock", "block"),
                same("ck", "duck", "luck", "truck", "stuck"),
            ]),
            ("After a consonant, a long vowel or a vowel team, use k alone.", [
                same("-ck", "milk", "silk", "bank", "tank", "pink"),
                same("-ck", "desk", "ask", "task", "risk"),
                same("-ck", "book", "look", "cook", "week", "seek"),
            ]),
            ("Longer words ending in the k sound often end in ic.", [
                same("-ck", "magic", "music", "picnic", "traffic", "panic"),
            ]),
        ]),
        (4, [
            ("a and i with a silent e.", [
                same("ake", "cake", "make", "take", "lake", "snake"),
                same("ame", "game", "name", "same", "came", "tame"),
                same("ike", "bike", "like", "hike", "strike"),
                same("ite", "kite", "bite", "white", "quite"),
                same("ime", "time", "lime", "dime", "slime"),
            ]),
            ("o and u with a silent e.", [
                pairs("home", "ome", "bone", "one", "stone", "one",
                      "phone", "one"),
                same("ope", "hope", "rope", "slope"),
                same("ute", "cute", "mute", "flute"),
                same("ube", "tube", "cube"),
            ]),
            ("English words do not end in v, so some words end in e even "
             "though the vowel is short; come, some and done are common "
             "words of the same kind.", [
                same("ve", "have", "give", "live", "love", "glove"),
                pairs("come", "me", "some", "me", "done", "ne", "none", "ne",
                      "gone", "ne"),
            ]),
        ]),
        (5, [
            ("Double f, l, s or z after one short vowel.", [
                same("ff", "off", "cliff", "stuff", "puff", "sniff"),
                same("ll", "bell", "tell", "well", "spell", "smell"),
                same("ll", "hill", "will", "still", "spill"),
                same("ss", "miss", "kiss", "less", "dress", "class"),
                same("zz", "buzz", "fizz", "jazz", "fuzz"),
            ]),
            ("A few very common short words keep a single letter.", [
                same("-ff", "if", "of"),
                same("-ss", "yes", "bus", "gas", "plus", "this"),
            ]),
        ]),
    ],
    2: [
        (6, [
            ("ai spells the long a sound inside a word.", [
                same("ai", "rain", "train", "brain", "chain"),
                same("ai", "wait", "paint", "faint"),
                same("ai", "mail", "nail", "tail", "sail", "snail"),
            ]),
            ("ay spells the long a sound at the end of a word.", [
                same("ay", "day", "say", "play", "stay", "way"),
                same("ay", "tray", "spray", "away", "today"),
            ]),
        ]),
        (6, [
            ("ee spells the long e sound.", [
                same("ee", "see", "tree", "free", "three"),
                same("ee", "feet", "meet", "sweet", "street"),
                same("ee", "green", "seen", "queen", "between"),
            ]),
            ("ea also spells the long e sound; the two must be learned word "
             "by word.", [
                same("ea", "eat", "seat", "heat", "meat", "treat"),
                same("ea", "sea", "tea", "pea"),
                same("ea", "dream", "cream", "team", "stream"),
            ]),
            ("In some words ea spells a short e sound.", [
                same("ea", "head", "bread", "dead", "ready", "heavy"),
            ]),
        ]),
        (6, [
            ("oa spells the long o sound inside a word.", [
                same("oa", "boat", "coat", "goat", "float"),
                same("oa", "road", "load", "toad"),
                same("oa", "soap", "coach", "roast", "toast"),
            ]),
            ("ow spells the long o sound at the end of a word.", [
                same("ow", "snow", "grow", "show", "slow", "throw"),
                same("ow", "yellow", "window", "follow", "shadow"),
            ]),
        ]),
        (7, [
            ("tch after a short vowel.", [
                same("tch", "catch", "match", "patch", "hatch", "scratch"),
                same("tch", "fetch", "sketch", "stretch"),
                same("tch", "witch", "itch", "pitch", "switch", "ditch"),
                same("tch", "hutch", "clutch", "crutch"),
            ]),
            ("dge after a short vowel.", [
                same("dge", "badge", "edge", "hedge", "ledge", "wedge"),
                same("dge", "bridge", "ridge", "fridge"),
                same("dge", "dodge", "lodge", "judge", "fudge", "nudge"),
            ]),
            ("After a consonant or a vowel team use ch and ge alone; rich, "
             "much, such and which are common exceptions.", [
                same("-tch", "bench", "pinch", "crunch", "branch"),
                same("-tch", "beach", "reach", "peach", "teach"),
                same("-tch", "rich", "much", "such", "which"),
                same("-dge", "change", "large", "huge", "cage", "page"),
            ]),
        ]),
        (8, [
            ("Soft c before e, i or y.", [
                pairs("city", "ci", "cent", "ce", "cell", "ce",
                      "circle", "ci", "cycle", "cy"),
                same("ce", "ice", "rice", "nice", "price", "slice"),
                same("ce", "face", "place", "race", "space"),
                same("cy", "fancy", "mercy", "icy"),
            ]),
            ("Soft g before e, i or y.", [
                pairs("gem", "ge", "giant", "gi", "giraffe", "gi",
                      "gym", "gy"),
                same("ge", "age", "cage", "page", "stage"),
                same("gi", "magic", "engine", "imagine"),
                same("gy", "energy", "allergy", "biology"),
            ]),
            ("A u after g keeps it hard before e or i.", [
                same("gu", "guess", "guest", "guide", "guitar", "guilt"),
            ]),
        ]),
        (9, [
            ("Double before -ing.", [
                same("pp", "hopping", "stopping", "shopping"),
                pairs("running", "nn", "swimming", "mm", "sitting", "tt",
                      "getting", "tt", "putting", "tt"),
                same("gg", "hugging", "digging", "jogging"),
            ]),
            ("Double before -ed and -er.", [
                same("pp", "stopped", "clapped", "dropped"),
                pairs("planned", "nn", "grabbed", "bb", "hugged", "gg"),
                pairs("bigger", "gg", "hotter", "tt", "thinner", "nn",
                      "runner", "nn"),
            ]),
            ("Do not double after two vowels or two consonants, and never "
             "double w, x or y.", [
                pairs("raining", "-nn", "waiting", "-tt", "cooking", "-kk",
                      "sleeping", "-pp"),
                pairs("jumping", "-pp", "helping", "-pp", "landing", "-dd",
                      "resting", "-tt"),
                pairs("snowing", "-ww", "fixing", "-xx", "playing", "-yy",
                      "boxed", "-xx"),
            ]),
        ]),
    ],
    3: [
        (10, [
            ("Drop the e before -ing.", [
                same("-e", "making", "taking", "baking", "shaking"),
                same("-e", "riding", "hiding", "sliding", "gliding"),
                same("-e", "writing", "biting", "smiling", "shining"),
                same("-e", "using", "amusing", "confusing"),
                same("-e", "having", "giving", "living", "loving", "coming"),
            ]),
            ("Drop the e before -y and -ous too.", [
                same("-e", "shiny", "stony", "bony"),
                same("-e", "spicy", "juicy", "noisy"),
                same("-e", "famous", "scary"),
            ]),
            ("Keep the e before a consonant ending, and after soft c or g "
             "before a or o; truly, argument and ninth drop it anyway.", [
                same("eful", "hopeful", "careful", "useful"),
                pairs("lonely", "ely", "lovely", "ely", "movement", "ement",
                      "excitement", "ement"),
                pairs("noticeable", "ceable", "changeable", "geable",
                      "manageable", "geable", "courageous", "geous",
                      "outrageous", "geous"),
                pairs("truly", "-ue", "duly", "-ue", "argument", "-ue",
                      "ninth", "-ne", "wholly", "-le"),
            ]),
        ]),
        (11, [
            ("Change y to i before most endings.", [
                same("ies", "babies", "ladies", "cities", "parties",
                     "stories"),
                pairs("cries", "ies", "cried", "ied", "carries", "ies",
                      "carried", "ied", "carrier", "ier"),
                pairs("happier", "ier", "happiest", "iest", "happily", "ily",
                      "happiness", "iness"),
                pairs("easier", "ier", "easily", "ily", "busier", "ier",
                      "busily", "ily"),
                same("iful", "beautiful", "plentiful", "merciful"),
            ]),
            ("Keep the y before -ing.", [
                same("ying", "crying", "carrying", "hurrying", "studying",
                     "copying"),
            ]),
            ("Keep the y after a vowel; paid, said and laid are the common "
             "exceptions.", [
                same("yed", "played", "stayed", "enjoyed", "obeyed"),
                same("ys", "days", "keys", "toys", "monkeys", "valleys"),
                same("aid", "paid", "said", "laid"),
            ]),
        ]),
        (12, [
            ("ie for the ee sound.", [
                same("ie", "believe", "relief", "field", "piece", "chief"),
                same("ie", "thief", "shield", "niece", "achieve"),
            ]),
            ("ei straight after c.", [
                same("cei", "receive", "ceiling", "deceive", "receipt",
                     "conceited"),
            ]),
            ("Common words that break the rule.", [
                same("ei", "weird", "seize", "protein", "either", "neither"),
                same("ei", "their", "height", "foreign", "leisure"),
                same("cie", "science", "ancient", "species"),
            ]),
        ]),
        (13, [
            ("tion is the usual spelling.", [
                same("tion", "action", "fraction", "section", "station",
                     "nation"),
                same("tion", "education", "information", "celebration"),
                same("tion", "attention", "invention", "prevention"),
            ]),
            ("sion when the ending sounds like zh.", [
                same("sion", "vision", "decision", "television", "confusion",
                     "explosion"),
            ]),
            ("sion after l, n or ss; a person skilled in something often "
             "ends in cian.", [
                same("sion", "tension", "pension", "extension", "mansion"),
                same("ssion", "discussion", "permission", "expression",
                     "impression"),
                same("cian", "musician", "magician", "electrician",
                     "politician"),
            ]),
        ]),
        (14, [
            ("able after a whole word.", [
                same("able", "readable", "washable", "breakable",
                     "remarkable"),
                same("able", "comfortable", "dependable", "predictable"),
                same("able", "acceptable", "affordable", "suitable"),
            ]),
            ("ible after a part that is not a whole word.", [
                same("ible", "visible", "possible", "terrible", "horrible",
                     "edible"),
                same("ible", "incredible", "invisible", "responsible",
                     "sensible"),
            ]),
            ("Exceptions that have to be learned.", [
                same("ible", "accessible", "flexible", "digestible"),
                same("able", "probable", "capable", "vulnerable"),
            ]),
        ]),
        (15, [
            ("Silent k before n, silent w before r.", [
                same("kn", "knee", "knife", "knock", "knot", "know"),
                same("wr", "write", "wrong", "wrap", "wrist", "wreck"),
            ]),
            ("Silent b after m, silent t after s.", [
                same("mb", "lamb", "thumb", "climb", "comb", "bomb"),
                same("st", "listen", "castle", "whistle", "fasten"),
                pairs("island", "sl", "debt", "bt", "doubt", "bt"),
            ]),
            ("Silent g before n, and an h that is not heard.", [
                same("gn", "sign", "design", "gnome", "gnat"),
                pairs("hour", "ho", "honest", "ho", "ghost", "gh",
                      "school", "ch", "rhyme", "rh"),
            ]),
        ]),
        (9, [
            ("Double when the stress is on the last part of the word.", [
                same("nn", "beginning", "beginner"),
                same("tt", "forgotten", "forgetting"),
                same("rr", "preferred", "preferring", "referred", "occurred",
                     "occurring"),
                same("tt", "admitted", "committed", "regretted", "permitted"),
            ]),
            ("Do not double when the stress is not at the end, even when it "
             "moves off the end as in prefer and preference.", [
                same("-tt", "visited", "visiting"),
                same("-nn", "opened", "opening", "happened", "happening"),
                same("-rr", "offering", "offered", "suffering", "entered"),
                same("-rr", "preference", "reference"),
            ]),
        ]),
    ],
}


def references(levels):
    """Per rule code, the lessons citing it as '1-U3, U4, 2-U1'."""
    cited = {}
    for level in sorted(levels):
        for unit_no, (code, _) in enumerate(levels[level], start=1):
            cited.setdefault(code, []).append((level, unit_no))
    out = {}
    for code, lessons in cited.items():
        entries = []
        prev_level = None
        for level, unit_no in lessons:
            if level == prev_level:
                entries.append("U%d" % unit_no)
            else:
                entries.append("%d-U%d" % (level, unit_no))
            prev_level = level
        out[code] = ", ".join(entries)
    return out


def lessons_lines(levels):
    lines = ['<?xml version="1.0" encoding="utf-8"?>', "<lessonsData>"]
    for level in sorted(levels):
        lines += ["<level>", "<levelNumber>%d</levelNumber>" % level]
        for unit_no, (code, sections) in enumerate(levels[level], start=1):
            lines += ["<unit>", "<unitNumber>%d</unitNumber>" % unit_no,
                      "<generalRule>", "<code>%d</code>" % code,
                      "<rule>%s</rule>" % RULES[code], "</generalRule>"]
            for sec_no, (sec_rule, rows) in enumerate(sections):
                lines += ["<section>",
                          "<sectionNumber>%d</sectionNumber>" % sec_no,
                          "<rule>%s</rule>" % sec_rule]
                for row in rows:
                    lines.append("<relatedWords>")
                    for word, bit in row:
                        lines += ["<word>%s</word>" % word,
                                  "<bit>%s</bit>" % bit]
                    lines.append("</relatedWords>")
                lines.append("</section>")
            lines.append("</unit>")
        lines.append("</level>")
    lines.append("</lessonsData>")
    return lines


def rules_lines(levels):
    refs = references(levels)
    lines = ['<?xml version="1.0" encoding="utf-8"?>', "<rulesData>"]
    # Readers expect the codes in string order: 1, 10, 11, ..., 2.
    for code in sorted(RULES, key=str):
        lines += ["<ruleObject>", "<ruleCode>%d</ruleCode>" % code,
                  "<rule>%s</rule>" % RULES[code],
                  "<reference>%s</reference>" % refs.get(code, ""),
                  "</ruleObject>"]
    lines.append("</rulesData>")
    return lines


def sanity(levels):
    """Refuse to write data the reader would choke on."""
    problems = []
    texts = list(RULES.values())
    for level in levels.values():
        for _, sections in level:
            for sec_rule, rows in sections:
                texts.append(sec_rule)
                for row in rows:
                    if not 2 <= len(row) <= 5:
                        problems.append("row size %d: %r" % (len(row), row))
                    for word, bit in row:
                        texts += [word, bit]
                        if bit.startswith("-"):
                            if len(bit) < 2 or bit[1:] in word:
                                problems.append("bad bit %r in %r" % (bit, word))
                        elif not bit or bit not in word:
                            problems.append("bad bit %r in %r" % (bit, word))
                if len(set(map(tuple, rows))) != len(rows):
                    problems.append("duplicate row in %r" % sec_rule)
    for t in texts:
        if any(c in t for c in "&<>\n") or not t.isascii():
            problems.append("unsafe text %r" % t)
    used = {code for level in levels.values() for code, _ in level}
    if used != set(RULES) or sorted(RULES) != list(range(1, len(RULES) + 1)):
        problems.append("rule codes do not match 1..N used by units")
    return problems


def write_utf16(path, text):
    with open(path, "wb") as f:
        f.write(b"\xff\xfe" + text.encode("utf-16-le"))


def main():
    root = os.path.normpath(os.path.join(os.path.dirname(__file__), "..", ".."))
    out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "resources")
    problems = sanity(LEVELS)
    for p in problems:
        print(p, file=sys.stderr)
    if problems:
        return 1
    # The lessons file has no line feed after its last line; the rules file does.
    write_utf16(os.path.join(out_dir, "Lessons_Initiation_Data.xml"),
                "\n".join(lessons_lines(LEVELS)))
    write_utf16(os.path.join(out_dir, "Rules_Initiation_Data.xml"),
                "\n".join(rules_lines(LEVELS)) + "\n")
    units = sum(len(v) for v in LEVELS.values())
    sections = [s for v in LEVELS.values() for _, ss in v for s in ss]
    rows = [r for _, rs in sections for r in rs]
    print("levels %d, units %d, sections %d, rows %d, words %d, rules %d" % (
        len(LEVELS), units, len(sections), len(rows),
        sum(len(r) for r in rows), len(RULES)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
