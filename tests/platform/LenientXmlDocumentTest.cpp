#include "platform/xml/LenientXmlDocument.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <QStringEncoder>

#include <random>

using platform::LenientXmlDocument;
using platform::XmlNode;
using Kind = XmlNode::Kind;

namespace
{

// Indented the way the writer indents: whitespace-only text between elements.
const QString kRules = QStringLiteral(R"(<rulesData>
<ruleObject>
<ruleCode>1</ruleCode>
<words>
<word>back</word>
<bit>ck</bit>
</words>
</ruleObject>
<other/>
<ruleObject>
<ruleCode>2</ruleCode>
</ruleObject>
</rulesData>
)");

// The parsed `<v>` element holding `raw` verbatim, as the writer would produce it.
XmlNode valueNode(const QString& raw)
{
    const auto doc = LenientXmlDocument::parse(QStringLiteral("<r><v>%1</v></r>").arg(raw));
    return doc ? doc->root().firstChild() : XmlNode();
}

} // namespace

TEST(LenientXmlDecoding, OnlyAByteOrderMarkSelectsTheEncoding)
{
    // Every file claims UTF-8, as the writer's files do whatever their encoding.
    const QString value = QString::fromUtf8("caf\xC3\xA9 \xE2\x82\xAC \xF0\x9D\x84\x9E");
    const QString text = "<?xml version=\"1.0\" encoding=\"utf-8\"?><r>" + value + "</r>";
    const auto withMark = [&text](QStringConverter::Encoding encoding) -> QByteArray {
        return QStringEncoder(encoding, QStringConverter::Flag::WriteBom).encode(text);
    };
    for (const QByteArray& bytes :
         {text.toUtf8(), withMark(QStringConverter::Utf8), withMark(QStringConverter::Utf16LE),
          withMark(QStringConverter::Utf16BE)}) {
        bool ok = false;
        EXPECT_EQ(LenientXmlDocument::decodeText(bytes, &ok), text) << bytes.toHex().toStdString();
        EXPECT_TRUE(ok);
        const auto doc = LenientXmlDocument::parse(bytes);
        ASSERT_TRUE(doc);
        EXPECT_EQ(doc->root().stringValue(), value);
    }
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

TEST(LenientXmlValues, RawCharactersAreKeptValidReferencesDecodedAndMarkupEscapedOnce)
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
        // Unclosed elements come back as written.
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
    // The markup form escapes only the ampersand and the angles.
    const XmlNode text = valueNode("\"q\" 'a' < b > &lt; & &amp;").firstChild();
    EXPECT_EQ(text.markupValue(), "\"q\" 'a' &lt; b &gt; &lt; &amp; &amp;");
    EXPECT_EQ(text.markup(), text.markupValue());
}

TEST(LenientXmlRepair, UnclosedElementsBecomeTextAndEndTagsFindTheirElementAtAnyDepth)
{
    const auto doc = LenientXmlDocument::parse(
        QStringLiteral("<r><a><b>t &amp; u<c x='1'>v</a><d>1</d><w>x &amp; y"));
    ASSERT_TRUE(doc);
    const std::vector<XmlNode> children = doc->root().children();
    ASSERT_EQ(children.size(), 3u);
    EXPECT_EQ(children[0].stringValue(), "<b>t & u<c x='1'>v");
    EXPECT_EQ(children[1].markup(), "<d>");
    EXPECT_EQ(children[2].stringValue(), "<w>x & y");

    // 40 nested elements n0..n39 and end tags from n<closeFrom> down: n35 lies deeper than the
    // parser scans its stack, n3 within. A closed <s> is forgotten at either depth.
    for (int closeFrom : {35, 3}) {
        QString open;
        QString demoted;
        for (int i = 0; i < 40; ++i)
            (i <= closeFrom ? open : demoted) += QStringLiteral("<n%1>").arg(i);
        QString text = "<r>" + open + "<s></s><t></s></t>" + demoted + u'x';
        for (int i = closeFrom; i >= 0; --i)
            text += QStringLiteral("</n%1>").arg(i);
        const auto nested = LenientXmlDocument::parse(text + QStringLiteral("</r>"));
        ASSERT_TRUE(nested);
        XmlNode node = nested->root();
        for (int i = 0; i <= closeFrom; ++i)
            node = node.firstChild();
        ASSERT_EQ(node.childCount(), 3);
        EXPECT_EQ(node.child(1).stringValue(), "</s>");
        EXPECT_EQ(node.child(2).stringValue(), demoted + u'x');
    }
    // Many open elements, end tags matching none of them and no end of the root: all text.
    const QString stray = QString("<a>").repeated(100000) + QString("</b>").repeated(100000);
    const auto unmatched = LenientXmlDocument::parse(QStringLiteral("<r>") + stray);
    ASSERT_TRUE(unmatched);
    EXPECT_EQ(unmatched->root().stringValue(), stray);
}

