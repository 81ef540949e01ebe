"""The course: levels of units, each with its general rule and its sections.

A unit is U(rule, sections); a section is S(rule, finder). The generator gives
every word of the word list to each section's finder and files the word under the
first section of the unit that finds the pattern in it. Rules shared by several
units are named in SHARED and cited by key.
"""

import re

import strands
from patterns import (C, V, is_noun, syllables, is_root, rx, words_in, first, doubled, not_doubled, after_vowel_team,
                      drop_e, keep_e, y_to_i, keep_y, with_suffix, prefixed)


class S:
    """sound: the key in sounds.SOUNDS a word must have to be filed here."""

    def __init__(self, rule, finder, max_tier=None, sound=None):
        self.rule, self.finder, self.max_tier, self.sound = rule, finder, max_tier, sound


# Words whose letters fit a sound section but not its sound (war in a unit on the ar of car),
# or whose pronunciation is not known, still show the spelling: they go to this section.
OTHERS = "The same letters in more words, not always with this sound."


class U:
    def __init__(self, rule, sections):
        self.rule, self.sections = rule, sections
        if any(s.sound for s in sections):
            finders = [s.finder for s in sections if s.sound]
            self.sections = sections + [S(OTHERS, first(*finders))]


SHARED = {
    "double": "When a word ends in one vowel and one consonant and its last part is stressed, "
              "double the consonant before an ending that starts with a vowel: stop, stopping; "
              "begin, beginning. Do not double after two vowels, after two consonants, or when "
              "the stress is earlier in the word: rain, rained; visit, visiting.",
    "assimilate": "Some Latin prefixes change their last letter to suit the first letter of "
                  "the root, and often that doubles it: in + possible = impossible, ad + tract = "
                  "attract, in + legal = illegal, con + mit = commit. Hear the prefix and the "
                  "root apart to remember both letters.",
    "root": "Many long words are built on a Latin or Greek root that keeps its spelling in "
            "every word of its family. Find the root, spell it the same way each time, then "
            "add the prefix and the ending.",
    "greekroot": "Many words of science and technology are built from Greek parts that keep "
                 "their spelling wherever they stand: tele + phone, photo + graph, micro + scope, "
                 "bio + logy.",
}

def hand_listed():
    """Words named in hand lists: they are taught even when the word list lacks them."""
    return {w for units in LEVELS for u in units for s in u.sections
            for w in getattr(s.finder, "words", ())}


def sound_keys():
    """(unit rule text, section rule) -> the sound its words must have."""
    return {(SHARED.get(u.rule, u.rule), s.rule): s.sound
            for units in LEVELS for u in units for s in u.sections if s.sound}


SHORT = "[^aeiouyrwl]"  # a consonant that leaves the vowel before it short


def short_vowel(v, extra=""):
    return rx(r"^%s*(?P<b>%s)%s+$" % (C, v, SHORT),
              exclude=r"ind$|ild$|old$|olt$|ost$|gh|^both$|^wh?[ao]|^sw?a" + extra)


def stressed_in_relative(word, vocab):
    """legal: legality says the a clearly, so the bit is the al of legal."""
    if len(word) < 5 or not re.search(r"[^aeiou][aeiou][lrmnt]$", word):
        return None
    for ending in ("ity", "ic", "ical", "ian", "ial"):
        relative = word + ending
        if relative in vocab or (word[-1] in "lt" and word + word[-1] + ending in vocab):
            return word[-2:]
    return None


def short_vowel_unit(v, examples, extra=""):
    return U("In a short word with one vowel between consonants, the vowel %s is short, as in "
             "%s." % (v, examples),
             [S("Three-letter words.", rx(r"^%s(?P<b>%s)%s$" % (C, v, SHORT)), sound="short_" + v),
              S("Other short words.", short_vowel(v, extra), sound="short_" + v)])


_FINAL_PAIR = re.compile(r"[aeiou](?P<b>nd|nt|mp|st|sk|lt|ft|lp|lf|ct|pt|xt)(?P<e>s|ed|ing|er|y)?$")


def final_pair(word, vocab):
    """hand, hands, handy: the pair ends the word or a whole word before its ending, so
    candy and under (no cand, no und) are left out."""
    m = _FINAL_PAIR.search(word)
    if not m or syllables(word) > 2 or re.search(r"[a-z]{3}[^aeiou]est$|iest$", word):
        return None
    if m.group("e") and word[: -len(m.group("e"))] not in vocab:
        return None
    return m.group("b")


def blend(group):
    return rx(r"^(?P<b>%s)%s" % (group, V), max_syl=2)


def vce(v):
    return rx(r"(?<![aeiouy])(?P<b>%s[bcdfgklmnpstvz]e)(s|ly|ful|ment|less|ness)?$" % v,
              exclude=r"ives?$|(age|ace|ate|ine|ice|ile|ure|ite)s?$|ove|^(one|done|gone|none|come|"
                      r"some|become|lose|whose|give|live|have|were|there|where)s?$", max_syl=2)


def ending(group, min_syl=2, before=None, exclude=None):
    """The ending itself is the bit; before is what must come ahead of it."""
    look = "(?<=%s)" % before if before else ""
    return rx(r"%s(?P<b>%s)s?$" % (look, group), min_syl=min_syl, exclude=exclude)


# Latin prefixes a root may follow; a short root counts only after one of them,
# so that limit and ferry are not taken for mit and fer.
LATIN_PREFIX = ("(ab|ad|ac|af|ap|as|at|com|con|col|cor|contra|de|di|dif|dis|e|ef|ex|in|im|inter|"
                "intro|ob|of|op|per|pre|pro|re|se|sub|suc|sup|sus|trans)")


def roots(*names):
    """A root marked ~ counts only after a prefix."""
    out = []
    for n in names:
        need = "" if n.startswith("~") else "?"
        out.append(rx(r"^%s%s(?P<b>%s)" % (LATIN_PREFIX, need, n.lstrip("~")), min_syl=2,
                      exclude=r"^(in)?divid|^present|^judo|^seven|^absent|^disent|^infer(n|i)|"
                              r"^efferv|^interfer"))
    return out


def greek(*names):
    """Greek parts stand anywhere in a compound: telephone, microphone; but a footpath is an
    English path."""
    return [rx(r"(?P<b>%s)" % n, min_syl=2, exclude=r"(war|foot|by|tow)path|pathway") for n in names]


# The early levels teach their patterns in short words; longer words meet them again later.
MAX_SYLLABLES = {1: 2, 2: 2, 3: 3, 4: 3}

