// The object store through its public interface: contexts over real store files.
#include "model/OrthovaModel.h"
#include "platform/store/ObjectContext.h"
#include "tests/support/StoreOnDisk.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryFile>
#include <QThread>

#include <sys/file.h>

using namespace platform;
using testsupport::StoreOnDisk;
namespace key = model::key;
namespace ent = model::entity;

namespace
{

QString storePath(const QString& name)
{
    return testsupport::sandboxRoot() + u'/' + name;
}

QStringList strings(const QList<ManagedObject*>& objects, const QString& k)
{
    QStringList out;
    for (auto* o : objects)
        out << o->string(k);
    return out;
}

// level -> unit -> section -> row, all inserted into c.
ManagedObject* makeLesson(ObjectContext& c, const QString& level, const QString& word)
{
    auto* l = c.insertNewObject(ent::Levels);
    l->setValue(key::levelNumber, level);
    auto* u = c.insertNewObject(ent::Unit);
    u->setValue(key::unitNumber, QStringLiteral("1"));
    u->setToOne(key::level, l);
    auto* s = c.insertNewObject(ent::Sections);
    s->setValue(key::sectionNumber, QStringLiteral("0"));
    s->setToOne(key::unit, u);
    auto* r = c.insertNewObject(ent::RelatedWords);
    r->setValue(key::word(1), word);
    r->setToOne(key::section, s);
    return l;
}

void backdate(const QString& file)
{
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(QDateTime::currentDateTime().addSecs(-60),
                              QFileDevice::FileModificationTime));
}

} // namespace

TEST(ObjectStoreFile, MissingFileOpensEmptyAndSavesCreateItAloneInItsFolder)
{
    const QString dir = storePath("folder");
    QDir().mkpath(dir);
    const QString path = dir + "/a.xml";
    StoreOnDisk s(path);
    ASSERT_TRUE(s.opened);
    EXPECT_EQ(s.context->count(FetchRequest::all(ent::WordPair)).value_or(-1), 0);
    EXPECT_FALSE(s.context->hasChanges());
    EXPECT_TRUE(s.context->save()); // nothing to save: no file written
    EXPECT_FALSE(QFile::exists(path));

    for (int i = 0; i < 10; ++i) {
        s.context->insertNewObject(ent::Rule)->setValue(key::ruleCode, QString::number(i));
        EXPECT_TRUE(s.context->hasChanges());
        ASSERT_TRUE(s.context->save());
        EXPECT_FALSE(s.context->hasChanges());
    }
    // No temporary file is left beside it.
    EXPECT_EQ(QDir(dir).entryList(QDir::Files | QDir::Hidden), QStringList{"a.xml"});
}

TEST(ObjectStoreFile, SaveAndReloadKeepsValuesAbsentsDatesAndRelationships)
{
    const QString path = storePath("lessons.xml");
    const QDateTime when = QDateTime::fromMSecsSinceEpoch(1796670000123, Qt::UTC);
    // Whatever text the capture hands over comes back unchanged, also characters that XML cannot
    // carry.
    const QStringList texts{QStringLiteral("line\nbreak\ttab\r"),
                            QStringLiteral("  spaces  "),
                            QString(QChar(0x01)) + "ctrl",
                            QString(QChar(0xD800)) + "lone",
                            QStringLiteral("caf\u00e9 \U0001F600 \"q\" 'a' &amp; <x/>"),
                            QString(QChar(0xFFFF))};
    {
        StoreOnDisk s(path);
        auto* l = makeLesson(*s.context, "2", "a & <b> \"c\"");
        l->toMany(key::units).first()->setValue(key::generalRule, QString(""));
        auto* p = s.context->insertNewObject(ent::WordPair);
        p->setValue(key::mSpell, QStringLiteral("recieve"));
        p->setValue(key::tStamp, when);
        for (const QString& t : texts)
            s.context->insertNewObject(ent::Rule)->setValue(key::rule, t);
        ASSERT_TRUE(s.context->save());
    }
    StoreOnDisk s(path);
    ASSERT_TRUE(s.opened) << s.error.message.toStdString();
    const auto levels = s.all(ent::Levels);
    ASSERT_EQ(levels.size(), 1);
    const auto units = levels[0]->toMany(key::units);
    ASSERT_EQ(units.size(), 1);
    EXPECT_TRUE(units[0]->hasValue(key::generalRule)); // empty string is a value
    EXPECT_EQ(units[0]->string(key::generalRule), QString(""));
    EXPECT_FALSE(units[0]->hasValue(key::generalRuleCode)); // absent stays absent
    const auto rows = units[0]->toMany(key::sections).first()->toMany(key::relatedWords);
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0]->string(key::word(1)), QStringLiteral("a & <b> \"c\""));
    EXPECT_FALSE(rows[0]->hasValue(key::word(2)));
    EXPECT_EQ(rows[0]->valueForKeyPath("section.unit.level.levelNumber").toString(), "2");
    const auto pairs = s.all(ent::WordPair);
    ASSERT_EQ(pairs.size(), 1);
    EXPECT_EQ(pairs[0]->date(key::tStamp), when);
    EXPECT_FALSE(pairs[0]->hasValue(key::cSpell));
    EXPECT_EQ(strings(s.all(ent::Rule), key::rule), texts);
}

