#pragma once

#include "platform/ui/FilePanels.h"

namespace testsupport
{

// File panels that a person would have cancelled, unless `chosen` names a file or folder.
struct ScriptedPanels : platform::FilePanels {
    std::optional<QString> chosen;
    void beginSaveSheet(QWidget*, const SaveRequest&,
                        std::function<void(std::optional<QString>)> completion) override
    {
        completion(chosen);
    }
    void beginFolderPanel(const FolderRequest&,
                          std::function<void(std::optional<QString>)> completion) override
    {
        completion(chosen);
    }
};

} // namespace testsupport
