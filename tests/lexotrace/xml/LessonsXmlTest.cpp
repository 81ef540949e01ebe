// The lessons file: written byte for byte in its fixed layout, read back leniently.
#include "lexotrace/xml/ConvertToCoreDataHelper.h"
#include "tests/lexotrace/xml/XmlTestStore.h"
#include "tests/support/RecordingAlerts.h"

#include <gtest/gtest.h>

#include <random>

using namespace xmltest;
using platform::ManagedObject;
namespace key = model::key;
namespace ent = model::entity;

namespace
{

QList<ManagedObject*> sortedNumeric(QList<ManagedObject*> objects, const QString& k)
{
    platform::sortObjects(objects, {{k, true, platform::Comparison::Numeric}});
    return objects;
}

// Every level, unit, section and row as text; "~" marks an absent value, "-" an empty word slot.
QString dump(Store& s)
{
    QString out;
    for (ManagedObject* l : sortedNumeric(s.all(ent::Levels), key::levelNumber)) {
        out += "L " + valueOr(l, key::levelNumber) + "\n";
        for (ManagedObject* u : sortedNumeric(l->toMany(key::units), key::unitNumber)) {
            out += " U " + valueOr(u, key::unitNumber) + " [" + valueOr(u, key::generalRuleCode) +
                   "|" + valueOr(u, key::generalRule) + "]\n";
            for (ManagedObject* sec : sortedNumeric(u->toMany(key::sections), key::sectionNumber)) {
                out += "  S " + valueOr(sec, key::sectionNumber) + " " + valueOr(sec, key::rule) +
                       "\n";
                for (ManagedObject* row : sec->toMany(key::relatedWords)) {
                    out += "   R";
                    for (int p = 1; p <= model::kWordSlots; ++p)
                        out += row->hasValue(key::word(p)) ? " " + row->string(key::word(p)) + ":" +
                                                                 valueOr(row, key::bit(p))
                                                           : QStringLiteral(" -");
                    out += "\n";
                }
            }
        }
    }
    return out;
}

ManagedObject* add(Store& s, const QString& entity, ManagedObject* owner, const QString& ownerKey,
                   const QList<std::pair<QString, QVariant>>& values)
{
    ManagedObject* o = s.ctx()->insertNewObject(entity);
    for (const auto& [k, v] : values)
        o->setValue(k, v);
    if (owner)
        o->setToOne(ownerKey, owner);
    return o;
}

// The store behind tests/fixtures/xml/lessons_golden.xml: levels, units and sections inserted out
// of order, sparse word slots, absent values and raw markup characters.
void buildGolden(Store& s)
{
    auto* l10 = add(s, ent::Levels, nullptr, {}, {{key::levelNumber, "10"}});
    auto* l2 = add(s, ent::Levels, nullptr, {}, {{key::levelNumber, "2"}});
    auto unit = [&](ManagedObject* l, const char* n, QVariant code, QVariant rule) {
        return add(s, ent::Unit, l, key::level,
                   {{key::unitNumber, n}, {key::generalRuleCode, code}, {key::generalRule, rule}});
    };
    auto section = [&](ManagedObject* u, const char* n, QVariant rule) {
        return add(s, ent::Sections, u, key::unit, {{key::sectionNumber, n}, {key::rule, rule}});
    };
    auto* u101 = unit(l10, "1", "L10", "ten");
    section(u101, "0", {});
    unit(l2, "10", {}, "r10");
    auto* u1 = unit(l2, "1", "G1", "a & b < c > d");
    unit(l2, "2", "G2", QString::fromUtf8("deux é \xF0\x9D\x84\x9E"));
    auto* s2 = section(u1, "02", "third");
    auto* s0 = section(u1, "0", "first <x> & y");
    section(u1, "1", "second");
    add(s, ent::RelatedWords, s0, key::section,
        {{key::word(2), "cat"}, {key::bit(2), "c"}, {key::word(4), "dog"}});
    add(s, ent::RelatedWords, s0, key::section,
        {{key::word(1), "a&b"}, {key::bit(1), "<"}, {key::word(5), "e>f"}, {key::bit(5), "f"}});
    add(s, ent::RelatedWords, s2, key::section, {{key::word(1), "x"}, {key::bit(1), "y"}});
}

QString lessons(const QString& body)
{
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<lessonsData>\n" + body + "</lessonsData>";
}

class LessonsXml : public ::testing::Test
{
protected:
    bool read(Store& s, const QByteArray& bytes)
    {
        const QString path = sandboxFile(QStringLiteral("in.xml"));
        testsupport::writeFile(path, bytes);
        return readPath(s, path);
    }
    bool readPath(Store& s, const QString& path)
    {
        converter.setContextSource([&s] { return s.ctx(); });
        return converter.createLessonCoreDataFromXMLfile(path);
    }
    QByteArray write(Store& s)
    {
        const QString path = sandboxFile(QStringLiteral("out.xml"));
        converter.setContextSource([&s] { return s.ctx(); });
        EXPECT_TRUE(converter.parseLessonsCoreDataToReadableXMLFilePath(path));
        return testsupport::readFile(path);
    }