TEST(ObjectStoreFile, UnreadableStoreIsReportedAndNeverOverwritten)
{
    const QString path = storePath("damaged.xml");
    const QByteArray damaged =
        "<store format=\"orthova-store\" version=\"1\" uuid=\"x\" next=\"3\">"
        "<o e=\"WordPair\" id=\"1\"><a n=\"cSpell\">ok</a></o><o e=";
    for (const QByteArray& bytes :
         {damaged, QByteArray("not xml at all"), QByteArray("<lessonsData/>"),
          QByteArray("<store format=\"orthova-store\" version=\"1\" uuid=\"u\" next=\"5\">"
                     "<o e=\"Unit\" id=\"1\" level=\"4\"/></store>"),
          QByteArray("<store format=\"orthova-store\" version=\"1\" uuid=\"u\" next=\"5\">"
                     "<o e=\"Unit\" id=\"1\" colour=\"red\"/></store>"),
          QByteArray("<store format=\"orthova-store\" version=\"1\" uuid=\"u\" next=\"9\">"
                     "<o e=\"Rule\" id=\"3\"/><o e=\"Rule\" id=\"3\"/></store>")}) {
        ASSERT_TRUE(testsupport::writeFile(path, bytes));
        StoreOnDisk s(path);
        EXPECT_FALSE(s.opened);
        EXPECT_TRUE(s.error.isError());
        EXPECT_FALSE(s.error.message.isEmpty());
        // A context on the failed coordinator can neither fetch nor save.
        EXPECT_FALSE(s.context->fetch(FetchRequest::all(ent::WordPair)).has_value());
        s.context->insertNewObject(ent::WordPair)->setValue(key::cSpell, QStringLiteral("x"));
        StoreError saveError;
        EXPECT_FALSE(s.context->save(&saveError));
        EXPECT_EQ(saveError.code, StoreError::NoStore);
        EXPECT_EQ(testsupport::readFile(path), bytes);
    }
}