LEVELS = [
    # 1. Short vowels and consonant teams
    [
        short_vowel_unit("a", "cat and hand", "|al"),
        short_vowel_unit("e", "bed and step"),
        short_vowel_unit("i", "pin and fish"),
        short_vowel_unit("o", "dog and stop"),
        short_vowel_unit("u", "sun and jump", "|^qu"),
        U("The letters s and h together spell one sound, the sh of ship and fish.",
          [S("sh at the start of a word.", rx(r"^(?P<b>sh)"), sound="sh"),
           S("sh at the end of a word.", rx(r"(?P<b>sh)(es|ed|ing|er|y|ly)?$"), sound="sh"),
           S("sh inside a longer word.", rx(r"(?P<b>sh)"), sound="sh")]),
        U("The letters c and h together usually spell the ch sound of chin and much.",
          [S("ch at the start of a word.", rx(r"^(?P<b>ch)[aeiou]"), sound="ch"),
           S("ch at the end of a word.", rx(r"(?P<b>ch)(es|ed|ing|er)?$", exclude=r"tch|sch"), sound="ch"),
           S("ch inside a longer word.", rx(r"(?P<b>ch)", exclude=r"chr|chl|sch|tch|^ch(em|or|ao|ol)|psych|tech|mech|arch[aei]"), sound="ch")]),
        U("The letters t and h together spell two sounds: the soft th of thin and the "
          "buzzing th of this.",
          [S("th at the start of a word.", rx(r"^(?P<b>th)"), sound="th"),
           S("th at the end of a word.", rx(r"(?P<b>th)s?$"), sound="th"),
           S("th inside a longer word.", rx(r"(?P<b>th)"), sound="th")]),
        U("A few question words and some others start with wh: what, when, where, which, "
          "why, white. The h is written even where it is hardly heard.",
          [S("wh at the start of a word.", rx(r"^(?P<b>wh)"), sound="wh"),
           S("wh inside a word.", rx(r"(?P<b>wh)", exclude=r"cowh|owhide"), sound="wh")]),
        U("Straight after a short vowel, the k sound at the end of a word is spelled ck: "
          "back, neck, sick, lock, duck.",
          [S("ck at the end of a word.", rx(r"(?P<b>[aeiou]ck)(s|ed|ing|er|y|et)?$"), sound="k"),
           S("ck inside a longer word.", rx(r"(?P<b>[aeiou]ck)"), sound="k")]),
        U("The letters ng spell the sound at the end of sing, and nk the sound at the end "
          "of think.",
          [S("ng at the end of a word or before an ending.", rx(r"(?P<b>[aeiou]ng)(s|er|ly)?$", exclude=r"ing$|ng[eiy]"), sound="ng"),
           S("nk at the end of a word or before an ending.", rx(r"(?P<b>[aeiou]nk)(s|ed|ing|er|y|le)?$"), sound="nk")]),
        U("A short word with one short vowel that ends in f, l, s or z usually doubles "
          "that last letter: off, bell, miss, buzz. Exceptions: if, of, bus, gas, yes, this.",
          [S("ff, ll, ss and zz at the end of a short word.",
             rx(r"^%s*[aeiou](?P<b>ff|ll|ss|zz)(s|es|ed|ing)?$" % C)),
           S("The common exceptions keep one letter.",
             words_in("if:-ff of:-ff bus:-ss gas:-ss yes:-ss this:-ss us:-ss plus:-ss pal:-ll "
                      "until:-ll nil:-ll"))]),
        U("The letter q is always followed by u, and together they usually say kw: "
          "queen, quick, square.",
          [S("qu at the start of a word.", rx(r"^(?P<b>qu)"), sound="kw"),
           S("qu inside a word.", rx(r"(?P<b>qu)"), sound="kw")]),
        U("Two consonants at the start of a word keep both their sounds, and both letters "
          "are written: black, clap, flag, glad, plan, slip.",
          [S("bl, cl, fl, gl, pl and sl.", blend("bl|cl|fl|gl|pl|sl"), sound="blend")]),
        U("Two consonants at the start of a word keep both their sounds, and both letters "
          "are written: bring, crab, drop, frog, grin, press, trip.",
          [S("br, cr, dr, fr, gr, pr and tr.", blend("br|cr|dr|fr|gr|pr|tr"), sound="blend")]),
        U("Many words start with s and one or two more consonants, all of them heard: "
          "scan, skip, smell, snap, spin, stop, swim, scrap, spring, string, splash.",
          [S("Three letters: scr, spl, spr, squ, str.", blend("scr|spl|spr|squ|str"), sound="blend"),
           S("Two letters: sc, sk, sm, sn, sp, st, sw.", blend("sc|sk|sm|sn|sp|st|sw"), sound="blend")]),
        U("Two consonants at the end of a word are both heard and both written: hand, tent, "
          "jump, best, desk, belt, gift, help, wolf, act.",
          [S("nd, nt, mp, st, sk, lt, ft, lp, lf, ct, pt, xt.",
             final_pair, sound="final_pair")]),
    ],
    # 2. Long vowels: silent e and vowel teams
    [
        U("A silent e at the end of a word makes the vowel a before it say its name: "
          "cap becomes cape, mad becomes made.", [S("a, a consonant and e.", vce("a"), sound="long_a")]),
        U("A silent e at the end of a word makes the vowel i before it say its name: "
          "pin becomes pine, kit becomes kite.", [S("i, a consonant and e.", vce("i"), sound="long_i")]),
        U("A silent e at the end of a word makes the vowel o before it say its name: "
          "hop becomes hope, not becomes note.", [S("o, a consonant and e.", vce("o"), sound="long_o")]),
        U("A silent e at the end of a word makes u or e before it say its name: cub "
          "becomes cube, them becomes theme; u-e also says oo as in rule.",
          [S("u, a consonant and e.", vce("u"), sound="long_u"),
           S("e, a consonant and e.", rx(r"(?<![aeiouy])(?P<b>e[mnst]e)s?$", max_syl=2, exclude=r"^(were|there|where|here)$"), sound="long_e")]),
        U("The long a sound is often spelled ai in the middle of a word and ay at the end.",
          [S("ai in the middle of a word.", rx(r"(?P<b>ai)(?!r)"), sound="long_a"),
           S("ay at the end of a word or before an ending.", rx(r"(?P<b>ay)(s|ed|ing|er|ment)?$"), sound="long_a")]),
        U("The long e sound is often spelled ee or ea: see, feet, sea, meat. There is no "
          "rule for which: learn the words in families.",
          [S("ee.", rx(r"(?P<b>ee)(?!r)"), sound="long_e"), S("ea.", rx(r"(?P<b>ea)(?!r|u)"), sound="long_e")]),
        U("The long o sound is often spelled oa in the middle of a word and ow or oe at "
          "the end: boat, snow, toe.",
          [S("oa in the middle of a word.", rx(r"(?P<b>oa)(?!r)(?=[a-z])"), sound="long_o"),
           S("ow at the end of a word.", rx(r"(?<=[bglnrw])(?P<b>ow)(s|ed|ing|er|n)?$", exclude=r"^(cow|how|now|vow|bow|row|sow|brow|plow|allow)"), sound="long_o"),
           S("oe at the end of a word.", rx(r"(?P<b>oe)s?$"), sound="long_o")]),
        U("The long i sound is spelled igh before t and at the end of some words: high, "
          "night, light, sigh.",
          [S("ight.", rx(r"(?<!e)(?P<b>ight)"), sound="long_i"), S("igh at the end of a word.", rx(r"(?<!e)(?P<b>igh)(s|er|est|ly)?$"), sound="long_i")]),
        U("At the end of a short word the long i sound is spelled y or ie: my, fly, try; "
          "pie, tie, lie.",
          [S("y at the end of a one-syllable word.", rx(r"^%s+(?P<b>y)$" % C), sound="long_i"),
           # cries is cry with its y turned to i, taught with the other y words.
           S("ie at the end of a one-syllable word.", lambda w, v: None if w.endswith("ies") and w[:-3] + "y" in v
             else rx(r"^%s+(?P<b>ie)s?$" % C)(w, v), sound="long_i")]),
        U("The long u and oo sounds at the end of a word are often spelled ew or ue: new, "
          "few, blue, true.",
          [S("ew.", rx(r"(?P<b>ew)(s|er|est|ed|ing|ly)?$"), sound="long_u"), S("ue.", rx(r"(?P<b>ue)(s|d|ly|st)?$", exclude=r"[gq]ue"), sound="long_u")]),
        U("The letters oo spell the long oo of moon and the short oo of book.",
          [S("oo.", rx(r"(?P<b>oo)(?!r)"), sound="oo")]),
    ],
    # 3. R-controlled vowels and other vowel sounds
    [
        U("The letters ar spell the vowel sound of car, park and star.",
          [S("ar in short words.", rx(r"(?<![aeiou])(?P<b>ar)(?![aeiour])", max_syl=1), sound="ar"),
           S("ar in longer words.", rx(r"(?<![aeiou])(?P<b>ar)(?![aeiour])", min_syl=2), sound="ar")]),
        U("The sound of or is spelled or, ore at the end, and sometimes oar or our: "
          "fork, more, board, four.",
          [S("or.", rx(r"(?<![aeiou])(?P<b>or)(?![aeiour])"), sound="or"), S("ore at the end of a word.", rx(r"(?P<b>ore)s?$"), sound="or"),
           S("oar and our.", rx(r"(?P<b>oar|our)(?![aeiou])", exclude=r"our[a-z]"), sound="or")]),
        U("The sound of er in her is spelled er, ir or ur: her, bird, turn. Learn which "
          "word takes which.",
          [S("ir.", rx(r"(?<![aeiou])(?P<b>ir)(?![aeiour])", max_syl=2), sound="er"), S("ur.", rx(r"(?<![aeiou])(?P<b>ur)(?![aeiour])", max_syl=2, exclude=r"^bur[iy]"), sound="er"),
           S("er in the middle of a word.", first(words_in("her:er"), rx(r"(?P<b>er)[^aeiouyrs]", max_syl=2)), sound="er")]),
        U("The sound of air is spelled air, are or ear: hair, care, bear.",
          [S("air.", rx(r"(?P<b>air)"), sound="air"), S("are at the end of a word.", rx(r"(?<![aeiou])(?P<b>are)s?$", max_syl=2), sound="air"),
           S("ear that sounds like air.", words_in("bear:ear pear:ear wear:ear tear:ear swear:ear "
                                                    "bears:ear pears:ear wears:ear swears:ear"), sound="air")]),
        U("The sound of ear in near is spelled ear or eer: hear, clear, deer, cheer.",
          [S("ear.", rx(r"(?P<b>ear)(?![nlt])", exclude=r"^(bear|pear|wear|tear|swear)|ear(ch|ds?$)"), sound="ear"),
           S("eer.", rx(r"(?P<b>eer)"), sound="ear")]),
        U("The sound of ow in cow is spelled ou in the middle of a word and ow at the end "
          "or before n, l or d: out, loud; cow, town, owl, crowd.",
          [S("ou.", rx(r"(?P<b>ou)(nd|nt|t|d|se|th|ch|r)", exclude=r"ough|our(s|ed)?$|ould|ourn|ouch[^e]|rou?t$"), sound="ow"),
           S("ow.", rx(r"(?P<b>ow)(n|l|d|er|s?$)", max_syl=2), sound="ow")]),
        U("The sound of oy in boy is spelled oi in the middle of a word and oy at the "
          "end: coin, boil; boy, toy, enjoy.",
          [S("oi.", rx(r"(?P<b>oi)", exclude=r"oings?$|ooi"), sound="oy"), S("oy.", rx(r"(?P<b>oy)"), sound="oy")]),
        U("The sound of aw in saw is spelled au in the middle of a word and aw at the end "
          "or before n, k or l: cause, August; draw, lawn, hawk.",
          [S("au.", rx(r"(?P<b>au)", exclude=r"augh|aunt|laugh|gauge|beau"), sound="aw"), S("aw.", rx(r"(?P<b>aw)"), sound="aw")]),
        U("Before l the vowel a often says aw: all, ball, walk, salt. In all, call and "
          "fall the l is doubled; in talk and walk the l is silent.",
          [S("all.", rx(r"^%s*(?P<b>all)(s|ed|ing|y)?$" % C), sound="aw"), S("alk.", rx(r"(?P<b>alk)"), sound="aw"),
           S("al before t.", rx(r"(?P<b>alt)", max_syl=2, exclude=r"ealt"), sound="aw")]),
        U("At the end of a word of two or more syllables, the long e sound is usually "
          "spelled y: happy, funny, city, family.",
          [S("y after a double consonant.", rx(r"(?P<b>(%s)\2y)$" % C, min_syl=2, exclude=r"lly$"), sound="y_end_ee"),
           S("y at the end of a longer word.", first(words_in("city:y family:y"), rx(r"%s(?P<b>y)$" % C, min_syl=2,
                                                  exclude=r"(ly|ify|ary|ery|ory|ity|ogy|phy|ny)$")), sound="y_end_ee")]),
        U("Some words end in ey rather than y: key, money, monkey, valley, journey.",
          [S("ey at the end of a word.", rx(r"(?P<b>ey)s?$", exclude=r"^(they|obey|grey|prey|hey)$"), sound="y_end_ee")]),
    ],
    # 4. Consonant spellings
    [
        U("The letter c says s when e, i or y comes next: cent, city, cycle, face. "
          "Before a, o and u, and before consonants, it keeps its hard k sound.",
          [S("ce at the end of a word.", rx(r"(?<=[aeiounr])(?P<b>ce)(s|d|ly|ful|less)?$"), sound="soft_c"),
           S("ci and cy.", rx(r"(?P<b>c[iy])(?!ou|a|e|o)"), sound="soft_c"), S("ce inside a word.", rx(r"(?P<b>ce)", exclude=r"ceed|cede|ceiv|ceit"), sound="soft_c")]),
        U("The letter g usually says j when e, i or y comes next: gem, giant, gym, page. "
          "Before a, o and u it keeps its hard sound.",
          [S("ge at the end of a word.", rx(r"(?<=[aeiounrd])(?P<b>ge)(s|d|ly)?$"), sound="soft_g"),
           S("gi and gy.", rx(r"(?P<b>g[iy])(?=[aeiou]?%s)" % C, exclude=r"begi|gi(ve|v|ft|rl|ld|g|ddy|n$|ng)|ggi|ng[iy]"), sound="soft_g"),
           S("ge inside a word.", rx(r"(?<![gn])(?P<b>ge)(?!t|r|ese)", exclude=r"gge|^ge$"), sound="soft_g")]),
        U("Straight after a short vowel, the ch sound at the end of a word is spelled tch: "
          "catch, fetch, pitch, notch, hutch. Exceptions: much, such, rich, which.",
          [S("tch.", rx(r"(?P<b>tch)"), sound="ch"),
           S("The exceptions spell it ch.", words_in("much:-tch such:-tch rich:-tch which:-tch "
                                                      "attach:-tch detach:-tch sandwich:-tch"))]),
        U("Straight after a short vowel, the j sound at the end of a word is spelled dge: "
          "badge, edge, bridge, lodge, fudge.",
          [S("dge.", rx(r"(?P<b>dge)"), sound="soft_g")]),
        U("Many words end in a consonant followed by le, which is said like ul: table, "
          "apple, little, candle, bugle, ankle, puzzle.",
          [S("ble, ple, tle, dle, gle, kle, zle, cle, fle.",
             first(words_in("table:ble bugle:gle cable:ble stable:ble noble:ble title:tle"),
                   rx(r"(?P<b>[bptdgkzcf]le)(s|d|r)?$", exclude=r"[aeiou][bptdgkzcf]le$|ple$", min_syl=2)), sound="ul"),
           S("A double consonant before le after a short vowel.", rx(r"(?P<b>(bb|pp|tt|dd|gg|zz|ff)le)(s|d)?$"), sound="ul")]),
        U("No English word ends in v: an e is written after it, as in have, give, love, "
          "sleeve, twelve.",
          [S("ve at the end of a word.", first(words_in("give:ve gives:ve"), rx(r"(?P<b>ve)s?$", exclude=r"ive$|ives$")), sound="v")]),
        U("At the start of a word the k sound is spelled c before a, o, u and consonants, "
          "and k before e, i and y: cat, cot, cup, clap; kept, kit.",
          [S("c before a, o or u.", rx(r"^(?P<b>c[aou])", max_syl=2), sound="k_start"),
           S("c before a consonant.", rx(r"^(?P<b>c)[lr]", max_syl=2), sound="k_start"),
           S("k before e, i or y.", rx(r"^(?P<b>k[eiy])"), sound="k_start")]),
        U("The letter x spells two sounds, ks, so it never needs a c or k before it: "
          "box, six, next, taxi, relax.",
          [S("x.", rx(r"(?P<b>[aeiou]x)", exclude=r"^ex"), sound="ks")]),
        U("At the end of a word after a vowel team or a consonant, the k sound is spelled k: "
          "book, week, milk, park, desk.",
          [S("k after a consonant or two vowels.", rx(r"(?P<b>(ee|oo|ea|oa|ai|l|r|s)k)(s|ed|ing|er|y)?$"), sound="k")]),
    ],
    # 5. Plurals and verb endings
    [
        U("Most nouns add s to make a plural. Words ending in s, x, z, ch or sh add es, "
          "which makes an extra syllable: boxes, wishes, churches.",
          [S("es after s, x, z, ch and sh.", with_suffix(["es"], bit=lambda w, r, s: (w[-4:] if r.endswith(("ch", "sh")) else w[-3:]) if r.endswith(("s", "x", "z", "ch", "sh")) and is_noun(r) else None,
                                                        min_root=2), sound="es_syllable"),
           S("es after o in some words: heroes, potatoes, tomatoes, echoes.",
             rx(r"(?P<b>oes)$", exclude=r"^(shoes|does|goes|toes|foes|hoes)$"))]),
        U("A word ending in f or fe often makes its plural with ves: leaf, leaves; knife, "
          "knives; half, halves.",
          [S("f or fe becomes ves.", words_in(" ".join("%s:ves" % w for w in """leaves loaves thieves
          wolves calves halves elves shelves selves ourselves yourselves themselves knives lives
          wives scarves hooves wharves sheaves""".split())))]),
        U("The ending ed marks the past. It always keeps its spelling, whether it sounds "
          "like t (jumped), d (played) or id (wanted).",
          [S("ed that sounds like t, after p, k, f, s, sh, ch or x.",
             with_suffix(["ed"], bit=lambda w, r, s: "ed" if r[-1] in "pkfsx" or r.endswith(("sh", "ch")) else None), sound="ed_t"),
           S("ed that sounds like id, after t or d.", with_suffix(["ed"], bit=lambda w, r, s: "ed" if r[-1] in "td" else None), sound="ed_id"),
           S("ed that sounds like d.", with_suffix(["ed"]), sound="ed_d")]),
        U("The ending ing is added to a verb for an action still going on: jumping, "
          "reading, singing. Most verbs simply add it.",
          [S("ing added to the whole word.", with_suffix(["ing"]))]),
        U("Add er to compare two things and est to compare more: faster, fastest; smaller, smallest.",
          [S("er.", lambda w, v: "er" if w.endswith("er") and w[:-2] + "est" in v and w[:-2] in v else None, max_tier=20),
           S("est.", lambda w, v: "est" if w.endswith("est") and w[:-3] + "er" in v and w[:-3] in v else None, max_tier=20)]),
    ],
    # 6. Adding suffixes
    [
        U("double",
          [S("Before ing.", doubled(["ing"])), S("Before ed.", doubled(["ed"])),
           S("Before er, est and en.", first(
               lambda w, v: doubled(["er"])(w, v) if w[:-2] + "est" in v else None,
               lambda w, v: doubled(["est"])(w, v) if w[:-3] + "er" in v else None,
               doubled(["en"])))]),
        U("double",
          [S("After two vowels the last consonant stays single.", after_vowel_team(["ing", "ed", "er"])),
           S("When the stress is not on the last part, the consonant stays single.",
             not_doubled(["ing", "ed", "er"]))]),
        U("Drop the silent e at the end of a word before an ending that starts with a "
          "vowel: make, making; value, valuable; adventure, adventurous.",
          [S("Before ing.", drop_e(["ing"])),
           S("Before able, ous, ive, ion, ity, al and ure.", lambda w, v: None if len(w) < 8 else drop_e(["able", "ous", "ive", "ion", "ity", "al", "ure", "ation", "ism", "ist", "ence", "ance"])(w, v)),
           S("Before est.", lambda w, v: None if w in ("honest", "modest", "manifest") else drop_e(["est"])(w, v))]),
        U("Keep the silent e before an ending that starts with a consonant: hope, hopeful; "
          "late, lately; move, movement. Exceptions: truly, argument, ninth, wholly.",
          [S("Before ful, less, ness and ment.", keep_e(["ful", "less", "ness", "ment"])),
           S("Before ly.", keep_e(["ly"])),
           S("The exceptions lose the e.", words_in("truly:-uely argument:-uement ninth:-neth "
                                                     "wholly:-lely duly:-uely awfully:-wef judgment:-gem"))]),
        U("After a soft c or g, keep the e before able and ous so that the letter stays "
          "soft: noticeable, changeable, courageous, outrageous.",
          [S("cea and gea.", rx(r"(?P<b>[cg]ea)ble")), S("geous.", rx(r"(?P<b>geo)us"))]),
        U("When a word ends in a consonant and then y, change the y to i before an ending, "
          "unless the ending starts with i: carry, carried; but carrying.",
          [S("ies and ied.", y_to_i(["es", "ed"])), S("ier and iest.", y_to_i(["er", "est"])),
           S("ily, iness, iful and iment.", y_to_i(["ly", "ness", "ful", "ment", "less", "able", "ance"]))]),
        U("Keep the y before ing, and after a vowel: cry, crying; play, played; enjoy, "
          "enjoyment. Exceptions: said, paid, laid, daily.",
          [S("ying.", keep_y(["ing"])), S("y after a vowel.", keep_y(["ed", "er", "ment", "s", "able", "al"])),
           S("The exceptions.", words_in("said:-ayed paid:-ayed laid:-ayed daily:-ayly"))]),
        U("Add ly to the whole word: quick, quickly; real, really; final, finally. Words "
          "ending in le drop the e to make ly: gentle, gently. Words ending in ic add ally: "
          "basic, basically.",
          [S("A word ending in l keeps it and adds ly.", with_suffix(["ly"], bit=lambda w, r, s: "lly" if r.endswith("l") else None)),
           S("ic adds ally.", rx(r"(?P<b>ically)$")),
           S("le becomes ly.", lambda w, v: "-lely" if w.endswith(("bly", "tly", "gly", "kly", "zly", "ply")) and not w.endswith("pply") and len(w) > 5 and w != "assembly" and w[:-1] + "e" in v else None),
           S("ly added to the whole word.", with_suffix(["ly"], bit=lambda w, r, s: r[-1] + "ly"))]),
        U("The ending ful has only one l: hopeful, careful, beautiful, grateful. It adds "
          "ly to make fully.",
          [S("ful.", lambda w, v: "-full" if w.endswith(("ful", "fulness")) and "full" not in w and len(w) > 5 else None),
           S("fully.", rx(r"(?P<b>fully)$"))]),
        U("Add ness and ment to the whole word. A word ending in n keeps it: open, "
          "openness; govern, government.",
          [S("n and ness.", with_suffix(["ness"], bit=lambda w, r, s: "nness" if r.endswith("n") else None)),
           S("n and ment.", first(words_in("government:nment governments:nment"),
                                  with_suffix(["ment"], bit=lambda w, r, s: "nment" if r.endswith("n") else None))),
           S("ness.", with_suffix(["ness"])), S("ment.", with_suffix(["ment"])), S("less.", with_suffix(["less"]))]),
    ],
]


