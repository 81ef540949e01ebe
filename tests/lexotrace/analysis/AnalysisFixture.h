#pragma once

#include "lexotrace/analysis/SpellErrorAnalysisController.h"
#include "lexotrace/app/LXMainAppController.h"
#include "lexotrace/xml/ConvertToCoreDataHelper.h"
#include "model/OrthovaModel.h"
#include "tests/support/ControllerFixture.h"
#include "tests/support/StoreOnDisk.h"
#include "tests/support/TestSupport.h"

namespace testsupport
{

using namespace lexotrace;

// An application controller with the factory lessons in memory and a word-pair store on disk.
struct AnalysisFixture : ControllerFixture {
    explicit AnalysisFixture(const QList<std::pair<QString, QString>>& pairs,
                             platform::DistributedNotificationCenter* distributed = nullptr)
    {
        app.setDistributedNotifications(distributed);
        model::PreferencesController::initialize(defaults);
        app.loadPreferencesController();
        OpenStore& lessons = stores.lessons;
        lessons.coordinator =
            std::make_shared<platform::StoreCoordinator>(model::orthovaCoreData());
        lessons.coordinator->addStore(testsupport::sandboxRoot() + "/lessons.xml", nullptr);
        lessons.context = std::make_unique<platform::ObjectContext>(lessons.coordinator);
        ConvertToCoreDataHelper converter(alerts);
        converter.setContextSource([&lessons] { return lessons.context.get(); });
        converter.createLessonCoreDataFromXMLfile(QStringLiteral(ORTHOVA_SOURCE_DIR) +
                                                  "/resources/Lessons_Initiation_Data.xml");

        store(pairs);
    }

    // Pairs given newest first, into the word-pair store the window will read.
    void store(const QList<std::pair<QString, QString>>& pairs)
    {
        const QString path = app.preferencesController()->typewardenErrorListXMLPath();
        StoreOnDisk store(path);
        qint64 ms = 1796670000000;
        for (const auto& [c, m] : pairs) {
            auto* pair = store.context->insertNewObject(model::entity::WordPair);
            pair->setValue(model::key::cSpell, c);
            pair->setValue(model::key::mSpell, m);
            // Stored newest first, so the order of the list comes from the time stamps.
            pair->setValue(model::key::tStamp, QDateTime::fromMSecsSinceEpoch(ms--, Qt::UTC));
        }
        if (!pairs.isEmpty())
            store.context->save();
    }

    SpellErrorAnalysisController& open()
    {
        app.showSpellErrorAnalysisWindow();
        app.spellErrorAnalysisController()->waitForBackgroundRun();
        return *app.spellErrorAnalysisController();
    }
};

} // namespace testsupport
