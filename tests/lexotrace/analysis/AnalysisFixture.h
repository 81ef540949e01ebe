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

    // Pairs given newest first, into the word-pair store the window will read: the order of
    // the list comes from the time stamps.
    void store(const QList<std::pair<QString, QString>>& pairs)
    {
        QList<model::WordPair> entries;
        for (const auto& [c, m] : pairs)
            entries.append({c, m});
        saveWordPairs(app.preferencesController()->typewardenErrorListXMLPath(), entries, -1);
    }

    SpellErrorAnalysisController& open()
    {
        app.showSpellErrorAnalysisWindow();
        app.spellErrorAnalysisController()->waitForBackgroundRun();
        return *app.spellErrorAnalysisController();
    }
};

} // namespace testsupport