def prefix_unit(prefix, meaning, example, joins=None):
    sections = [S("%s added to a whole word." % prefix, prefixed(prefix))]
    if joins:
        sections = [S("The root starts with %s: both letters stay, as in %s." % (prefix[-1], joins),
                      prefixed(prefix, same_letter=True)),
                    S("Otherwise only one %s: %s never adds a letter." % (prefix[-1], prefix),
                      prefixed(prefix, same_letter=False))]
    return U("The prefix %s means %s. Add it to the front of the whole word without changing "
             "the word: %s." % (prefix, meaning, example), sections)


LEVELS.append([  # 7. Prefixes
    prefix_unit("un", "not, or the reverse of", "un + happy = unhappy, un + do = undo", "unnatural"),
    prefix_unit("dis", "not, or the reverse of", "dis + agree = disagree, dis + appear = disappear", "dissatisfied"),
    prefix_unit("mis", "wrongly or badly", "mis + take = mistake, mis + spell = misspell", "misspell"),
    prefix_unit("re", "again or back", "re + turn = return, re + build = rebuild"),
    prefix_unit("pre", "before", "pre + view = preview, pre + pay = prepay"),
    prefix_unit("in", "not, or in", "in + correct = incorrect, in + active = inactive", "innumerable"),
    U("assimilate",
      [S("in becomes im before b, m and p.", prefixed("im")),
       S("il and ir double the letter of the root.", first(prefixed("il", same_letter=True), prefixed("ir", same_letter=True)))]),
    prefix_unit("non", "not", "non + stop = nonstop, non + sense = nonsense"),
    prefix_unit("de", "down, away or the reverse of", "de + frost = defrost, de + value = devalue"),
    prefix_unit("sub", "under", "sub + way = subway, sub + marine = submarine"),
    prefix_unit("inter", "between", "inter + national = international, inter + rupt = interrupt", "interrelated"),
    prefix_unit("trans", "across", "trans + port = transport, trans + plant = transplant"),
    prefix_unit("super", "above or beyond", "super + market = supermarket, super + star = superstar"),
    prefix_unit("over", "too much or above", "over + look = overlook, over + run = overrun", "overrule"),
    prefix_unit("under", "below or too little", "under + line = underline, under + rate = underrate"),
    prefix_unit("anti", "against", "anti + freeze = antifreeze, anti + social = antisocial"),
    U("The prefix en means to put into or to make, and becomes em before b and p: "
      "enjoy, enlarge, embody, empower.",
      [S("en.", prefixed("en")), S("em before b and p.", prefixed("em"))]),
    prefix_unit("out", "beyond or more than", "out + run = outrun, out + side = outside"),
    prefix_unit("fore", "before or in front", "fore + cast = forecast, fore + head = forehead"),
    U("Some words add a to the front of a whole word, and the letter after the a stays "
      "single, though the ad of accept and attract doubles it: across, along, apart, amount, "
      "awake, asleep.",
      [S("a plus a whole word.", words_in(" ".join("%s:-a%s" % (w, w[1] * 2) for w in """across along
          alone apart amount asleep awake aside ahead around arise ashore abroad aboard aloud
          alike alive aground afloat adrift akin amid abide afire amass amend among anew
          apiece arouse aground ablaze""".split())))]),
    U("When all is joined to the front of another word it keeps only one l: already, "
      "almost, also, always, although, altogether. So do till in until and well in welcome "
      "and welfare.",
      [S("al at the front.", words_in("already:-all almost:-all also:-all always:-all although:-all "
                                        "altogether:-all almighty:-all alright:-all")),
       S("One l in a joined word.", words_in("until:-ll welcome:-ll welfare:-ll"))]),
])