TEST(ObjectStoreFile, FailedSaveKeepsTheChangesForALaterSave)
{
    const QString path = storePath("blocked.xml");
    StoreOnDisk s(path);
    s.context->insertNewObject(ent::Rule)->setValue(key::ruleCode, QStringLiteral("1"));
    // A folder in the way of the store file makes the final rename fail, even for root.
    ASSERT_TRUE(QDir().mkpath(path + "/occupied"));
    StoreError error;
    EXPECT_FALSE(s.context->save(&error));
    EXPECT_EQ(error.code, StoreError::WriteFailed);
    EXPECT_TRUE(s.context->hasChanges());
    EXPECT_TRUE(s.context->insertedObjects().first()->objectID().isTemporary());
    ASSERT_TRUE(QDir(path).removeRecursively());
    ASSERT_TRUE(s.context->save(&error)) << error.message.toStdString();
    EXPECT_EQ(strings(StoreOnDisk(path).all(ent::Rule), key::ruleCode), QStringList{"1"});

    // A store whose counter is at the top of its range keeps its objects and their changes, but
    // takes no new one: the file it would write would not open again.
    const QString full = storePath("full-counter.xml");
    ASSERT_TRUE(testsupport::writeFile(
        full, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<store format=\"orthova-store\" "
              "version=\"1\" uuid=\"4f1c2d3e-0000-4000-8000-000000000001\" "
              "next=\"9223372036854775807\">\n<o e=\"Rule\" id=\"9223372036854775806\" "
              "ruleCode=\"7\"/>\n</store>\n"));
    StoreOnDisk top(full);
    ASSERT_TRUE(top.opened) << top.error.message.toStdString();
    top.all(ent::Rule).first()->setValue(key::ruleCode, QStringLiteral("8"));
    ASSERT_TRUE(top.context->save(&error)) << error.message.toStdString();
    top.context->insertNewObject(ent::Rule)->setValue(key::ruleCode, QStringLiteral("9"));
    EXPECT_FALSE(top.context->save(&error));
    EXPECT_EQ(error.code, StoreError::WriteFailed);
    EXPECT_TRUE(top.context->hasChanges());
    StoreOnDisk reopened(full);
    ASSERT_TRUE(reopened.opened) << reopened.error.message.toStdString();
    EXPECT_EQ(strings(reopened.all(ent::Rule), key::ruleCode), QStringList{"8"});
}

// Only the dead saves' temporaries go: not one a writer still holds, not a fresh one, not another
// file's or another name.
TEST(ObjectStoreFile, OpeningRemovesOnlyTheTemporariesOfSavesThatDied)
{
    const QString path = storePath("left.xml");
    {
        StoreOnDisk s(path);
        makeLesson(*s.context, QStringLiteral("1"), QStringLiteral("word"));
        ASSERT_TRUE(s.context->save());
    }
    // Named as the writer names them.
    QTemporaryFile deadSave(storePath(".left.xml.XXXXXX"));
    deadSave.setAutoRemove(false);
    ASSERT_TRUE(deadSave.open());
    const QString dead = deadSave.fileName();
    deadSave.close();
    const QString held = storePath(".left.xml.Zz9Yy8");
    const QString fresh = storePath(".left.xml.fr3sh0");
    const QStringList others{storePath(".other.xml.a1B2c3"), storePath(".left.xml.a1B2c3.bak"),
                             storePath("left.xml.a1B2c3")};
    for (const QString& file : QStringList{held, fresh} + others) {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("<partial");
    }
    for (const QString& file : QStringList{dead, held} + others)
        backdate(file);
    QFile holder(held);
    ASSERT_TRUE(holder.open(QIODevice::ReadOnly));
    ASSERT_EQ(::flock(holder.handle(), LOCK_EX), 0);

    StoreOnDisk s(path);
    ASSERT_TRUE(s.opened);
    EXPECT_FALSE(QFile::exists(dead));
    EXPECT_TRUE(QFile::exists(held));
    EXPECT_TRUE(QFile::exists(fresh));
    for (const QString& file : others)
        EXPECT_TRUE(QFile::exists(file)) << file.toStdString();
}

// A writer killed at a random moment of its save loop leaves a store that opens, holding one of
// the complete versions it was writing.
TEST(ObjectStoreFile, KilledSaveLeavesOldOrNewFileNeverATornOne)
{
    const QString path = storePath("killed.xml");
    for (int round = 0; round < 6; ++round) {
        QProcess child;
        child.start(QStringLiteral(STORE_SAVE_CHILD), {path});
        ASSERT_TRUE(child.waitForStarted());
        ASSERT_TRUE(child.waitForReadyRead(20000)) // first save done
            << child.exitCode() << child.readAllStandardError().toStdString();
        QThread::msleep(20 + 37 * round);
        child.kill();
        child.waitForFinished();
        StoreOnDisk s(path);
        ASSERT_TRUE(s.opened) << s.error.message.toStdString();
        const auto pairs = s.all(ent::WordPair);
        // Every version the child writes holds a multiple of 2000 pairs, each marked with its
        // version number.
        ASSERT_EQ(pairs.size() % 2000, 0);
        ASSERT_FALSE(pairs.isEmpty());
        const QString version = pairs.first()->string(key::mSpell);
        for (auto* p : pairs)
            ASSERT_EQ(p->string(key::mSpell), version);
    }
}

