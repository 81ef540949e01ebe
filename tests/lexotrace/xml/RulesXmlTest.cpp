// The rules file: one ruleObject per rule in plain code order, read back by child name.
#include "lexotrace/xml/RulesCoreDataToXMLConverter.h"
#include "tests/lexotrace/xml/XmlTestStore.h"
#include "tests/support/RecordingAlerts.h"

#include <gtest/gtest.h>

using namespace xmltest;
using platform::ManagedObject;
namespace key = model::key;
namespace ent = model::entity;

namespace
{

// "code|rule|reference" per rule in plain code order; "~" marks an absent value.
QStringList dump(Store& s)
{
    QList<ManagedObject*> rules = s.all(ent::Rule);
    platform::sortObjects(rules, {{key::ruleCode, true, platform::Comparison::Plain}});
    QStringList out;
    for (ManagedObject* r : rules)
        out << valueOr(r, key::ruleCode) + "|" + valueOr(r, key::rule) + "|" +
                   valueOr(r, key::reference);
    return out;
}

class RulesXml : public ::testing::Test
{
protected:
    bool read(Store& s, const QString& path)
    {
        converter.setContextSource([&s] { return s.ctx(); });
        return converter.createRulesCoreDataFromXMLFilePath(path);
    }
    bool readText(Store& s, const QString& text)
    {
        const QString path = sandboxFile(QStringLiteral("rules-in.xml"));
        testsupport::writeFile(path, utf16(text));
        return read(s, path);
    }
    QByteArray write(Store& s)
    {
        const QString path = sandboxFile(QStringLiteral("rules-out.xml"));
        converter.setContextSource([&s] { return s.ctx(); });
        EXPECT_TRUE(converter.parseRulesCoreDataToReadableXMLforPath(path));
        return testsupport::readFile(path);
    }
    void addRule(Store& s, const char* code, const char* rule, QVariant reference)
    {
        ManagedObject* r = s.ctx()->insertNewObject(ent::Rule);
        r->setValue(key::ruleCode, code);
        r->setValue(key::rule, rule);
        r->setValue(key::reference, reference);
    }

    testsupport::RecordingAlerts alerts;
    lexotrace::RulesCoreDataToXMLConverter converter{alerts};
};

TEST_F(RulesXml, WritesGoldenFileAndReadsItBackUnchanged)
{
    Store s;
    addRule(s, "2", "two & <b>", "2-U1");
    addRule(s, "10", "ten", {});
    addRule(s, "1", "one", "1-U1");
    const QByteArray bytes = write(s);
    const QString golden = testsupport::fixturePath("xml/rules_golden.xml");
    EXPECT_EQ(fromUtf16File(bytes), fixture("xml/rules_golden.xml"));
    EXPECT_EQ(bytes, testsupport::readFile(golden));

    // Rule texts are plain strings, so raw markup characters survive a trip unchanged.
    Store back;
    ASSERT_TRUE(read(back, golden));
    EXPECT_EQ(dump(back), QStringList({"1|one|1-U1", "10|ten|(null)", "2|two & <b>|2-U1"}));
    EXPECT_EQ(write(back), bytes);
    EXPECT_TRUE(alerts.shown.isEmpty());
}

TEST_F(RulesXml, FactoryFileRoundTripsByteIdentical)
{
    const QString factory =
        QStringLiteral(ORTHOVA_SOURCE_DIR "/resources/Rules_Initiation_Data.xml");
    Store s;
    ASSERT_TRUE(read(s, factory));
    EXPECT_GT(s.all(ent::Rule).size(), 1);
    EXPECT_EQ(write(s), testsupport::readFile(factory));
}

TEST_F(RulesXml, ChildrenAreReadByNameInAnyOrder)
{
    Store s;
    ASSERT_TRUE(readText(s, "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<rulesData>\n"
                            "<ruleObject>\n<reference>(null)</reference>\n<rule>a &amp; b</rule>\n"
                            "<ruleCode>7</ruleCode>\n</ruleObject>\n"
                            "<ruleObject>\n<rule>only text</rule>\n</ruleObject>\n"
                            "</rulesData>\n"));
    EXPECT_EQ(dump(s), QStringList({"~|only text|~", "7|a & b|(null)"}));
    EXPECT_TRUE(s.ctx()->hasChanges());
}

TEST_F(RulesXml, ForeignRootReadsAsSuccessWithNothingInserted)
{
    Store s;
    EXPECT_TRUE(readText(s, "<lessonsData>\n<ruleObject>\n<ruleCode>1</ruleCode>\n</ruleObject>\n"
                            "</lessonsData>"));
    EXPECT_FALSE(s.ctx()->hasChanges());
    EXPECT_TRUE(alerts.shown.isEmpty());
}

TEST_F(RulesXml, MissingFileFailsWithOneAlert)
{
    Store s;
    EXPECT_FALSE(read(s, sandboxFile("no-such-rules.xml")));
    EXPECT_FALSE(s.ctx()->hasChanges());
    ASSERT_EQ(alerts.shown.size(), 1);
    EXPECT_FALSE(alerts.shown.front().sheet);
}

} // namespace
