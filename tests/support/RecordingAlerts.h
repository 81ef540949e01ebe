#pragma once

#include "platform/ui/Alerts.h"

#include <QList>

namespace testsupport
{

// Records every beep, alert and sheet; modal alerts and sheets are answered at once with
// `answer` (the index of the button pressed), unless sheets are held for the test to finish.
class RecordingAlerts : public platform::AlertPresenter
{
public:
    struct Shown {
        platform::AlertSpec alert;
        QWidget* window = nullptr;
        bool sheet = false;
    };

    void beep() override { ++beeps; }
    int runModal(const platform::AlertSpec& alert) override
    {
        shown.append({alert, nullptr, false});
        return answer;
    }
    void beginSheet(const platform::AlertSpec& alert, QWidget* window,
                    std::function<void(int)> completion) override
    {
        shown.append({alert, window, true});
        if (holdSheets)
            pendingSheets.append(std::move(completion));
        else if (completion)
            completion(answer);
    }

    // Dismisses the held sheet at that place (0: the oldest) with the button index.
    bool dismissSheet(int sheet = 0, int button = 0)
    {
        if (sheet < 0 || sheet >= pendingSheets.size())
            return false;
        auto completion = pendingSheets.takeAt(sheet);
        if (completion)
            completion(button);
        if (pendingSheets.isEmpty())
            for (const auto& then : std::exchange(whenNoSheets, {}))
                then();
        return true;
    }

    void afterSheets(QWidget*, std::function<void()> then) override
    {
        if (pendingSheets.isEmpty())
            then();
        else
            whenNoSheets.append(std::move(then));
    }

    int sheetCount() const
    {
        int n = 0;
        for (const auto& s : shown)
            n += s.sheet ? 1 : 0;
        return n;
    }

    int beeps = 0;
    int answer = 0;
    bool holdSheets = false;
    QList<Shown> shown;
    QList<std::function<void(int)>> pendingSheets;
    QList<std::function<void()>> whenNoSheets;
};

} // namespace testsupport
