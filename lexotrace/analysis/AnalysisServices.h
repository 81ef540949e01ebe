#pragma once

#include "lexotrace/store/StoreContexts.h"
#include "model/PreferencesController.h"
#include "platform/DistributedNotificationCenter.h"
#include "platform/NotificationCenter.h"
#include "platform/ui/Alerts.h"

namespace lexotrace
{

// What the analysis window works with, lent by the application for the window's life.
struct AnalysisServices {
    StoreContexts& stores;
    platform::AlertPresenter& alerts;
    platform::NotificationCenter& notifications;
    // Where the word-pair store's path is set; none means no store.
    const model::PreferencesController* preferences = nullptr;
    // Where Typewarden's announcements arrive; none without a session bus.
    platform::DistributedNotificationCenter* announcements = nullptr;
    // Whether an empty word-pair list is told; not in a copy that is about to relaunch.
    bool tellsEmptyList = true;
};

} // namespace lexotrace
