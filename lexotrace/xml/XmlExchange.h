#pragma once

#include "platform/ui/FilePanels.h"

#include <QLoggingCategory>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>

Q_DECLARE_LOGGING_CATEGORY(lcXmlExchange)

namespace platform
{
class AlertPresenter;
class UndoManager;
class UserDefaults;
} // namespace platform

namespace lexotrace
{

// A window's Export and Import of its XML file. Export writes the file the user names in a save
// sheet and remembers it under a user-default key; Import, once confirmed, reads that same file
// again, so the user's cycle is export, edit the file elsewhere, import.
class XmlExchange : public QObject
{
    Q_OBJECT
public:
    // What differs between the lessons and the rules windows.
    struct Kind {
        platform::FilePanels::SaveRequest panel; // the export's save sheet
        QString bookmarkKey;                     // the remembered file
        QString confirmation;                    // the import's question
        QString confirmationDetail;              // and its informative text
        QString noFileMessage;                   // told when nothing was exported yet
        QString emptyFileMessage; // told when a file holds nothing; %1 is the file's name
        QString leftAsTheyWere;   // and that the store is unchanged
    };
    // Writes the window's file at the path; false when it could not.
    using Writer = std::function<bool(const QString& path)>;
    // Reads the file at the path into the window's store.
    using Reader = std::function<void(const QString& path)>;

    XmlExchange(Kind kind, platform::UserDefaults& defaults, platform::AlertPresenter& alerts,
                platform::FilePanels& panels, QObject* parent = nullptr);

    // The window that carries the sheets.
    void setWindow(QWidget* window) { m_window = window; }

    // Asks for a file in a save sheet, remembers it and writes it there.
    void exportXML(Writer write);
    // Remembers the file for the next import; false (after an alert) when it cannot.
    bool createExportBookmarkForURL(const QString& path);
    // Asks for confirmation; on OK, reads the remembered file on the next turn of the event loop.
    void importXML(Reader read);
    // Asks the same question for a file the user dropped; on OK, reads that file.
    void importFile(const QString& path, Reader read);
    // Reads the remembered file now; false (after telling the user) when there is none.
    bool retrieveBookmarkAndRead(const Reader& read);

    // What reading an import file gave.
    enum class ReadResult { Something, Nothing, Unreadable };
    // Empties the store and reads the file as one undo step, so that the user can take both back
    // at once, and nothing done before them. When the store could not be emptied (it has told the
    // user why) or the file gave nothing, the step is undone and false answered; a file that held
    // nothing is told here, an unreadable one by its reader.
    bool replaceAsOneStep(platform::UndoManager& undo, const QString& path,
                          const std::function<bool()>& empty,
                          const std::function<ReadResult()>& read);

private:
    void confirmThen(std::function<void()> import);

    Kind m_kind;
    platform::UserDefaults& m_defaults;
    platform::AlertPresenter& m_alerts;
    platform::FilePanels& m_panels;
    QPointer<QWidget> m_window;
};

} // namespace lexotrace