AMERICAN_OR = """color honor favor flavor labor neighbor behavior humor rumor harbor vapor odor
    armor parlor savor vigor valor candor clamor endeavor fervor rancor rigor splendor tumor
    ardor arbor""".split()


def american_or(word, vocab):
    for base in AMERICAN_OR:
        if word.startswith(base) and word[len(base):] in ("", "s", "ed", "ing", "ful", "able", "ably",
                                                          "ite", "ites", "less", "ly", "er", "ers"):
            return "or"
    return None


def people(names, bit):
    """A hand list of words naming people, with their plurals."""
    return words_in(" ".join("%s:%s %ss:%s" % (w, bit, w, bit) for w in names.split()))


def ending_unit(rule, *sections):
    """Sections as (rule, finder) or (rule, finder, sound)."""
    return U(rule, [S(*section[:2], sound=section[2] if len(section) > 2 else None)
                    for section in sections])


LEVELS.append([  # 8. Endings of longer words
    ending_unit("The shun sound at the end of a word is usually spelled tion: nation, action, "
                "position. Find the word it comes from: act, action; educate, education.",
                ("ation.", ending("ation"), "shun"), ("ition and ution.", ending("[iu]tion", before="[^aeiou]"), "shun"),
                ("ction.", ending("ction"), "shun"), ("Other tion.", ending("tion"), "shun")),
    ending_unit("The shun sound is spelled sion after l, n and r and where the root ends in "
                "d, de or se: tension, version, extension, decision. It is spelled ssion where "
                "the root ends in ss or mit: discussion, permission.",
                ("ssion.", ending("ssion"), "shun"), ("sion that sounds like zhun.", ending("sion", before="[aeiou]"), "zh"),
                ("sion after l, n and r.", ending("sion", before="[lnr]"), "shun")),
    ending_unit("The shun sound is spelled cian when it names a person with a skill, from a "
                "word ending in c: music, musician; magic, magician.",
                ("cian.", ending("cian"), "shun")),
    ending_unit("The ending ous means full of: famous, dangerous, nervous. It is ious after "
                "a soft sh sound or an ee sound (precious, various) and eous or uous in some "
                "words (gorgeous, continuous).",
                ("ious.", ending("ious", before="[^c]")), ("cious and tious.", ending("[ct]ious")),
                ("eous and uous.", ending("[eu]ous")), ("ous.", ending("ous"))),
    ending_unit("The ending ture is said like cher: picture, nature, future. The ending sure is "
                "said like zher after a vowel (measure, treasure) and like sher after a "
                "consonant (pressure, ensure).",
                ("ture.", ending("ture"), "cher"), ("sure.", ending("sure"), "zh_or_sh")),
    ending_unit("The ending al makes a describing word: natural, personal, final. It is ial "
                "after c and t when they sound like sh: special, partial.",
                ("cial and tial.", ending("[ct]ial"), "sh"), ("ical.", ending("ical")), ("ial.", ending("ial")),
                ("al.", ending("al", before="[^aeiouc]"))),
    ending_unit("The ending ic makes a describing word: magic, basic, public. It adds al or ally "
                "to make more words. Words ending in ic add k before e, i and y: picnic, "
                "picnicking.",
                ("ic.", ending("ic", before="[^aeiou]")), ("ick before e, i and y.", rx(r"(?P<b>ick)(ing|ed|er|y)$", min_syl=2))),
    ending_unit("The ending ive makes a describing word and always ends in e: active, "
                "creative, expensive.",
                ("ative and itive.", ending("[ai]tive")), ("sive.", ending("sive")), ("ive.", ending("ive", before="[ts]", exclude=r"^(st|th)?rive"))),
    ending_unit("The endings ary, ery and ory sound alike. ary is most common (library, "
                "ordinary), ery often names a place or a trade (bakery), and ory follows t or s "
                "in many words from Latin (history, factory).",
                ("ary.", ending("ary", 3)), ("ery.", ending("ery", 3)), ("ory.", ending("ory", 3))),
    ending_unit("The endings ist and ism name a person and a belief or practice: tourist, "
                "tourism. The ending ity names a quality: ability, electricity.",
                ("ist.", lambda w, v: "ist" if w.endswith(("ist", "ists")) and any(
                    is_root(w[: w.rindex("ist")] + e, w, v) and len(w[: w.rindex("ist")]) > 3
                    for e in ("", "e", "y", "ism")) else None),
                ("ism.", ending("ism")), ("ity.", ending("ity", 3))),
    ending_unit("American spelling uses ize for most verbs (organize, recognize), but ise in "
                "advertise, exercise, surprise, compromise, and yze in analyze.",
                ("ize.", ending("ize", 3)), ("ise.", words_in("advertise:ise exercise:ise surprise:ise compromise:ise "
                                                              "supervise:ise revise:ise televise:ise devise:ise "
                                                              "improvise:ise disguise:ise franchise:ise merchandise:ise "
                                                              "enterprise:ise despise:ise")),
                ("yze.", ending("yze"))),
    ending_unit("The ending ate makes verbs and describing words: celebrate, separate, "
                "fortunate. The ending age names a thing or an amount: package, percentage.",
                ("ate.", ending("ate", 3)), ("age.", ending("age", exclude=r"^.{0,2}age"))),
    ending_unit("After most letters the ending ure is said like er or yer, and it always ends in "
                "e: failure, figure, procedure. In some words it says yoor: secure, endure, obscure.",
                ("ure.", ending("ure", before="[^ts]"), "er_end")),
])