TEST(ObjectStoreEditing, RollbackRestoresTheSavedState)
{
    StoreOnDisk s(storePath("rollback.xml"));
    auto* l = makeLesson(*s.context, "1", "back");
    ASSERT_TRUE(s.context->save());
    auto* unit = l->toMany(key::units).first();

    unit->setValue(key::generalRule, QStringLiteral("changed"));
    makeLesson(*s.context, "2", "new");
    s.context->deleteObject(unit->toMany(key::sections).first());
    EXPECT_TRUE(s.context->hasChanges());
    s.context->rollback();

    EXPECT_FALSE(s.context->hasChanges());
    EXPECT_EQ(strings(s.all(ent::Levels), key::levelNumber), QStringList{"1"});
    EXPECT_FALSE(unit->hasValue(key::generalRule));
    ASSERT_EQ(unit->toMany(key::sections).size(), 1);
    EXPECT_EQ(s.all(ent::RelatedWords).size(), 1);

    // A later rollback goes back to the latest save, not to the first.
    unit->setValue(key::generalRule, QStringLiteral("saved"));
    ASSERT_TRUE(s.context->save());
    unit->setValue(key::generalRule, QStringLiteral("later"));
    s.context->rollback();
    EXPECT_EQ(unit->string(key::generalRule), QStringLiteral("saved"));
}

TEST(ObjectStoreEditing, DeletingALevelTakesItsWholeTreeAndUndoBringsItBack)
{
    const QString path = storePath("cascade.xml");
    StoreOnDisk s(path);
    UndoManager undo;
    s.context->setUndoManager(&undo);
    auto* keep = makeLesson(*s.context, "1", "keep");
    auto* gone = makeLesson(*s.context, "2", "gone");
    ASSERT_TRUE(s.context->save());
    QCoreApplication::processEvents(); // close the insert group

    s.context->deleteObject(gone);
    for (const QString& e : {ent::Levels, ent::Unit, ent::Sections, ent::RelatedWords})
        EXPECT_EQ(s.all(e).size(), 1) << e.toStdString();
    EXPECT_EQ(strings(s.all(ent::RelatedWords), key::word(1)), QStringList{"keep"});
    EXPECT_EQ(keep->toMany(key::units).size(), 1);
    QCoreApplication::processEvents();

    undo.undo();
    for (const QString& e : {ent::Levels, ent::Unit, ent::Sections, ent::RelatedWords})
        EXPECT_EQ(s.all(e).size(), 2) << e.toStdString();
    EXPECT_EQ(gone->toMany(key::units).first()->toMany(key::sections).size(), 1);
    EXPECT_FALSE(s.context->hasChanges());

    undo.redo();
    ASSERT_TRUE(s.context->save());
    StoreOnDisk reopened(path);
    EXPECT_EQ(reopened.all(ent::RelatedWords).size(), 1);
    EXPECT_EQ(reopened.all(ent::Unit).size(), 1);
}

TEST(ObjectStoreEditing, UndoGroupsCloseAtTheEndOfAnEventLoopTurn)
{
    StoreOnDisk s(storePath("undo.xml"));
    UndoManager undo;
    s.context->setUndoManager(&undo);
    auto* rule = s.context->insertNewObject(ent::Rule);
    rule->setValue(key::ruleCode, QStringLiteral("1"));
    rule->setValue(key::rule, QStringLiteral("first"));
    QCoreApplication::processEvents(); // turn 1: insert and two edits
    rule->setValue(key::rule, QStringLiteral("second"));
    rule->setValue(key::reference, QStringLiteral("1-U1"));
    QCoreApplication::processEvents(); // turn 2: two edits

    undo.undo();
    EXPECT_EQ(rule->string(key::rule), QStringLiteral("first"));
    EXPECT_FALSE(rule->hasValue(key::reference));
    EXPECT_EQ(s.all(ent::Rule).size(), 1);
    undo.undo();
    EXPECT_EQ(s.all(ent::Rule).size(), 0);
    EXPECT_FALSE(s.context->hasChanges());
    EXPECT_FALSE(undo.canUndo());

    undo.redo();
    ASSERT_EQ(s.all(ent::Rule).size(), 1);
    EXPECT_EQ(rule->string(key::rule), QStringLiteral("first"));
    undo.redo();
    EXPECT_EQ(rule->string(key::rule), QStringLiteral("second"));
    EXPECT_FALSE(undo.canRedo());

    // A new change after an undo drops the redo steps.
    undo.undo();
    rule->setValue(key::rule, QStringLiteral("third"));
    EXPECT_FALSE(undo.canRedo());
}

