"""Writes the curriculum seed files in the exact form the app's writers produce.

A curriculum is a dict level -> list of units; a unit is (rule code, [sections]);
a section is (section rule, [rows]); a row is a list of (word, bit).
"""

import os


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


def lessons_lines(levels, rules):
    lines = ['<?xml version="1.0" encoding="utf-8"?>', "<lessonsData>"]
    for level in sorted(levels):
        lines += ["<level>", "<levelNumber>%d</levelNumber>" % level]
        for unit_no, (code, sections) in enumerate(levels[level], start=1):
            lines += ["<unit>", "<unitNumber>%d</unitNumber>" % unit_no,
                      "<generalRule>", "<code>%d</code>" % code,
                      "<rule>%s</rule>" % rules[code], "</generalRule>"]
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


def rules_lines(levels, rules):
    refs = references(levels)
    lines = ['<?xml version="1.0" encoding="utf-8"?>', "<rulesData>"]
    # Readers expect the codes in string order: 1, 10, 11, ..., 2.
    for code in sorted(rules, key=str):
        lines += ["<ruleObject>", "<ruleCode>%d</ruleCode>" % code,
                  "<rule>%s</rule>" % rules[code],
                  "<reference>%s</reference>" % refs.get(code, ""),
                  "</ruleObject>"]
    lines.append("</rulesData>")
    return lines


def write_utf16(path, text):
    with open(path, "wb") as f:
        f.write(b"\xff\xfe" + text.encode("utf-16-le"))


def write_seed_files(out_dir, levels, rules):
    # The lessons file has no line feed after its last line; the rules file does.
    write_utf16(os.path.join(out_dir, "Lessons_Initiation_Data.xml"),
                "\n".join(lessons_lines(levels, rules)))
    write_utf16(os.path.join(out_dir, "Rules_Initiation_Data.xml"),
                "\n".join(rules_lines(levels, rules)) + "\n")
