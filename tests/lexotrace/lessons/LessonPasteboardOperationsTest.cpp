// Copy, cut and paste of units, sections and rows over the factory curriculum: what reaches the
// pasteboard, how a paste moves the copied items, and the pastes refused to keep data safe.
#include "lexotrace/lessons/LessonPasteboard.h"
#include "lexotrace/store/PayloadFile.h"
#include "platform/Pasteboard.h"
#include "tests/lexotrace/lessons/LessonsFixture.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <gtest/gtest.h>

using namespace lessonstest;
namespace board = lexotrace::lessonPasteboard;

namespace
{

QString pasteboardText()
{
    return QGuiApplication::clipboard()->text();
}

bool pasteboardHas(const QString& type)
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasFormat(platform::pasteboard::format(type));
}

QStringList wordStrings(const QList<ManagedObject*>& rows)
{
    QStringList words;
    for (const ManagedObject* row : rows)
        words << board::wordString(*row);
    return words;
}

// The factory curriculum plus a last level: unit G with section R holding the row cat (bit a),
// hat, bat; level 1 selected.
struct Curriculum : LessonsFixture {
    Curriculum()
        : LessonsFixture([](LessonsStore& s) {
              s.fillFromFactoryFile();
              const auto factoryLevels =
                  s.context->count(platform::FetchRequest::all(entity::Levels));
              ManagedObject* unit =
                  s.addLevel(int(factoryLevels.value_or(0)) + 1, 1, 1)->toMany(key::units).first();
              unit->setValue(key::generalRule, "G");
              ManagedObject* section = unit->toMany(key::sections).first();
              section->setValue(key::rule, "R");
              ManagedObject* row = s.addRow(section, "cat", "a");
              row->setValue(key::word(2), "hat");
              row->setValue(key::word(3), "bat");
          })
    {
        levels().setSelectionIndex(0);
    }
    ManagedObject* unitAt(qsizetype index)
    {
        units().setSelectionIndex(index);
        return units().lastSelectedObject();
    }
    QList<ManagedObject*> selectSections(QList<qsizetype> indexes)
    {
        sections().setSelectionIndexes(indexes);
        return sections().selectedObjects();
    }
    QList<ManagedObject*> selectRows(QList<qsizetype> indexes)
    {
        words().setSelectionIndexes(indexes);
        return words().selectedObjects();
    }
    bool pasteSectionsAndWait(const std::function<bool()>& done)
    {
        return sections().sectionsPasteboardForPaste() && waitUntil(done);
    }
};

} // namespace

TEST(LessonCopy, PutsTextFormsAndMovableItemsOnThePasteboard)
{
    Curriculum f;
    f.levels().setSelectionIndex(f.levels().arrangedObjects().size() - 1);
    f.sections().setSelectionIndex(0);
    f.words().setSelectionIndex(0);

    ASSERT_TRUE(f.words().prepareRelatedWordsPasteboardForCopy());
    EXPECT_EQ(pasteboardText(), "cat\ta\that\tbat");
    EXPECT_TRUE(pasteboardHas(board::RelatedWordsDataType));

    ASSERT_TRUE(f.sections().prepareSectionsPasteboardForCopy(true));
    EXPECT_EQ(pasteboardText(), "R\n\ncat\that\tbat\t\n\n");
    EXPECT_TRUE(pasteboardHas(board::SectionsDataType));

    ASSERT_TRUE(f.units().prepareUnitsPasteboardForCopy(true, "ignored"));
    EXPECT_EQ(pasteboardText(), "G\n\nR\n\ncat\that\tbat\n");
    EXPECT_TRUE(pasteboardHas(board::UnitsDataType));

    // Without Control only the text selected in the rule view, which a unit paste hands back.
    ASSERT_TRUE(f.units().prepareUnitsPasteboardForCopy(false, "short a"));
    EXPECT_FALSE(pasteboardHas(board::UnitsDataType));
    EXPECT_EQ(f.units().unitsPasteboardForPaste(), std::optional<QString>("short a"));
}