TEST(ObjectStoreEditing, UndoOfAnInsertAfterSaveDeletesFromTheStore)
{
    const QString path = storePath("undo-saved.xml");
    StoreOnDisk s(path);
    UndoManager undo;
    s.context->setUndoManager(&undo);
    s.context->insertNewObject(ent::WordPair)->setValue(key::cSpell, QStringLiteral("x"));
    ASSERT_TRUE(s.context->save());
    QCoreApplication::processEvents();
    undo.undo();
    EXPECT_TRUE(s.context->hasChanges());
    ASSERT_TRUE(s.context->save());
    EXPECT_EQ(StoreOnDisk(path).all(ent::WordPair).size(), 0);
}

TEST(ObjectStoreIdentity, TemporaryIDsBecomePermanentAndURIsResolve)
{
    const QString path = storePath("ids.xml");
    StoreOnDisk s(path);
    auto* level = makeLesson(*s.context, "1", "w");
    const ObjectID temp = level->objectID();
    EXPECT_TRUE(temp.isTemporary());
    EXPECT_TRUE(temp.uriString().startsWith("x-orthova:///Levels/t"));
    EXPECT_EQ(s.context->objectWithID(*ObjectID::fromUriString(temp.uriString())), level);
    // Another context's temporary IDs are not this context's, even for its first object.
    StoreOnDisk elsewhere(storePath("elsewhere.xml"));
    makeLesson(*elsewhere.context, "1", "w");
    EXPECT_EQ(elsewhere.context->objectWithID(temp), nullptr);

    ASSERT_TRUE(s.context->save());
    const ObjectID perm = level->objectID();
    EXPECT_FALSE(perm.isTemporary());
    const QString uri = perm.uriString();
    EXPECT_EQ(uri, "x-orthova://" + s.coordinator->storeUuid() + "/Levels/p" +
                       QString::number(perm.number()));
    EXPECT_EQ(s.context->objectWithID(temp), nullptr);

    // The URI still names the level after the store is opened again.
    StoreOnDisk again(path);
    const auto id = again.coordinator->managedObjectIDForURIRepresentation(uri);
    ASSERT_TRUE(id.has_value());
    ManagedObject* found = again.context->existingObjectWithID(*id, nullptr);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->string(key::levelNumber), "1");
    EXPECT_EQ(again.context->objectWithID(
                  ObjectID::permanent(again.coordinator->storeUuid(), ent::Unit, id->number())),
              nullptr);

    // Foreign, malformed and deleted IDs do not resolve.
    StoreOnDisk other(storePath("other.xml"));
    EXPECT_FALSE(other.coordinator->managedObjectIDForURIRepresentation(uri).has_value());
    for (const QString& bad : {QString("x-orthova://u/Levels/p0"), QString("http://x/Levels/p1"),
                               QString("x-orthova://") + s.coordinator->storeUuid() + "/Nope/p1",
                               QString("x-orthova:///Levels/tnot-a-uuid")})
        EXPECT_FALSE(again.coordinator->managedObjectIDForURIRepresentation(bad).has_value())
            << bad.toStdString();
    again.context->deleteObject(found);
    StoreError error;
    EXPECT_EQ(again.context->existingObjectWithID(*id, &error), nullptr);
    EXPECT_EQ(error.code, StoreError::ObjectNotFound);
}

