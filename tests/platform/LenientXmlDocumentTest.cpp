#include "platform/xml/LenientXmlDocument.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>

#include <algorithm>
#include <random>

using platform::LenientXmlDocument;
using platform::XmlNode;
using Kind = XmlNode::Kind;

namespace
{

const QString kLessons = QStringLiteral(R"(<?xml version="1.0" encoding="utf-8"?>
<lessonsData>
<level>
<levelNumber>1</levelNumber>
<unit>
<unitNumber>1</unitNumber>
<generalRule>
<code>3</code>
<rule>Use ck after a short vowel & never < 2 "k"s > ok</rule>
</generalRule>
<section>
<sectionNumber>0</sectionNumber>
<rule>a &amp; b</rule>
<relatedWords>
<word>back</word>
<bit>ck</bit>
</relatedWords>
</section>
</unit>
</level>
</lessonsData>
)");

QByteArray utf16(const QString& text, bool bigEndian)
{
    QByteArray out = bigEndian ? QByteArray("\xFE\xFF") : QByteArray("\xFF\xFE");
    for (QChar c : text) {
        const char high = char(c.unicode() >> 8);
        const char low = char(c.unicode() & 0xFF);
        out.append(bigEndian ? high : low).append(bigEndian ? low : high);
    }
    return out;
}

// The parsed `<v>` element holding `raw` verbatim, as the writer would produce it.
XmlNode valueNode(const QString& raw)
{
    const auto doc = LenientXmlDocument::parse(QStringLiteral("<r><v>%1</v></r>").arg(raw));
    return doc ? doc->root().firstChild() : XmlNode();
}

bool isXmlBlank(const QString& text)
{
    return std::all_of(text.begin(), text.end(),
                       [](QChar c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r'; });
}

// Promises that hold for whatever input parses.
::testing::AssertionResult isConsistentTree(const XmlNode& root)
{
    std::vector<XmlNode> pending{root};
    while (!pending.empty()) {
        const XmlNode node = pending.back();
        pending.pop_back();
        const std::vector<XmlNode> children = node.children();
        const bool hasElementChild = !node.childElements().empty();
        for (size_t i = 0; i < children.size(); ++i) {
            const XmlNode& child = children[i];
            if (child.parent() != node)
                return ::testing::AssertionFailure()
                       << "wrong parent under " << node.markup().toStdString();
            if (child.kind() == Kind::Text) {
                const QString text = child.stringValue();
                if (text.isEmpty() || (i > 0 && children[i - 1].kind() == Kind::Text) ||
                    (hasElementChild && isXmlBlank(text)))
                    return ::testing::AssertionFailure() << "bad text node: " << text.toStdString();
            }
            if (child.isElement()) {
                if (!child.markup().startsWith(u'<' + child.name()) ||
                    !child.markup().endsWith(u'>'))
                    return ::testing::AssertionFailure()
                           << "bad tag " << child.markup().toStdString();
                pending.push_back(child);
            }
        }
    }
    return ::testing::AssertionSuccess();
}

} // namespace

TEST(LenientXmlDecoding, ByteOrderMarkAloneSelectsTheEncoding)
{
    const QString text = QString::fromUtf8("<r>caf\xC3\xA9 \xE2\x82\xAC \xF0\x9D\x84\x9E</r>");
    const struct {
        const char* label;
        QByteArray bytes;
    } cases[] = {{"utf-8 without mark", text.toUtf8()},
                 {"utf-8 with mark", "\xEF\xBB\xBF" + text.toUtf8()},
                 {"utf-16 le", utf16(text, false)},
                 {"utf-16 be", utf16(text, true)}};
    for (const auto& c : cases) {
        bool ok = false;
        EXPECT_EQ(LenientXmlDocument::decodeText(c.bytes, &ok), text) << c.label;
        EXPECT_TRUE(ok) << c.label;
    }
}

TEST(LenientXmlDecoding, Utf16FileWhoseDeclarationSaysUtf8)
{
    const auto doc = LenientXmlDocument::parse(utf16(kLessons, false));
    ASSERT_TRUE(doc);
    EXPECT_EQ(doc->root().name(), "lessonsData");
    const std::vector<XmlNode> rules = doc->select("/lessonsData/level/unit/generalRule");
    ASSERT_EQ(rules.size(), 1u);
    EXPECT_EQ(rules[0].firstChildElement("rule").stringValue(),
              R"(Use ck after a short vowel & never < 2 "k"s > ok)");
}

TEST(LenientXmlDecoding, UndecodableBytesOrNoRootFailWithAMessage)
{
    const QByteArray cases[] = {
        QByteArray("<r>\xFF</r>"),               // invalid utf-8
        QByteArray("\xEF\xBB\xBF<r>\xC3"),       // truncated utf-8 sequence
        QByteArray("\xFF\xFE<\0r\0>", 7),        // odd utf-16 length
        QByteArray("\xFF\xFE<\0\x00\xDC>\0", 8), // lone low surrogate
        QByteArray("\xFE\xFF\0<\xD8\x00", 6),    // high surrogate at the end
        "",
        "plain text",
        "<?xml version=\"1.0\"?><!-- <a> -->",
        "< a>",
        "</a>",
        "<1a>",
    };
    for (const QByteArray& bytes : cases) {
        QString error;
        EXPECT_FALSE(LenientXmlDocument::parse(bytes, &error)) << bytes.toHex().toStdString();
        EXPECT_FALSE(error.isEmpty());
    }
    for (int i = 0; i < 5; ++i) {
        bool ok = true;
        LenientXmlDocument::decodeText(cases[i], &ok);
        EXPECT_FALSE(ok) << i;
    }
}

TEST(LenientXmlValues, RawCharactersAreKeptAndValidReferencesDecoded)
{
    const struct {
        const char* raw;
        const char* value;
    } cases[] = {
        {"a & b < c &amp; d > e", "a & b < c & d > e"},
        {"&lt;&gt;&quot;&apos;&amp;", "<>\"'&"},
        {"&#65;&#x42;&#x1D11E;", "AB\xF0\x9D\x84\x9E"},
        {"&#0; &#x110000; &#xZZ; &foo; &amp &#65 &#; &&amp;", // none of these are references
         "&#0; &#x110000; &#xZZ; &foo; &amp &#65 &#; &&"},
        {"x</y>z", "x</y>z"},
        {"<Word>a</word>", "<Word>a</word>"},
        // Each of these would be an element if its markup were accepted.
        {"< b>t</b>", "< b>t</b>"},
        {"<1>t</1>", "<1>t</1>"},
        {"<a x=1>t</a>", "<a x=1>t</a>"},
        {"<a x=\"<\">t</a>", "<a x=\"<\">t</a>"},
        {"<a x='1'y='2'>t</a>", "<a x='1'y='2'>t</a>"},
        {"<a\v>t</a>", "<a\v>t</a>"},
        {"<a <> </ a> <!-- open <![CDATA[ open <?pi open",
         "<a <> </ a> <!-- open <![CDATA[ open <?pi open"},
        {"a <b> c", "a <b> c"},
        {"x <font color=\"red\">y", "x <font color=\"red\">y"},
        {"a <b> <i>x</i> &amp; d", "a <b> <i>x</i> & d"},
        {"a<![CDATA[<b>&amp;]]>c &lt; d", "a<b>&amp;c < d"},
        {"line\r\nnext\rlast", "line\nnext\nlast"},
    };
    for (const auto& c : cases) {
        const XmlNode value = valueNode(QString::fromUtf8(c.raw));
        ASSERT_TRUE(value.isElement()) << c.raw;
        EXPECT_EQ(value.stringValue(), QString::fromUtf8(c.value)) << c.raw;
        // Whatever was repaired, the value is one text node.
        ASSERT_EQ(value.childCount(), 1) << c.raw;
        EXPECT_EQ(value.firstChild().kind(), Kind::Text) << c.raw;
    }
}

TEST(LenientXmlValues, MarkupValueEscapesOnlyAmpersandAndAngles)
{
    EXPECT_EQ(valueNode("a &amp; b").firstChild().markupValue(), "a &amp; b");
    EXPECT_EQ(valueNode("a & b").firstChild().markupValue(), "a &amp; b");
    const XmlNode text = valueNode("\"q\" 'a' < b > &lt;").firstChild();
    EXPECT_EQ(text.stringValue(), "\"q\" 'a' < b > <");
    EXPECT_EQ(text.markupValue(), "\"q\" 'a' &lt; b &gt; &lt;");
    EXPECT_EQ(text.markup(), text.markupValue());
}

TEST(LenientXmlRepair, ElementsClosedByAnOuterEndTagOrTheEndBecomeText)
{
    const auto doc = LenientXmlDocument::parse(
        QStringLiteral("<r><a><b>t &amp; u<c x='1'>v</a><d>1</d><row><v>2</v><w>x &amp; y"));
    ASSERT_TRUE(doc);
    const std::vector<XmlNode> children = doc->root().children();
    ASSERT_EQ(children.size(), 3u);
    EXPECT_EQ(children[0].markup(), "<a>");
    EXPECT_EQ(children[0].stringValue(), "<b>t & u<c x='1'>v");
    EXPECT_EQ(children[0].childCount(), 1);
    EXPECT_EQ(children[1].markup(), "<d>");
    EXPECT_EQ(children[2].kind(), Kind::Text);
    EXPECT_EQ(children[2].stringValue(), "<row><v>2</v><w>x & y");
}

TEST(LenientXmlRepair, EndTagsFindTheirElementAtAnyDepth)
{
    // 40 nested elements n0..n39, then "x" and the end tags from `closeFrom` down to n0.
    const auto nested = [](int closeFrom) {
        QString text = QStringLiteral("<r>");
        for (int i = 0; i < 40; ++i)
            text += QStringLiteral("<n%1>").arg(i);
        text += u'x';
        for (int i = closeFrom; i >= 0; --i)
            text += QStringLiteral("</n%1>").arg(i);
        return LenientXmlDocument::parse(text + QStringLiteral("</r>"));
    };
    for (int closeFrom : {35, 3}) {
        const auto doc = nested(closeFrom);
        ASSERT_TRUE(doc);
        XmlNode node = doc->root();
        for (int i = 0; i <= closeFrom; ++i)
            node = node.firstChild();
        EXPECT_EQ(node.markup(), QStringLiteral("<n%1>").arg(closeFrom));
        QString demoted;
        for (int i = closeFrom + 1; i < 40; ++i)
            demoted += QStringLiteral("<n%1>").arg(i);
        ASSERT_EQ(node.childCount(), 1);
        EXPECT_EQ(node.stringValue(), demoted + u'x');
    }
}

TEST(LenientXmlStructure, WhitespaceOnlyTextIsAChildOnlyWithoutElementSiblings)
{
    const auto doc = LenientXmlDocument::parse(kLessons);
    ASSERT_TRUE(doc);
    const XmlNode level = doc->root().firstChild();
    ASSERT_EQ(level.childCount(), 2);
    EXPECT_TRUE(level.child(0).markup().startsWith("<levelNumber>"));
    EXPECT_TRUE(level.child(1).markup().startsWith("<unit>"));

    EXPECT_EQ(valueNode(" ").stringValue(), " ");
    EXPECT_EQ(valueNode(" ").childCount(), 1);
    const XmlNode mixed = valueNode(" x <b/> ");
    ASSERT_EQ(mixed.childCount(), 2);
    EXPECT_EQ(mixed.child(0).stringValue(), " x ");
    EXPECT_EQ(mixed.child(1).markup(), "<b/>");
    EXPECT_EQ(mixed.child(1).childCount(), 0);
    // Only XML whitespace is indentation.
    EXPECT_EQ(valueNode("<b/>\u00A0").childCount(), 2);
}

TEST(LenientXmlStructure, CommentsAndInstructionsAreChildrenWithoutStringValue)
{
    const XmlNode value = valueNode("<!-- a <b> -->1<?pi some data?>2");
    const std::vector<XmlNode> children = value.children();
    ASSERT_EQ(children.size(), 4u);
    EXPECT_EQ(children[0].kind(), Kind::Comment);
    EXPECT_EQ(children[0].markup(), "<!-- a <b> -->");
    EXPECT_EQ(children[0].stringValue(), " a <b> ");
    EXPECT_EQ(children[2].kind(), Kind::ProcessingInstruction);
    EXPECT_EQ(children[2].name(), "pi");
    EXPECT_EQ(children[2].stringValue(), "some data");
    EXPECT_EQ(value.stringValue(), "12");
    EXPECT_TRUE(value.childElements().empty());
}

TEST(LenientXmlStructure, EverythingOutsideTheRootIsIgnored)
{
    const auto doc = LenientXmlDocument::parse(
        QStringLiteral("junk <?xml version='1.0'?><!-- <fake/> --><!DOCTYPE r [<!ELEMENT r ANY>]>"
                       "<r a=\"1\">in</r><after>x</after>"));
    ASSERT_TRUE(doc);
    EXPECT_EQ(doc->root().markup(), "<r a=\"1\">");
    EXPECT_EQ(doc->root().stringValue(), "in");
    EXPECT_TRUE(doc->root().parent().isNull());
}

TEST(LenientXmlNavigation, ChildrenByPositionAndName)
{
    // The node keeps its tree after the document is gone.
    const XmlNode unit = [] {
        const auto doc = LenientXmlDocument::parse(kLessons.toUtf8());
        return doc ? doc->root().firstChild().firstChildElement("unit") : XmlNode();
    }();
    ASSERT_EQ(unit.childCount(), 3);
    EXPECT_EQ(unit.firstChild(), unit.child(0));
    EXPECT_TRUE(unit.child(3).isNull());
    EXPECT_TRUE(unit.child(-1).isNull());
    EXPECT_EQ(unit.firstChildElement("unitNumber").stringValue(), "1");
    EXPECT_TRUE(unit.firstChildElement("UnitNumber").isNull());
    const XmlNode words = unit.firstChildElement("section").firstChildElement("relatedWords");
    ASSERT_EQ(words.childElements().size(), 2u);
    EXPECT_EQ(words.childElements()[1].name(), "bit");
    EXPECT_EQ(words.stringValue(), "backck");
    EXPECT_EQ(words.parent().firstChildElement("rule").markupValue(), "a &amp; b");
    EXPECT_EQ(words.parent().parent(), unit);

    const XmlNode null;
    EXPECT_EQ(null.childCount(), 0);
    EXPECT_TRUE(null.stringValue().isEmpty());
    EXPECT_TRUE(null.firstChildElement("a").isNull());
}

TEST(LenientXmlSelect, AbsolutePathsInDocumentOrder)
{
    const auto doc = LenientXmlDocument::parse(QStringLiteral(
        "<rulesData>\n<ruleObject>\n<ruleCode>1</ruleCode>\n<reference>2-U14, U15</reference>\n"
        "</ruleObject>\n<other/>\n<ruleObject>\n<ruleCode>2</ruleCode>\n</ruleObject>\n"
        "</rulesData>\n"));
    ASSERT_TRUE(doc);
    const std::vector<XmlNode> codes = doc->select("/rulesData/ruleObject/ruleCode");
    ASSERT_EQ(codes.size(), 2u);
    EXPECT_EQ(codes[0].stringValue(), "1");
    EXPECT_EQ(codes[1].stringValue(), "2");
    const std::vector<XmlNode> rows = doc->select("/rulesData/ruleObject");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1].firstChildElement("ruleCode"), codes[1]);
    EXPECT_EQ(doc->select("/rulesData").size(), 1u);
    for (const char* path : {"/lessonsData/ruleObject", "/rulesdata/ruleObject", "rulesData",
                             "//ruleObject", "/rulesData/", "", "/"})
        EXPECT_TRUE(doc->select(path).empty()) << path;
}