    testsupport::RecordingAlerts alerts;
    lexotrace::ConvertToCoreDataHelper converter{alerts};
};

TEST_F(LessonsXml, WritesTheGoldenFilesAndARoundTripEscapesMarkupFieldsOnceThenStaysStable)
{
    Store empty, a, b, c;
    EXPECT_EQ(write(empty),
              testsupport::readFile(testsupport::fixturePath("xml/lessons_empty.xml")));
    buildGolden(a);
    const QByteArray first = write(a);
    EXPECT_EQ(fromUtf16File(first), fixture("xml/lessons_golden.xml"));
    EXPECT_EQ(first, testsupport::readFile(testsupport::fixturePath("xml/lessons_golden.xml")));

    ASSERT_TRUE(read(b, first));
    // General rules, words and bits come back in markup form; section rules as plain text.
    // Slots 2 and 4 close up into 1 and 2; "02" is renumbered by position.
    const QString afterOneTrip = "L 2\n"
                                 " U 1 [G1|a &amp; b &lt; c &gt; d]\n"
                                 "  S 0 first <x> & y\n"
                                 "   R cat:c dog:(null) - - -\n"
                                 "   R a&amp;b:&lt; e&gt;f:f - - -\n"
                                 "  S 1 second\n"
                                 "  S 2 third\n"
                                 "   R x:y - - - -\n"
                                 " U 2 [G2|deux é \U0001D11E]\n"
                                 " U 10 [(null)|r10]\n"
                                 "L 10\n"
                                 " U 1 [L10|ten]\n"
                                 "  S 0 (null)\n";
    EXPECT_EQ(dump(b), afterOneTrip);

    QString expectedText = fixture("xml/lessons_golden.xml");
    expectedText.replace("a & b < c > d", "a &amp; b &lt; c &gt; d")
        .replace("<word>a&b</word>\n<bit><</bit>\n<word>e>f</word>",
                 "<word>a&amp;b</word>\n<bit>&lt;</bit>\n<word>e&gt;f</word>");
    const QByteArray second = write(b);
    EXPECT_EQ(fromUtf16File(second), expectedText);

    ASSERT_TRUE(read(c, second));
    EXPECT_EQ(dump(c), afterOneTrip);
    EXPECT_EQ(write(c), second);
}

TEST_F(LessonsXml, ReadsValuesEntitiesCommentsAndSectionOrder)
{
    Store s;
    ASSERT_TRUE(read(s, utf16(lessons("<level>\n<!-- note -->\n<unit>\n<unitNumber>1</unitNumber>\n"
                                      "</unit>\n</level>\n"
                                      "<level>\n<levelNumber>&#51;</levelNumber>\n<unit>\n"
                                      "<unitNumber>7</unitNumber>\n<generalRule>\n"
                                      "<code>x &amp; y</code>\n<rule>a & b</rule>\n</generalRule>\n"
                                      "<section>\n<sectionNumber>7</sectionNumber>\n"
                                      "<rule>a &amp; b &lt;c&gt;</rule>\n<relatedWords>\n"
                                      "<word>(null)</word>\n<bit>z</bit>\n"
                                      "<word>w</word>\n<bit>(null)</bit>\n"
                                      "<word>say &quot;hi&quot; &amp; go</word>\n<bit>&lt;</bit>\n"
                                      "<word>don&apos;t</word>\n<bit>'</bit>\n"
                                      "</relatedWords>\n</section>\n"
                                      "<section>\n<sectionNumber>4</sectionNumber>\n"
                                      "<rule>second</rule>\n</section>\n</unit>\n</level>\n"))));
    EXPECT_EQ(dump(s), QString("L ~\n"
                               " U ~ [~|~]\n"
                               " U 1 [~|~]\n"
                               "L 3\n"
                               " U 7 [x &amp; y|a &amp; b]\n"
                               "  S 0 a & b <c>\n"
                               "   R - w:(null) say \"hi\" &amp; go:&lt; don't:' -\n"
                               "  S 1 second\n"));
}

const QString kOddRow =
    "<relatedWords>\n<word>a</word>\n<bit>1</bit>\n<word>b</word>\n</relatedWords>\n";
const QString kSixPairs =
    "<relatedWords>\n<word>w1</word>\n<bit>1</bit>\n<word>w2</word>\n"
    "<bit>2</bit>\n<word>w3</word>\n<bit>3</bit>\n<word>w4</word>\n<bit>4</bit>\n"
    "<word>w5</word>\n<bit>5</bit>\n<word>w6</word>\n<bit>6</bit>\n</relatedWords>\n";
// Rows here start at the fourth child, so the first row is read from <rule> and the last is lost.
const QString kShiftedRows =
    "<section>\n<sectionNumber>0</sectionNumber>\n<note>n</note>\n<rule>r</rule>\n"
    "<relatedWords>\n<word>s</word>\n<bit>t</bit>\n</relatedWords>\n"
    "<relatedWords>\n<word>u</word>\n<bit>v</bit>\n</relatedWords>\n</section>\n";

QString oneUnit(const QString& sections)
{
    return lessons("<level>\n<levelNumber>1</levelNumber>\n<unit>\n<unitNumber>1</unitNumber>\n" +
                   sections + "</unit>\n</level>\n");
}

TEST_F(LessonsXml, RowsAreReadByPositionAndKeepAtMostFivePairs)
{
    Store s;
    ASSERT_TRUE(
        read(s, utf16(oneUnit("<section>\n<sectionNumber>0</sectionNumber>\n<rule>r</rule>\n" +
                              kOddRow + kSixPairs + "</section>\n" + kShiftedRows))));
    EXPECT_EQ(dump(s), QString("L 1\n"
                               " U 1 [~|~]\n"
                               "  S 0 r\n"
                               "   R a:1 b:~ - - -\n"
                               "   R w1:1 w2:2 w3:3 w4:4 w5:5\n"
                               "  S 1 r\n"
                               "   R - - - - -\n"
                               "   R s:t - - - -\n"));
}

TEST_F(LessonsXml, DamagedFilesNeverChangeExistingObjects)
{
    const QByteArray golden =
        testsupport::readFile(testsupport::fixturePath("xml/lessons_golden.xml"));
    ASSERT_FALSE(golden.isEmpty());
    std::mt19937 random(7);
    QByteArray garbage;
    for (int i = 0; i < 4096; ++i)
        garbage.append(char(random() & 0xFF));
    const QList<std::pair<const char*, QByteArray>> damaged = {
        {"truncated", golden.left((golden.size() / 2) & ~1)},
        {"truncated mid code unit", golden.left((golden.size() / 2) | 1)},
        {"garbage", garbage},
        {"garbage after a mark", "\xFF\xFE" + garbage},
        {"unclosed", utf16("<lessonsData><level><unit><section><relatedWords><word>")},
        {"odd row", utf16(oneUnit("<section>\n<sectionNumber>0</sectionNumber>\n<rule>r</rule>\n" +
                                  kOddRow + "</section>\n"))},
        {"shifted rows", utf16(oneUnit(kShiftedRows))},
        {"six pairs",
         utf16(oneUnit("<section>\n<sectionNumber>0</sectionNumber>\n<rule>r</rule>\n" + kSixPairs +
                       "</section>\n"))},
    };
    for (const auto& [name, bytes] : damaged) {
        SCOPED_TRACE(name);
        Store s;
        auto* level = add(s, ent::Levels, nullptr, {}, {{key::levelNumber, "99"}});
        add(s, ent::Unit, level, key::level, {{key::unitNumber, "1"}, {key::generalRule, "keep"}});
        ASSERT_TRUE(s.ctx()->save());
        read(s, bytes);
        EXPECT_TRUE(s.ctx()->updatedObjects().isEmpty());
        EXPECT_TRUE(s.ctx()->deletedObjects().isEmpty());
        const QString text = dump(s);
        EXPECT_EQ(text.count("L 99\n U 1 [~|keep]\n"), 1) << text.toStdString();
        EXPECT_EQ(level->toMany(key::units).size(), 1);
    }
}

TEST_F(LessonsXml, FileWithoutLevelsReadsAsFalseAndInsertsNothing)
{
    const QList<std::pair<const char*, QByteArray>> cases = {
        {"no level", utf16(lessons(""))},
        {"wrong root", utf16("<rulesData><level><levelNumber>1</levelNumber></level></rulesData>")},
        {"level too deep", utf16(lessons("<x><level><levelNumber>1</levelNumber></level></x>"))},
        {"not UTF-8", QByteArray("<lessonsData><level><levelNumber>\x80\xC3(</levelNumber></level>"
                                 "</lessonsData>")},
    };
    for (const auto& [name, bytes] : cases) {
        SCOPED_TRACE(name);
        Store s;
        EXPECT_FALSE(read(s, bytes));
        EXPECT_FALSE(s.ctx()->hasChanges());
    }
    Store s;
    EXPECT_FALSE(readPath(s, sandboxFile("missing.xml")));
    EXPECT_FALSE(s.ctx()->hasChanges());
}

} // namespace