TEST(LenientXmlStructure, IndentationCommentsInstructionsAndWhatLiesOutsideTheRoot)
{
    // Whitespace-only text is dropped only beside elements.
    EXPECT_EQ(valueNode(" ").stringValue(), " ");
    const XmlNode mixed = valueNode(" x <b/> ");
    ASSERT_EQ(mixed.childCount(), 2);
    EXPECT_EQ(mixed.child(0).stringValue(), " x ");
    EXPECT_EQ(mixed.child(1).markup(), "<b/>");
    // Only XML whitespace is indentation.
    EXPECT_EQ(valueNode("<b/>\u00A0").childCount(), 2);

    // Comments and instructions are children without a string value.
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

    // Everything outside the root is ignored.
    const auto doc = LenientXmlDocument::parse(
        QStringLiteral("junk <?xml version='1.0'?><!-- <fake/> --><!DOCTYPE r SYSTEM 'a>b<fake/>' "
                       "[<!ELEMENT r ANY>]><r a=\"1\">in</r><after>x</after>"));
    ASSERT_TRUE(doc);
    EXPECT_EQ(doc->root().markup(), "<r a=\"1\">");
    EXPECT_EQ(doc->root().stringValue(), "in");
    EXPECT_TRUE(doc->root().parent().isNull());
}

TEST(LenientXmlNavigation, AbsolutePathsChildrenAndParents)
{
    auto doc = LenientXmlDocument::parse(kRules);
    ASSERT_TRUE(doc);
    const std::vector<XmlNode> rows = doc->select("/rulesData/ruleObject");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].stringValue(), "1backck");
    const std::vector<XmlNode> codes = doc->select("/rulesData/ruleObject/ruleCode");
    ASSERT_EQ(codes.size(), 2u);
    EXPECT_EQ(codes[1].stringValue(), "2");
    EXPECT_EQ(rows[1].firstChildElement("ruleCode"), codes[1]);
    EXPECT_EQ(codes[1].parent(), rows[1]);
    EXPECT_EQ(doc->select("/rulesData").size(), 1u);
    for (const char* path : {"/lessonsData/ruleObject", "/rulesdata/ruleObject", "rulesData",
                             "//ruleObject", "/rulesData/", "", "/"})
        EXPECT_TRUE(doc->select(path).empty()) << path;

    // A node keeps its tree after the document is gone; indentation is no child.
    const XmlNode row = rows[0];
    doc.reset();
    ASSERT_EQ(row.childCount(), 2);
    EXPECT_TRUE(row.child(2).isNull());
    EXPECT_TRUE(row.child(-1).isNull());
    EXPECT_TRUE(row.firstChildElement("RuleCode").isNull());
    const std::vector<XmlNode> words = row.child(1).childElements();
    ASSERT_EQ(words.size(), 2u);
    EXPECT_EQ(words[1].name(), "bit");
    EXPECT_TRUE(XmlNode().firstChildElement("a").isNull());
}

TEST(LenientXmlRobustness, EditedValueSurvivesAndItsNeighboursAreUntouched)
{
    // Edits inside one value can form tags but no reference, comment or end tag of a real element:
    // the value comes back verbatim unless they happened to form a whole element.
    const QString alphabet = QStringLiteral("<>&/ ab=\"';\n");
    std::mt19937 random(20240611);
    int verbatimChecks = 0;
    for (int iteration = 0; iteration < 3000; ++iteration) {
        const int target = int(random() % 8);
        QString edited = QStringLiteral("xyz %1 zy").arg(target);
        for (int edit = int(random() % 6); edit >= 0; --edit) {
            const qsizetype at = qsizetype(random() % (edited.size() + 1));
            if (random() % 3 == 0 && at < edited.size())
                edited.remove(at, 1);
            else
                edited.insert(at, alphabet[random() % alphabet.size()]);
        }
        QString text = QStringLiteral("<rulesData>\n");
        for (int row = 0; row < 8; ++row)
            text += QStringLiteral("<ruleObject>\n<ruleCode>%1</ruleCode>\n<rule>%2</rule>\n"
                                   "</ruleObject>\n")
                        .arg(row)
                        .arg(row == target ? edited : QStringLiteral("xyz %1 zy").arg(row));
        const auto doc = LenientXmlDocument::parse(text + QStringLiteral("</rulesData>\n"));
        ASSERT_TRUE(doc) << text.toStdString();
        const std::vector<XmlNode> rows = doc->select("/rulesData/ruleObject");
        ASSERT_EQ(rows.size(), 8u) << text.toStdString();
        for (int row = 0; row < 8; ++row) {
            EXPECT_EQ(rows[row].firstChildElement("ruleCode").stringValue(), QString::number(row));
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
