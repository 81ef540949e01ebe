#pragma once

// A lessons store on disk with the four list controllers wired as the lessons window wires them.
#include "lexotrace/lessons/LevelsArrayController.h"
#include "lexotrace/lessons/RelatedWordsArrayController.h"
#include "lexotrace/lessons/SectionsArrayController.h"
#include "lexotrace/lessons/UnitsArrayController.h"
#include "lexotrace/xml/ConvertToCoreDataHelper.h"
#include "model/OrthovaModel.h"
#include "platform/ArrayControllerModel.h"
#include "tests/support/RecordingAlerts.h"
#include "tests/support/StoreOnDisk.h"
#include "tests/support/TestSupport.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace lessonstest
{

using platform::ManagedObject;
namespace key = model::key;
namespace entity = model::entity;

// Runs the event loop until `done` holds or the time is up.
template <typename Done> bool waitUntil(Done done, int timeoutMs = 2000)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!done() && !deadline.hasExpired())
        QTest::qWait(5);
    return done();
}

// One pass of the event loop and a little more: deferred selections and change notices arrive.
inline void settle()
{
    QTest::qWait(20);
}

// The values of `key` of the controller's arranged objects, in display order.
inline QStringList shown(const platform::ArrayController& controller, const QString& key)
{
    QStringList values;
    for (const ManagedObject* object : controller.arrangedObjects())
        values << object->string(key);
    return values;
}

inline QString selected(const platform::ArrayController& controller, const QString& key)
{
    const ManagedObject* object = controller.lastSelectedObject();
    return object ? object->string(key) : QStringLiteral("<none>");
}

// Every live level, unit, section and row with its values and its place (an orphan shows an
// empty place), as sorted lines.
inline QStringList storeLines(platform::ObjectContext& context)
{
    const QList<std::pair<QString, QStringList>> paths{
        {entity::Levels, {"levelNumber"}},
        {entity::Unit, {"level.levelNumber", "unitNumber", "generalRule", "generalRuleCode"}},
        {entity::Sections, {"unit.level.levelNumber", "unit.unitNumber", "sectionNumber", "rule"}},
        {entity::RelatedWords,
         {"section.unit.level.levelNumber", "section.unit.unitNumber", "section.sectionNumber",
          "word1", "bit1", "word2", "bit2", "word3", "bit3", "word4", "bit4", "word5", "bit5"}}};
    QStringList lines;
    for (const auto& [entityName, keyPaths] : paths) {
        const QList<ManagedObject*> objects =
            context.fetch(platform::FetchRequest::all(entityName)).value();
        for (const ManagedObject* object : objects) {
            QStringList line{entityName};
            for (const QString& path : keyPaths)
                line << object->valueForKeyPath(path).toString();
            lines << line.join('|');
        }
    }
    lines.sort();
    return lines;
}

struct LessonsStore : testsupport::StoreOnDisk {
    platform::UndoManager undo;

    // A file of its own, also for several stores in one test.
    LessonsStore()
        : StoreOnDisk(testsupport::sandboxRoot() + QStringLiteral("/lessons-%1.xml").arg(++made))
    {
    }
    static inline int made = 0;

    void fillFromFactoryFile()
    {
        testsupport::RecordingAlerts alerts;
        lexotrace::ConvertToCoreDataHelper converter(alerts);
        converter.setContextSource([this] { return context.get(); });
        converter.createLessonCoreDataFromXMLfile(QStringLiteral(ORTHOVA_SOURCE_DIR) +
                                                  "/resources/Lessons_Initiation_Data.xml");
    }

    // A level with units "1".."units" (the last with rule code `lastCode`), each with sections
    // "0".."sections - 1".
    ManagedObject* addLevel(int number, int units, int sections = 0, const QString& lastCode = {})
    {
        ManagedObject* level = context->insertNewObject(entity::Levels);
        level->setValue(key::levelNumber, QString::number(number));
        for (int u = 1; u <= units; ++u) {
            ManagedObject* unit = context->insertNewObject(entity::Unit);
            unit->setValue(key::unitNumber, QString::number(u));
            unit->setValue(key::generalRuleCode, u == units && !lastCode.isNull()
                                                     ? lastCode
                                                     : QString::number(number * 100 + u));
            unit->setToOne(key::level, level);
            for (int s = 0; s < sections; ++s) {
                ManagedObject* section = context->insertNewObject(entity::Sections);
                section->setValue(key::sectionNumber, QString::number(s));
                section->setToOne(key::unit, unit);
            }
        }
        return level;
    }

    ManagedObject* addRow(ManagedObject* section, const QString& word1, const QString& bit1 = {})
    {
        ManagedObject* row = context->insertNewObject(entity::RelatedWords);
        row->setValue(key::word(1), word1);
        if (!bit1.isNull())
            row->setValue(key::bit(1), bit1);
        row->setToOne(key::section, section);
        return row;
    }

    // Saves what was put in; changes from here on are recorded for undo, one step per action.
    void save()
    {
        context->save();
        context->setUndoManager(&undo);
        undo.removeAllActions();
        settle();
    }
};

struct Controllers {
    testsupport::RecordingAlerts alerts;
    lexotrace::LevelsArrayController levels;
    lexotrace::UnitsArrayController units;
    lexotrace::SectionsArrayController sections;
    lexotrace::RelatedWordsArrayController words;

    explicit Controllers(platform::ObjectContext* lessons)
        : levels(lessons), units(lessons, &levels, alerts), sections(lessons, &units),
          words(lessons, &sections, alerts)
    {
        levels.setUnitsArrayController(&units);
    }
};

// A store saved with `fill` done, and the controllers over it.
struct LessonsFixture {
    LessonsStore store;
    std::unique_ptr<Controllers> controllers;

    template <typename Fill> explicit LessonsFixture(Fill fill)
    {
        fill(store);
        store.save();
        controllers = std::make_unique<Controllers>(store.context.get());
    }
    lexotrace::LevelsArrayController& levels() { return controllers->levels; }
    lexotrace::UnitsArrayController& units() { return controllers->units; }
    lexotrace::SectionsArrayController& sections() { return controllers->sections; }
    lexotrace::RelatedWordsArrayController& words() { return controllers->words; }
    testsupport::RecordingAlerts& alerts() { return controllers->alerts; }
};

} // namespace lessonstest