LEVELS.append([  # 9. Endings that sound alike
    ending_unit("If the root is a whole word, the ending is usually able: accept, acceptable; "
                "depend, dependable. If it is not, the ending is usually ible: possible, terrible.",
                ("able after a whole word.", with_suffix(["able"], how=("plain", "drop_e", "double"), bit=lambda w, r, s: "able")),
                ("ible.", ending("ible")), ("able.", ending("able"))),
    ending_unit("The endings ance, ancy and ant go together in one family: important, importance; "
                "distant, distance. The endings ence, ency and ent make another. A related word "
                "with the vowel said clearly can help: substantial, substance.",
                ("ance.", ending("ance")), ("ancy.", ending("ancy")), ("ant.", ending("ant", exclude=r"(plant|pant|chant|recant|gallivant)s?$"))),
    ending_unit("Words ending in ence, ency and ent keep the e in all their forms: "
                "confident, confidence; emergency, emergent. After a soft c or g the ending is "
                "usually ent: innocent, urgent.",
                ("ence.", ending("ence")), ("ency.", ending("ency")), ("ent.", ending("ent", before="[^m]", exclude=r"(vent|tent)s?$")),
                ("ment.", ending("ment"))),
    ending_unit("Only one word ends in sede (supersede), three end in ceed (exceed, proceed, "
                "succeed) and the rest end in cede: precede, concede, recede.",
                ("cede.", rx(r"(?P<b>cede)")), ("ceed.", rx(r"(?P<b>ceed)")), ("sede.", rx(r"(?P<b>sede)(s|d)?$"))),
    ending_unit("A person who does something is often named with er (teacher, player); words "
                "from Latin often use or (actor, doctor, visitor), and a few use ar (beggar, "
                "liar).",
                ("er.", people("""teacher player farmer baker writer reader singer dancer driver
                    worker builder painter runner swimmer winner speaker leader owner manager
                    helper teenager stranger banker lawyer designer photographer reporter officer
                    soldier passenger prisoner customer employer shopper traveler voter viewer
                    listener learner jumper climber hunter fighter robber""", "er")),
                ("or.", people("""actor doctor visitor author editor inventor sailor tailor
                    governor director instructor investor operator creator conductor competitor
                    spectator survivor supervisor translator counselor professor ancestor
                    successor predecessor senator janitor donor tutor narrator collector protector
                    inspector investigator navigator negotiator administrator legislator
                    contributor proprietor debtor creditor vendor sponsor chancellor sculptor
                    dictator prosecutor surveyor conqueror oppressor aggressor mentor advisor
                    juror""", "or")),
                ("ar.", people("beggar liar burglar scholar", "ar"))),
    U("Write i before e when the sound is ee: believe, field, piece. After c, write ei: "
      "receive, ceiling.",
      [S("ie that says ee.", rx(r"(?P<b>ie)(f|v|l|c|g|ld|nd|ce|ge)", exclude=r"cie|ien|ie[ds]$"), sound="long_e"), S("ei after c.", rx(r"(?P<b>cei)"), sound="long_e"),
       S("ie in other words.", rx(r"(?P<b>ie)", exclude=r"ies$|ied$|ier$|iest$|cie"))]),
    U("Write ei when the sound is ay, as in eight, weigh and neighbor. Some common words "
      "break the rule and must be learned: either, neither, weird, seize, height, foreign, "
      "their, leisure, protein.",
      [S("ei that says ay, mostly before gh or gn.", rx(r"(?P<b>eig)|(?P<c>ei)[lnr]", exclude=r"cei|eing|^rei"), sound="long_a"),
       # e and i in two syllables or two parts (deity, atheist, therein) spell no ei.
       S("Other ei.", rx(r"(?P<b>ei)", exclude=r"cei|^rei|^dei[^t]|eing|eign|eigh|ei(st|ty|ties)|beit|erein"))]),
    ending_unit("The endings cious, tious, cial and tial all carry a sh sound: it is c when "
                "the root has a c (space, spacious; face, facial) and t when it has a t "
                "(infect, infectious; part, partial).",
                ("cious and cial.", ending("ci(ous|al)"), "sh"), ("tious and tial.", ending("ti(ous|al)"), "sh")),
    ending_unit("The ending ify makes a verb and ification its noun: simplify, simplification. "
                "A few verbs end in efy: liquefy, stupefy.",
                ("ify.", ending("ify")), ("ification.", ending("ification")),
                ("efy.", words_in("liquefy:efy stupefy:efy putrefy:efy rarefy:efy"))),
    ending_unit("Words ending in our in British spelling end in or in American spelling: "
                "color, honor, favorite. Before ous the u is dropped in every spelling: humorous, "
                "glamorous.",
                ("or for our.", american_or), ("orous.", lambda w, v: "orous" if re.sub("ous(ly|ness)?$", "", w) in AMERICAN_OR + ["glamor"]
                           else None))
])