TEST(LenientXmlRobustness, DeepNestingAndHugeInputsParseInLinearTime)
{
    const int depth = 100000;
    QElapsedTimer timer;
    timer.start();
    const auto nested =
        LenientXmlDocument::parse(QStringLiteral("<r>") + QString("<a>").repeated(depth) + u'x' +
                                  QString("</a>").repeated(depth) + QStringLiteral("</r>"));
    ASSERT_TRUE(nested);
    XmlNode node = nested->root();
    int levels = 0;
    while (node.firstChild().isElement()) {
        node = node.firstChild();
        ++levels;
    }
    EXPECT_EQ(levels, depth);
    EXPECT_EQ(nested->root().stringValue(), "x");

    // Unclosed tags followed by end tags that match none of them.
    const QString stray = QString("<a>").repeated(depth) + QString("</b>").repeated(depth);
    const auto unclosed = LenientXmlDocument::parse(QStringLiteral("<r>") + stray);
    ASSERT_TRUE(unclosed);
    EXPECT_EQ(unclosed->root().stringValue(), stray);

    QString rows = QStringLiteral("<rulesData>\n");
    for (int i = 0; i < 20000; ++i)
        rows += QStringLiteral("<ruleObject>\n<ruleCode>%1</ruleCode>\n<rule>a & b < c</rule>\n"
                               "<reference>2-U14, U15</reference>\n</ruleObject>\n")
                    .arg(i);
    const auto flat =
        LenientXmlDocument::parse(utf16(rows + QStringLiteral("</rulesData>\n"), false));
    ASSERT_TRUE(flat);
    EXPECT_EQ(flat->select("/rulesData/ruleObject/rule").size(), 20000u);
    // Generous: only quadratic behaviour could come near it.
    EXPECT_LT(timer.elapsed(), 3000);
}

