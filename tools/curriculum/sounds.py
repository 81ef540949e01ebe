"""The sounds the course names, tested against a word's pronunciations.

Pronunciations are ARPAbet strings from the CMU Pronouncing Dictionary, such as
"K AE1 T". A sound is written as a pattern of phonemes: a vowel without a digit
stands for any stress, "AH1" only for the stressed one, and "A|B" for either of
two phonemes at one place (so "AO|OW R" is AO R or OW R). A section's sound
holds when any pronunciation of the word has it. American speech merges some vowels (dog is D AO G, cot K AA T),
so the short o accepts both.
"""

import re

VOWELS = {"AA", "AE", "AH", "AO", "AW", "AY", "EH", "ER", "EY", "IH", "IY", "OW", "OY", "UH", "UW"}


def _token(tok):
    alts = []
    for p in tok.split("|"):
        if p in VOWELS:
            alts.append(p + "[012]")
        elif re.fullmatch(r"[A-Z]+[012]?", p):
            alts.append(p)
        else:
            raise ValueError("not a phoneme: %r" % p)
    return "(?:%s) " % "|".join(alts)


def pattern(text, start=False, end=False):
    """A compiled pattern over a pronunciation written with a trailing space."""
    body = "".join(_token(t) for t in text.split())
    return re.compile(("^" if start else r"(?:^|(?<= ))") + body + ("$" if end else ""))


def has(text, start=False, end=False):
    p = pattern(text, start, end)
    return lambda pron, bit: bool(p.search(pron))


def lacks(text):
    p = pattern(text)
    return lambda pron, bit: not p.search(pron)


def all_of(*tests):
    return lambda pron, bit: all(t(pron, bit) for t in tests)


def any_of(*tests):
    return lambda pron, bit: any(t(pron, bit) for t in tests)


def by_bit(table):
    """Sections whose bit names several spellings, each with its own sound."""
    def test(pron, bit):
        t = table.get(bit)
        return bool(t and t(pron, bit))

    return test


# A word's ending: plural, past, ing and the like after the sound in question.
_END = "(?:(?:S|Z|T|D|IH0 Z|AH0 Z|IH0 D|AH0 D|IH0 NG|ER0|ER0 Z|L IY0|IY0|AH0 N|AH0 L) )?$"


def ends(text):
    p = re.compile(pattern(text).pattern + _END)
    return lambda pron, bit: bool(p.search(pron))


BLENDS = {"bl": "B L", "cl": "K L", "fl": "F L", "gl": "G L", "pl": "P L", "sl": "S L",
          "br": "B R", "cr": "K R", "dr": "D R", "fr": "F R", "gr": "G R", "pr": "P R", "tr": "T R",
          "scr": "S K R", "spl": "S P L", "spr": "S P R", "squ": "S K W", "str": "S T R",
          "sc": "S K", "sk": "S K", "sm": "S M", "sn": "S N", "sp": "S P", "st": "S T", "sw": "S W"}

FINAL_PAIRS = {"nd": "N D", "nt": "N T", "mp": "M P", "st": "S T", "sk": "S K", "lt": "L T",
               "ft": "F T", "lp": "L P", "lf": "L F", "ct": "K T", "pt": "P T", "xt": "K S T"}

SOUNDS = {
    # short vowels: a stressed short vowel somewhere in the word
    "short_a": has("AE1|AE2"),
    "short_e": has("EH1|EH2"),
    "short_i": has("IH1|IH2"),
    "short_o": has("AA1|AA2|AO1|AO2"),
    "short_u": has("AH1|AH2"),
    "short_i_any": has("IH"),
    # consonant teams
    "sh": has("SH"),
    "ch": has("CH"),
    "th": has("TH|DH"),
    "wh": has("W"),
    "k": has("K"),
    "ng": has("NG"),
    "nk": has("NG K"),
    "kw": has("K W"),
    "blend": by_bit({b: has(p, start=True) for b, p in BLENDS.items()}),
    "final_pair": by_bit({b: has(p) for b, p in FINAL_PAIRS.items()}),
    "k_start": has("K", start=True),
    "ks": any_of(has("K S"), has("G Z")),
    # long vowels
    "long_a": has("EY"),
    "long_e": has("IY1|IY2"),
    "long_i": has("AY"),
    "long_o": has("OW"),
    "long_u": has("UW"),
    "oo": has("UW|UH"),
    "y_end_ee": ends("IY0|IY1"),
    # vowels and r
    "ar": has("AA R"),
    "or": has("AO|OW R"),
    "er": has("ER1|ER2"),
    "air": has("EH R"),
    "ear": has("IH|IY R"),
    "ow": has("AW"),
    "oy": has("OY"),
    "aw": has("AO|AA"),
    # consonants said another way
    "soft_c": has("S"),
    "soft_g": has("JH"),
    "f": has("F"),
    "zh": has("ZH"),
    "zh_or_sh": has("ZH|SH"),
    "shun": has("SH|ZH AH0 N"),
    "cher": has("CH ER0"),
    "er_end": ends("ER0"),
    "ul": ends("AH0 L"),
    "v": has("V"),
    # endings
    "ed_t": has("T", end=True),
    "ed_id": has("IH0|AH0 D", end=True),
    "ed_d": has("D", end=True),
    "es_syllable": has("IH0|AH0 Z", end=True),
    # silent letters: the letter's own sound is missing where it is written
    "silent_k": lacks("K N"),
    "silent_g": lacks("G N"),
    "silent_w": lacks("W R"),
    "silent_w_who": lacks("W"),
    "silent_b": all_of(lacks("M B"), lacks("B T")),
    "silent_n": lacks("M N"),
    "silent_h": lacks("HH"),
    "silent_l": lacks("L K|M|F|V|D"),
    "silent_t": lacks("S|F T"),
    "silent_s": lacks("S L"),
    "silent_gh": lacks("G"),
    "silent_p": lambda pron, bit: not pron.startswith("P "),
    "silent_c": lacks("S K"),
    "short_first": lambda pron, bit: _first_vowel(pron) in SHORT_STRESSED,
    "g_end": ends("G|NG"),
    "k_end": ends("K"),
}


# Short vowels said with the word's stress (American dog and cot both count as short o).
SHORT_STRESSED = {"AE1", "EH1", "IH1", "AA1", "AO1", "AH1", "UH1"}


def _first_vowel(pron):
    return next((p for p in pron.split() if p[-1].isdigit()), None)


def load(path):
    """word -> pronunciations ("K AE1 T ", with a trailing space) from a CMU-format file."""
    prons = {}
    with open(path, encoding="latin-1") as f:
        for line in f:
            if line.startswith(";;;") or not line.strip():
                continue
            head, _, phones = line.strip().partition("  ")
            word = re.sub(r"\(\d+\)$", "", head).lower()
            prons.setdefault(word, []).append(phones.strip() + " ")
    return prons


def has_sound(word, key, bit, prons):
    """True when a pronunciation of word has the sound key; False when it has none,
    or the dictionary does not know the word."""
    test = SOUNDS[key]
    return any(test(p, bit) for p in prons.get(word, ()))