def double_unit(pair, words):
    """words: the examples the rule gives, taught whatever their shape."""
    examples = words_in(" ".join("%s:%s" % (w, pair) for w in words.split(", ")))
    return U("A double %s is said as one sound, so it must be remembered: %s. A short vowel "
             "before it in a stressed syllable is the usual clue." % (pair[0], words),
             [S("%s after a short vowel in a two-syllable word." % pair,
                # The a of small and fallen is no short vowel before a double l.
                first(examples, rx(r"^[^aeiouy]*[aeiou](?P<b>%s)[aeiouy]" % pair, max_syl=2,
                                   exclude=r"^(b|c|f|h|sm|st|t|w)all" if pair == "ll" else None)),
                sound="short_first"),
              # The ss of ness and less belongs to the ending, not to the word.
              S("%s in longer words." % pair, rx(r"(?P<b>%s)" % pair, min_syl=3,
                                                 exclude=r"(ness|less)(es|ly)?$" if pair == "ss" else None))])


LEVELS.append([  # 10. Double consonants in longer words
    U("assimilate",
      [S("ad becomes ac, af, ag, al, an, ap, ar, as or at.", rx(r"^a(?P<b>cc|ff|gg|ll|nn|pp|rr|ss|tt)", exclude=r"^(all|add|apple|arr?$|attic|arrow|annal|allerg|alli?ga|abb|ass$|asses|assets?$|attitud)"))]),
    U("assimilate",
      [S("con becomes col, com or cor.", rx(r"^co(?P<b>ll|mm|rr)")),
       S("in becomes il, im or ir.", rx(r"^i(?P<b>ll|mm|rr)", exclude=r"^ill(s|ness|nesses)?$")),
       S("ob becomes oc, of or op.", rx(r"^o(?P<b>cc|ff|pp)", exclude=r"^off(s|ed|ing|beat|hand|shoot|shore|side|spring|stage)?s?$")),
       S("sub becomes suc, suf, sug, sup or sur.", rx(r"^su(?P<b>cc|ff|gg|pp|rr)")),
       S("ex becomes ef.", rx(r"^e(?P<b>ff)"))]),
    double_unit("ll", "follow, collect, intelligent, parallel"), double_unit("ss", "necessary, possess, embarrass, assist"), double_unit("tt", "attention, bottom, committee, letter"), double_unit("rr", "arrange, carry, horrible, embarrass"),
    double_unit("nn", "annual, connect, dinner, tunnel"), double_unit("mm", "accommodate, comment, summer, immediate"), double_unit("pp", "appear, happen, opportunity, supply"), double_unit("cc", "accept, occasion, success, tobacco"),
    double_unit("ff", "affect, effort, offer, sufficient"), double_unit("dd", "address, middle, sudden, ladder"), double_unit("bb", "rabbit, rubber, hobby, stubborn"), double_unit("gg", "exaggerate, suggest, luggage, trigger"),
    U("Some long words have one double consonant and one single one, and each must be "
      "remembered in its place: necessary has one c and two s; occasion has two c and one s; "
      "recommend has one c and two m.",
      [S("One letter single where another is double.", words_in(
          "necessary:-cc necessarily:-cc unnecessary:-cc occasion:-ss occasional:-ss "
          "occasionally:-ss recommend:-cc recommended:-cc recommendation:-cc harass:-rr "
          "harassment:-rr tomorrow:-mm professional:-ff profession:-ff professor:-ff "
          "disappoint:-ss disappointed:-ss disappointment:-ss disappear:-ss disappeared:-ss "
          "omission:-mm omit:-mm parallel:-rr paralleled:-rr apartment:-pp across:-cc "
          "accumulate:-mm commit:-tt "
          "beginning:-gg fulfill:-ff misspell:-pp satellite:-tt "
          "embarrass:-mm vacuum:-cc dilemma:-ll"))]),
    U("double",
      [S("After a long vowel the consonant stays single: staring, scraping, writing; after a short "
         "vowel it is doubled: starring, scrapping, hopping.", lambda w, v: ("-" + w[-4] * 2) if (w.endswith("ing") and w[:-3] + "e" in v and len(w) > 6 and w[-4] in "bdglmnprt" and w[-5] in "aeiou" and w[-6] not in "aeiou" and w[-4] * 2 not in w) else None)]),
])