TEST(LessonPaste, SectionRulesAsTextGoToAsManySectionsAsThereAreLines)
{
    Curriculum f;
    f.unitAt(0);
    const QList<ManagedObject*> copied = f.selectSections({0, 1});
    ASSERT_TRUE(f.sections().prepareSectionsPasteboardForCopy(false));
    EXPECT_EQ(pasteboardText(), copied[0]->string(key::rule) + "\n" + copied[1]->string(key::rule));
    EXPECT_FALSE(pasteboardHas(board::SectionsDataType));

    f.unitAt(5);
    const QList<ManagedObject*> targets = f.selectSections({0, 1, 2});
    ASSERT_EQ(targets.size(), 3);
    const QString thirdRule = targets[2]->string(key::rule);
    ASSERT_TRUE(f.pasteSectionsAndWait(
        [&] { return targets[1]->string(key::rule) == copied[1]->string(key::rule); }));
    EXPECT_EQ(targets[0]->string(key::rule), copied[0]->string(key::rule));
    EXPECT_EQ(targets[2]->string(key::rule), thirdRule);
    f.store.undo.undo();
    EXPECT_FALSE(f.store.context->hasChanges());

    // A cut removes the sections and numbers the rest from 0.
    settle();
    f.selectSections({0});
    ASSERT_TRUE(f.sections().prepareSectionsPasteboardForCut(false));
    EXPECT_EQ(pasteboardText(), targets[0]->string(key::rule));
    EXPECT_TRUE(targets[0]->isDeleted());
    EXPECT_EQ(shown(f.sections(), key::sectionNumber).first(), "0");
}

TEST(LessonPaste, UnitMovesOntoAnotherUnitOnceAndUndoRestoresTheStore)
{
    Curriculum f;
    const QStringList original = storeLines(*f.store.context);
    ManagedObject* source = f.unitAt(1);
    const QString sourceText = board::deepCopyString(*source);
    const QString sourceCode = source->string(key::generalRuleCode);
    const QList<ManagedObject*> sourceSections = source->toMany(key::sections);
    const qsizetype unitCount = f.units().arrangedObjects().size();
    ASSERT_TRUE(f.units().prepareUnitsPasteboardForCopy(true, {}));

    ManagedObject* target = f.unitAt(3);
    EXPECT_EQ(f.units().unitsPasteboardForPaste(), std::nullopt);
    EXPECT_TRUE(source->isDeleted());
    EXPECT_EQ(board::deepCopyString(*target), sourceText);
    for (ManagedObject* section : target->toMany(key::sections))
        EXPECT_FALSE(sourceSections.contains(section));
    EXPECT_EQ(target->string(key::generalRuleCode), sourceCode);
    EXPECT_EQ(target->string(key::unitNumber), "3");
    EXPECT_EQ(shown(f.units(), key::unitNumber).size(), unitCount - 1);
    EXPECT_EQ(shown(f.units(), key::unitNumber).last(), QString::number(unitCount - 1));
    EXPECT_EQ(f.units().lastSelectedObject(), target);
    // The replaced sections and rows went with the source: nothing is left without a place.
    for (const QString& line : storeLines(*f.store.context))
        EXPECT_FALSE(line.section('|', 1, 1).isEmpty()) << line.toStdString();

    // The first paste emptied the pasteboard.
    const QStringList pasted = storeLines(*f.store.context);
    settle();
    EXPECT_EQ(f.units().unitsPasteboardForPaste(), std::nullopt);
    EXPECT_EQ(storeLines(*f.store.context), pasted);
    EXPECT_TRUE(f.alerts().shown.isEmpty());

    f.store.undo.undo();
    EXPECT_FALSE(f.store.undo.canUndo());
    EXPECT_FALSE(f.store.context->hasChanges());
    EXPECT_EQ(storeLines(*f.store.context), original);

    // From another level, the source's level closes its gap.
    settle();
    f.unitAt(1);
    ASSERT_TRUE(f.units().prepareUnitsPasteboardForCopy(true, {}));
    f.levels().setSelectionIndex(1);
    f.unitAt(0);
    f.units().unitsPasteboardForPaste();
    f.levels().setSelectionIndex(0);
    EXPECT_EQ(shown(f.units(), key::unitNumber).last(), QString::number(unitCount - 1));
}