TEST(ObjectStoreFetch, LikeMatchesTheWholeValueWithWildcards)
{
    EXPECT_TRUE(Predicate::matchesLike(u"hopeful", u"hopeful"));
    EXPECT_FALSE(Predicate::matchesLike(u"hopeful", u"hope"));
    EXPECT_FALSE(Predicate::matchesLike(u"Hopeful", u"hopeful")); // case-sensitive
    EXPECT_FALSE(Predicate::matchesLike(u"caf\u00e9", u"cafe"));  // diacritic-sensitive
    EXPECT_TRUE(Predicate::matchesLike(u"hopeful", u"hope*"));
    EXPECT_TRUE(Predicate::matchesLike(u"hopeful", u"*ful"));
    EXPECT_TRUE(Predicate::matchesLike(u"hopeful", u"h?pe*l"));
    EXPECT_FALSE(Predicate::matchesLike(u"hopeful", u"h?ful"));
    EXPECT_TRUE(Predicate::matchesLike(u"", u"*"));
    EXPECT_FALSE(Predicate::matchesLike(u"", u"?"));
    EXPECT_TRUE(Predicate::matchesLike(u"aXbXc", u"*X*X*"));
    EXPECT_FALSE(Predicate::matchesLike(u"aXb", u"*X*X*"));

    StoreOnDisk s(storePath("like.xml"));
    for (const char* w : {"tap", "tape", "Tap", "trap"})
        s.context->insertNewObject(ent::RelatedWords)->setValue(key::word(2), QString(w));
    s.context->insertNewObject(ent::RelatedWords); // word2 absent: never matches
    EXPECT_EQ(
        strings(s.all(ent::RelatedWords, {}, Predicate::like(key::word(2), "t*p")), key::word(2)),
        (QStringList{"tap", "trap"}));
    EXPECT_EQ(s.all(ent::RelatedWords, {}, Predicate::like(key::word(2), "*")).size(), 4);
    EXPECT_EQ(strings(s.all(ent::RelatedWords, {},
                            Predicate::anyOf({Predicate::equals(key::word(2), "Tap"),
                                              Predicate::equals(key::word(2), "tape")})),
                      key::word(2)),
              (QStringList{"tape", "Tap"}));
}

TEST(ObjectStoreFetch, NumericPlainAndCaseInsensitiveOrders)
{
    StoreOnDisk s(storePath("sort.xml"));
    for (const char* n : {"10", "2", "1", "9", "b", "B", "a"})
        s.context->insertNewObject(ent::Levels)->setValue(key::levelNumber, QString(n));
    s.context->insertNewObject(ent::Levels); // absent number sorts first
    auto order = [&](Comparison c, bool ascending = true) {
        return strings(s.all(ent::Levels, {{key::levelNumber, ascending, c}}), key::levelNumber);
    };
    EXPECT_EQ(order(Comparison::Numeric), (QStringList{"", "1", "2", "9", "10", "B", "a", "b"}));
    EXPECT_EQ(order(Comparison::Plain), (QStringList{"", "1", "10", "2", "9", "B", "a", "b"}));
    EXPECT_EQ(order(Comparison::Numeric, false),
              (QStringList{"b", "a", "B", "10", "9", "2", "1", ""}));
    const auto ci = order(Comparison::CaseInsensitive);
    EXPECT_EQ(ci.mid(0, 5), (QStringList{"", "1", "10", "2", "9"}));
    EXPECT_EQ(ci.mid(5, 1), QStringList{"a"});

    // Dates compare as times, not as their text: 06:00 UTC is after 10:00 at UTC+05:00.
    const QDateTime utc(QDate(2024, 1, 1), QTime(6, 0), Qt::UTC);
    const QDateTime east(QDate(2024, 1, 1), QTime(10, 0), Qt::OffsetFromUTC, 5 * 3600);
    for (const QDateTime& when : {utc, east})
        s.context->insertNewObject(ent::WordPair)->setValue(key::tStamp, when);
    const auto pairs = s.all(ent::WordPair, {{key::tStamp, true, Comparison::Plain}});
    ASSERT_EQ(pairs.size(), 2);
    EXPECT_EQ(pairs[0]->date(key::tStamp), east);

    EXPECT_LT(compareWithNumericSearch(u"1.2", u"1.10"), 0);
    EXPECT_LT(compareWithNumericSearch(u"U2", u"U10"), 0);
    EXPECT_EQ(compareWithNumericSearch(u"7", u"7"), 0);
}
