#pragma once

#include <QString>

#include <functional>
#include <optional>

class QWidget;

namespace platform
{

// Open and save panels, behind an interface so that controllers can be tested without a person.
class FilePanels
{
public:
    virtual ~FilePanels() = default;
    // A save panel as a sheet on the window; the completion gets the chosen path, or nothing when
    // the user cancelled.
    virtual void beginSaveSheet(QWidget* window, const QString& proposedName,
                                std::function<void(std::optional<QString>)> completion) = 0;
};

// Qt Widgets: a window-modal QFileDialog opened with open().
class WidgetFilePanels : public FilePanels
{
public:
    void beginSaveSheet(QWidget* window, const QString& proposedName,
                        std::function<void(std::optional<QString>)> completion) override;
};

} // namespace platform