TEST(LessonPaste, SectionsAndRowsMoveAsFarAsTargetsGoAndOnlyOnce)
{
    Curriculum f;
    f.unitAt(0);
    const QList<ManagedObject*> sources = f.selectSections({0, 1});
    const QString sourceText = board::deepCopyString(*sources[0]);
    ASSERT_TRUE(f.sections().prepareSectionsPasteboardForCopy(true));
    f.unitAt(2);
    ManagedObject* target = f.selectSections({1}).first();
    const QList<ManagedObject*> replacedRows = target->toMany(key::relatedWords);
    ASSERT_TRUE(f.pasteSectionsAndWait([&] { return sources[0]->isDeleted(); }));
    EXPECT_EQ(board::deepCopyString(*target), sourceText);
    EXPECT_FALSE(sources[1]->isDeleted());
    for (ManagedObject* row : replacedRows)
        EXPECT_TRUE(row->isDeleted());
    EXPECT_FALSE(pasteboardHas(board::SectionsDataType));

    // Three rows copied onto two: the third stays where it was.
    settle();
    f.unitAt(3);
    f.selectSections({1});
    const QList<ManagedObject*> rows = f.selectRows({0, 1, 2});
    ASSERT_EQ(rows.size(), 3);
    const QStringList copiedWords = wordStrings(rows);
    ASSERT_TRUE(f.words().prepareRelatedWordsPasteboardForCopy());
    f.unitAt(2);
    f.selectSections({1});
    const QList<ManagedObject*> targets = f.selectRows({0, 1});
    ASSERT_TRUE(f.words().relatedWordsPasteboardForPaste());
    EXPECT_EQ(wordStrings(targets), copiedWords.first(2));
    EXPECT_TRUE(rows[0]->isDeleted() && rows[1]->isDeleted());
    EXPECT_FALSE(rows[2]->isDeleted());

    // A second paste of the same copy names rows that are gone.
    const QStringList pasted = storeLines(*f.store.context);
    EXPECT_FALSE(f.words().relatedWordsPasteboardForPaste());
    EXPECT_EQ(f.alerts().shown.size(), 1);
    EXPECT_EQ(storeLines(*f.store.context), pasted);
}

TEST(LessonPaste, RefusesDamagedPayloadsAndKeepsAnItemPastedOntoItself)
{
    Curriculum f;
    const QStringList original = storeLines(*f.store.context);
    ManagedObject* unit = f.unitAt(1);
    ASSERT_TRUE(f.units().prepareUnitsPasteboardForCopy(true, {}));
    EXPECT_EQ(f.units().unitsPasteboardForPaste(), std::nullopt);
    EXPECT_FALSE(unit->isDeleted());
    ManagedObject* section = f.selectSections({0}).first();
    ASSERT_TRUE(f.sections().prepareSectionsPasteboardForCopy(true));
    ASSERT_TRUE(f.pasteSectionsAndWait([] { return !pasteboardHas(board::SectionsDataType); }));
    ASSERT_FALSE(section->isDeleted());
    ManagedObject* row = f.selectRows({0}).first();
    ASSERT_TRUE(f.words().prepareRelatedWordsPasteboardForCopy());
    EXPECT_TRUE(f.words().relatedWordsPasteboardForPaste());
    EXPECT_FALSE(row->isDeleted());
    EXPECT_TRUE(f.alerts().shown.isEmpty());

    // A file another copy or drag replaced, and a file and pasteboard both damaged.
    ManagedObject* other = f.selectSections({1}).first();
    f.selectSections({0});
    ASSERT_TRUE(f.sections().prepareSectionsPasteboardForCopy(true));
    ASSERT_TRUE(lexotrace::payloadFile::write(board::payloadArchive({other}).value()));
    ASSERT_TRUE(f.pasteSectionsAndWait([&] { return f.alerts().shown.size() == 1; }));
    ASSERT_TRUE(lexotrace::payloadFile::write("not an archive"));
    auto damaged = std::make_unique<QMimeData>();
    platform::pasteboard::setSingleType(*damaged, board::UnitsDataType, "not an archive");
    QGuiApplication::clipboard()->setMimeData(damaged.release());
    EXPECT_EQ(f.units().unitsPasteboardForPaste(), std::nullopt);
    EXPECT_EQ(f.alerts().shown.size(), 2);
    EXPECT_FALSE(f.store.context->hasChanges());
    EXPECT_EQ(storeLines(*f.store.context), original);
}
