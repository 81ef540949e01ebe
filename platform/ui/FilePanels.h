#pragma once

#include <QString>

#include <functional>
#include <optional>

class QWidget;

namespace platform
{

// Open, save and folder panels, behind an interface so that controllers can be tested without a
// person.
class FilePanels
{
public:
    // What a folder panel shows.
    struct FolderRequest {
        QString directory; // shown first
        QString prompt;    // the accept button
        QString message;
    };

    // What a save panel shows and allows.
    struct SaveRequest {
        SaveRequest(const QString& name = {}, const QString& panelTitle = {},
                    const QString& onlyExtension = {})
            : proposedName(name), title(panelTitle), extension(onlyExtension)
        {
        }
        QString proposedName;
        QString title;
        QString extension; // when set, the only one allowed: added to a name without it
    };

    virtual ~FilePanels() = default;
    // A save panel as a sheet on the window; the completion gets the chosen path, or nothing when
    // the user cancelled.
    virtual void beginSaveSheet(QWidget* window, const SaveRequest& request,
                                std::function<void(std::optional<QString>)> completion) = 0;
    // A panel of folders only, standing alone and not blocking the program; the completion gets
    // the chosen folder, or nothing when the user cancelled.
    virtual void beginFolderPanel(const FolderRequest& request,
                                  std::function<void(std::optional<QString>)> completion) = 0;
};

// Qt Widgets: a QFileDialog opened without blocking.
class WidgetFilePanels : public FilePanels
{
public:
    // Window-modal on the window, opened with open().
    void beginSaveSheet(QWidget* window, const SaveRequest& request,
                        std::function<void(std::optional<QString>)> completion) override;
    // Non-modal and without a parent window, showing directories only.
    void beginFolderPanel(const FolderRequest& request,
                          std::function<void(std::optional<QString>)> completion) override;
};

} // namespace platform
