#pragma once

#include "lexotrace/analysis/SpellErrorAnalysisController.h"
#include "lexotrace/app/LXMainAppController.h"
#include "lexotrace/xml/ConvertToCoreDataHelper.h"
#include "model/OrthovaModel.h"
#include "tests/support/ControllerFixture.h"
#include "tests/support/TestSupport.h"

namespace testsupport
{

using namespace lexotrace;

// An application controller with the factory lessons in memory and a word-pair store on disk.
struct AnalysisFixture : ControllerFixture {
    std::shared_ptr<platform::StoreCoordinator> lessonsStore;
    std::unique_ptr<platform::ObjectContext> lessons;

    explicit AnalysisFixture(const QList<std::pair<QString, QString>>& pairs,
                             platform::DistributedNotificationCenter* distributed = nullptr)
    {
        app.setDistributedNotifications(distributed);
        model::PreferencesController::initialize(defaults);
        app.loadPreferencesController();
        lessonsStore = std::make_shared<platform::StoreCoordinator>(model::orthovaCoreData());
        lessonsStore->addStore(testsupport::sandboxRoot() + "/lessons.xml", nullptr);
        lessons = std::make_unique<platform::ObjectContext>(lessonsStore);
        ConvertToCoreDataHelper converter(alerts);
        converter.setContextSource([this] { return lessons.get(); });
        converter.createLessonCoreDataFromXMLfile(QStringLiteral(ORTHOVA_SOURCE_DIR) +
                                                  "/resources/Lessons_Initiation_Data.xml");
        app.setLessonsDBase(lessons.get());

        const QString path = app.preferencesController()->typewardenErrorListXMLPath();
        auto coordinator = std::make_shared<platform::StoreCoordinator>(model::orthovaCoreData());
        coordinator->addStore(path, nullptr);
        platform::ObjectContext store(coordinator);
        qint64 ms = 1796670000000;
        for (const auto& [c, m] : pairs) {
            auto* pair = store.insertNewObject(model::entity::WordPair);
            pair->setValue(model::key::cSpell, c);
            pair->setValue(model::key::mSpell, m);
            // Stored newest first, so the order of the list comes from the time stamps.
            pair->setValue(model::key::tStamp, QDateTime::fromMSecsSinceEpoch(ms--, Qt::UTC));
        }
        if (!pairs.isEmpty())
            store.save();
    }

    SpellErrorAnalysisController& open()
    {
        app.showSpellErrorAnalysisWindow();
        app.spellErrorAnalysisController()->waitForBackgroundRun();
        return *app.spellErrorAnalysisController();
    }
};

} // namespace testsupport