TEST(LenientXmlRobustness, EditedValueSurvivesAndItsNeighboursAreUntouched)
{
    // Edits inside one value can form tags but no reference, comment or end tag of a real element:
    // the value comes back verbatim unless they happened to form a whole element.
    const QString alphabet = QStringLiteral("<>&/ ab=\"';\n");
    const int rowCount = 8;
    std::mt19937 random(20240611);
    int verbatimChecks = 0;
    for (int iteration = 0; iteration < 3000; ++iteration) {
        const int target = int(random() % rowCount);
        QString edited = QStringLiteral("xyz %1 zy").arg(target);
        for (int edit = int(random() % 6) + 1; edit > 0; --edit) {
            const qsizetype at = qsizetype(random() % (edited.size() + 1));
            if (random() % 3 == 0 && at < edited.size())
                edited.remove(at, 1);
            else
                edited.insert(at, alphabet[random() % alphabet.size()]);
        }
        QString text = QStringLiteral("<rulesData>\n");
        for (int row = 0; row < rowCount; ++row)
            text += QStringLiteral("<ruleObject>\n<ruleCode>%1</ruleCode>\n<rule>%2</rule>\n"
                                   "<reference>U%1</reference>\n</ruleObject>\n")
                        .arg(row)
                        .arg(row == target ? edited : QStringLiteral("xyz %1 zy").arg(row));
        text += QStringLiteral("</rulesData>\n");

        const auto doc = LenientXmlDocument::parse(text);
        ASSERT_TRUE(doc) << text.toStdString();
        const std::vector<XmlNode> rows = doc->select("/rulesData/ruleObject");
        ASSERT_EQ(rows.size(), size_t(rowCount)) << text.toStdString();
        for (int row = 0; row < rowCount; ++row) {
            EXPECT_EQ(rows[row].firstChildElement("ruleCode").stringValue(), QString::number(row));
            EXPECT_EQ(rows[row].firstChildElement("reference").stringValue(),
                      u'U' + QString::number(row));
            const XmlNode rule = rows[row].firstChildElement("rule");
            if (row != target) {
                EXPECT_EQ(rule.stringValue(), QStringLiteral("xyz %1 zy").arg(row));
            } else if (rule.childElements().empty()) {
                ++verbatimChecks;
                EXPECT_EQ(rule.stringValue(), edited) << text.toStdString();
                EXPECT_LE(rule.childCount(), 1);
            }
        }
    }
    EXPECT_GT(verbatimChecks, 2000);
}

TEST(LenientXmlRobustness, RandomByteEditsAnywhereNeverBreakTheTree)
{
    const QByteArray original = kLessons.toUtf8().replace("back", "b\xC3\xA4"
                                                                  "ck");
    const QByteArray markup("<>&/!?-[]\"=;# ");
    std::mt19937 random(7);
    int parsed = 0;
    for (int iteration = 0; iteration < 3000; ++iteration) {
        QByteArray bytes = original;
        for (int edit = int(random() % 8) + 1; edit > 0; --edit) {
            const qsizetype at = qsizetype(random() % (bytes.size() + 1));
            switch (random() % 3) {
            case 0:
                bytes.remove(at, 1);
                break;
            case 1:
                bytes.insert(at, char(random() % 256));
                break;
            default:
                bytes.insert(at, markup[random() % markup.size()]);
            }
        }
        QString error;
        const auto doc = LenientXmlDocument::parse(bytes, &error);
        if (!doc) {
            EXPECT_FALSE(error.isEmpty());
            continue;
        }
        ++parsed;
        ASSERT_TRUE(isConsistentTree(doc->root())) << bytes.toHex().toStdString();
    }
    EXPECT_GT(parsed, 1000);
}