LEVELS.append([  # 11. Unstressed vowels and words to learn by sight
    U("In a long word the vowel of an unstressed syllable is said as a short uh, so the ear "
      "cannot tell which letter to write. Think of a related word where that vowel is "
      "stressed: definite, finite; separate, apart; grammar, grammatical; comparison, compare.",
      [S("A longer word of the same family stresses the vowel: legal, legality; similar, "
         "similarity; major, majority; metal, metallic; atom, atomic.", stressed_in_relative),
       S("a in the unstressed syllable.", words_in(
          "separate:par separately:par separation:par grammar:mar comparison:par comparative:par "
          "compatible:pat preparation:par temperature:pera desperate:pera category:ego "
          "calendar:dar particular:lar similar:lar familiar:liar peculiar:liar regular:lar "
          "popular:lar circular:lar vulgar:gar dollar:lar cellar:lar collar:lar pillar:lar "
          "sugar:gar burglar:lar beggar:gar liar:ar altar:tar nectar:tar cigar:gar "
          "boundary:dary dictionary:nary library:rary primary:mary secondary:dary summary:mary "
          "grammatical:mat eventually:ual actually:ual usually:ual especially:ial")),
       S("e in the unstressed syllable.", words_in(
          "cemetery:tery benefit:nefit celebrate:lebr describe:des despair:des design:des "
          "develop:velop development:velop elegant:lega dependent:pend privilege:vilege "
          "independent:pend existence:ence excellent:ellent experience:ience category:tegor "
          "mathematics:them relevant:levant skeleton:leton cafeteria:feter medicine:dicine "
          "interest:ter different:fer difference:fer deliberate:liber general:ner "
          "several:ver generous:ner venomous:nom tragedy:gedy")),
       S("i and o in the unstressed syllable.", words_in(
          "definite:nite definitely:nite infinite:nite opposite:site positive:sitive "
          "possible:sible terrible:rible horrible:rible sensible:sible visible:sible "
          "origin:igin original:igin imitate:itate hesitate:itate competition:petit "
          "repetition:petit composition:posit position:sit memory:mory history:tory "
          "factory:tory victory:tory conquer:quer purpose:pose chocolate:colate "
          "apology:pology atom:tom freedom:dom random:dom kingdom:dom wisdom:dom "
          "seldom:dom bottom:tom custom:tom symptom:tom phantom:tom"))]),
    U("Some syllables are often swallowed in speech but must be written. Say the word "
      "slowly, syllable by syllable, as it is spelled: lib-rar-y, gov-ern-ment, "
      "diff-er-ent, choc-o-late.",
      [S("Letters that are not heard in quick speech.", words_in(
          "library:brar government:ernm different:fere difference:fere "
          "interesting:eres vegetable:get temperature:ature environment:ronm "
          "probably:bab especially:ecia chocolate:cola camera:mer average:vera "
          "business:sin restaurant:aur miniature:iat literature:era comfortable:fort "
          "separate:para favorite:vori family:mil every:ver evening:ven general:ene "
          "natural:tur secretary:ret laboratory:bora ordinary:din"))]),
    U("The spelling ough has several sounds: though, through, tough, cough, bought, "
      "bough. The spelling augh usually says aw: caught, daughter.",
      [S("ough.", rx(r"(?P<b>ough)")), S("augh.", rx(r"(?P<b>augh)"), sound="aw")]),
    U("The letters ui and gu can hide in the middle of a word: the ui of fruit and build, "
      "the gu of guess and guide.",
      [S("ui.", rx(r"(?P<b>ui)", exclude=r"qui|gui|[^g]ui[aeou]")), S("gu before e or i.", rx(r"(?P<b>gu)[ei]", exclude=r"gui[st]h|argu|ngu"))]),
])

