#pragma once

#include "platform/DistributedNotificationCenter.h"

#include <functional>

namespace testsupport
{

// Keeps every posted notification; onPost runs at the moment of posting, before it is recorded.
class RecordingNotifications : public platform::DistributedNotificationCenter
{
public:
    struct Posted {
        QString name;
        QString object;
        QVariantMap userInfo;
    };

    bool post(const QString& name, const QString& object, const QVariantMap& userInfo) override
    {
        if (onPost)
            onPost();
        posted.append({name, object, userInfo});
        return postResult;
    }
    bool addObserver(const QString&, const QString&, QObject*, Handler) override { return false; }
    void removeObserver(QObject*) override {}

    QList<Posted> posted;
    std::function<void()> onPost;
    bool postResult = true;
};

} // namespace testsupport
