#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

namespace platform
{
class AlertPresenter;
class FilePanels;
class UserDefaults;
} // namespace platform

namespace typewarden
{

class TypewardenModel;

// The list window's export and import commands. Export writes every pair of the agent's context
// into a file the user names and remembers that file as a bookmark; import reads the pairs of the
// last exported file back into the list, unsaved.
class TypewardenImportDelegate : public QObject
{
    Q_OBJECT
public:
    static constexpr int kScrollDelayMs = 500;

    TypewardenImportDelegate(platform::UserDefaults& defaults, platform::AlertPresenter& alerts,
                             platform::FilePanels& panels, TypewardenModel& model,
                             QObject* parent = nullptr);

    // The list window, which carries the save sheet.
    void setWindow(QWidget* window) { m_window = window; }
    QWidget* window() const { return m_window; }

    // Asks for a file in a save sheet and exports there when the user chooses one.
    void exportWordPairs();
    // Imports the last exported file. True when pairs were read (possibly none).
    bool importWordPairs();
    // Remembers the file for the next import. A missing file or folder is told in an alert and
    // clears the bookmark. True when a bookmark was stored.
    bool createExportBookmarkForURL(const QString& path);

signals:
    // Emitted kScrollDelayMs after an import: the list scrolls to its end.
    void scrollToEndOfListRequested();

private:
    platform::UserDefaults& m_defaults;
    platform::AlertPresenter& m_alerts;
    platform::FilePanels& m_panels;
    TypewardenModel& m_model;
    QPointer<QWidget> m_window;
};

} // namespace typewarden