LEVELS.append([  # 12. Silent letters and Greek spellings
    U("A k or a g written before n is not heard: the k of knee, know and knife, the g of "
      "gnaw, sign and design. Say the word in your head with the silent letter to remember it.",
      [S("kn: the k is silent before n at the start of a word, as in knee and know.", rx(r"(?P<b>kn)"), sound="silent_k"),
       S("gn: the g is silent before n, as in gnaw, sign and design.", rx(r"(?P<b>gn)(?![aeiou])|^(?P<c>gn)", exclude=r"gn[aeiou]"), sound="silent_g")]),
    U("A w is not heard before r, as in write, wrong and wrap, nor in who, whole, two, "
      "answer and sword.",
      [S("wr: the w is silent before r, as in write and wrong.", rx(r"(?P<b>wr)"), sound="silent_w"),
       S("wh and w before h or o: who, whole, two, answer, sword.", first(words_in("two:w"), rx(r"(?P<b>swer|sword|^who)")), sound="silent_w_who")]),
    U("A b is not heard after m at the end of a word (lamb, climb, thumb) or before t "
      "(doubt, debt), and an n is not heard after m at the end (autumn, column).",
      [S("mb: the b is silent after m, as in lamb, climb and thumb.", rx(r"(?P<b>mb)(s|ed|ing|er)?$"), sound="silent_b"),
       S("bt: the b is silent before t, as in doubt and debt.", rx(r"(?P<b>bt)"), sound="silent_b"),
       S("mn: the n is silent after m, as in autumn and column.", rx(r"(?P<b>mn)(s|ed|ing)?$"), sound="silent_n")]),
    U("An h is not heard at the start of hour, honest, honor and heir, nor after g, r and "
      "ex: ghost, rhyme, exhaust.",
      [S("A silent h at the start: hour, honest, honor, heir.", rx(r"^(?P<b>h)(our|onest|onor|eir)"), sound="silent_h"),
       S("A silent h after g, r or ex: ghost, rhyme, exhaust.", rx(r"^(?P<b>gh)[aeiou]|^(?P<c>rh)|^(?P<d>exh)"), sound="silent_h")]),
    U("Some letters in the middle of a word are not heard: the l of walk, calm, half and "
      "could, the t of listen, castle and often, the s of island and aisle.",
      [S("A silent l before k, m, f or d: walk, calm, half, could.", rx(r"(?P<b>(al|ol)(k|m|f)|ould)"), sound="silent_l"),
       S("A silent t after s or f: listen, castle, often.", rx(r"(?P<b>stle|sten|ften)(s|d|ing|ed|er|ers)?$"), sound="silent_t"),
       S("A silent s: island, aisle, isle.", rx(r"^(?P<b>isl)|(?P<c>aisl)"), sound="silent_s")]),
    U("The letters gh are not heard after ei (eight, weigh, neighbor), and at the end of "
      "laugh, rough, tough, cough and enough they say f.",
      [S("eigh: the gh is silent, as in eight, weigh and neighbor.", rx(r"(?P<b>eigh)"), sound="silent_gh"),
       S("gh can also say f: laugh, rough, tough, cough, enough.", words_in(
                     "laugh:gh laughter:gh laughed:gh laughing:gh rough:gh tough:gh cough:gh enough:gh trough:gh"), sound="f")]),
    U("Words from Greek spell the f sound ph: phone, photo, graph, alphabet.",
      [S("ph for the f sound at the start of a word.", rx(r"^(?P<b>ph)"), sound="f"),
       S("ph inside a word.", rx(r"(?P<b>ph)"), sound="f")]),
    U("Words from Greek spell the k sound ch: chorus, school, character, technical.",
      [S("ch for the k sound: chorus, school, character, technical.",
         rx(r"(?P<b>chr|chl|sch|chem|chor|chol|chao|chara|psych|tech|mech|^arch(i|a|eo|et)|^ache|headache|toothache|stomachache|backache|echo)"), sound="k")]),
    U("Words from Greek spell the short i sound y (gym, myth, system, typical) and the long "
      "i sound y too (style, analyze).",
      [S("y for the short i sound between consonants: gym, myth, system, typical.",
         rx(r"(s|h|t|r|m|c|g|d|l|n|x|p)(?P<b>y)[mnlstpdgcx]", exclude=r"any|ody|ly[^st]|^(sky|cry|fly|dry|shy|spy|try|by|my|pry)$|typ(e|ing|ed|ist)|"
                          r"byte|hyper|hybr|cycl|dyna|gyro|xylo|tyrant|hydra"), sound="short_i_any"),
       S("y as the long i of style and analyze.", rx(r"(?<=[^aeiou])(?P<b>y)[^aeiouy]e", exclude=r"^.y..$|maybe|yness|ymen|ywe|ybe|yes"), sound="long_i")]),
    U("Some words from Greek start with a letter that is not heard: the p of psychology and "
      "pneumonia, the h of rhyme and rhythm.",
      [S("ps and pn at the start of a word: psychology, pneumonia, pseudonym.", rx(r"^(?P<b>p[sn])"), sound="silent_p"),
       S("rh at the start or doubled inside a word: rhyme, rhythm, diarrhea.", rx(r"^(?P<b>rh)|(?P<c>rrh)"), sound="silent_h")]),
])


def root_unit(rule, *groups, parts=roots):
    return U(rule, [S("%s." % ", ".join(n.lstrip("^~") for n in g), first(*parts(*g))) for g in groups])


LEVELS.append([  # 13. Roots from Latin and Greek
    root_unit("root", ("port",), ("spect", "spec"), ("struct",), ("dict",)),
    root_unit("root", ("duct", "~duce"), ("ject",), ("~miss", "~mit"), ("scrib", "script")),
    root_unit("root", ("tract",), ("vis", "~vid"), ("cred",), ("~fer",)),
    root_unit("root", ("press",), ("rupt",), ("vers", "vert"), ("ceive", "cept")),
    root_unit("root", ("~mot", "~mov", "~mob"), ("~pend", "~pens"), ("~pos", "~pon"), ("sens", "~sent")),
    root_unit("root", ("~vent",), ("voc", "vok"), ("~cede", "~cess"), ("~fect", "~fic")),
    root_unit("greekroot", ("graph", "gram"), ("^phon", "ophon", "ephon"), ("photo",), ("^tele",), parts=greek),
    root_unit("greekroot", ("logy", "logi", "logue"), ("meter", "metr"), ("^bio",), ("^geo",), parts=greek),
    root_unit("greekroot", ("auto",), ("micro",), ("chron",), ("^therm", "otherm"), ("hydr",), parts=greek),
    root_unit("greekroot", ("scop",), ("symph", "symb", "synth", "synd"), ("path",), ("psych",), ("techn",), parts=greek),
    root_unit("root", ("manuf", "manus", "manual"), ("aud",), ("benef", "benev"), ("equ",)),
    root_unit("root", ("grad", "gress"), ("jud",), ("liter",)),
])


for level, rule, sections in strands.STRANDS:
    LEVELS[level - 1].append(U(rule, [S(text, words_in(words), sound=sound)
                                      for text, sound, words in sections]))
