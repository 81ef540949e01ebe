#pragma once

#include "platform/accessibility/AccessibilityElement.h"

#include <QList>
#include <QPoint>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

namespace platform
{

// An application on the accessibility bus, under the name the capture code knows it by ("TextEdit"
// for the desktop's plain-text editors, "Pages" for its word processors, else its own name).
struct RunningApplication {
    QString name;
    qint64 pid = 0;
};

// Per-process events the capture code observes.
namespace axevent
{
inline const QString MenuOpened = QStringLiteral("AXMenuOpened");
inline const QString MenuClosed = QStringLiteral("AXMenuClosed");
inline const QString MainWindowChanged = QStringLiteral("AXMainWindowChanged");
inline const QString ApplicationActivated = QStringLiteral("AXApplicationActivated");
} // namespace axevent

// A change of another application's document text as that application reports it: the offset in
// characters (code points) before the change, and the text put in or taken out; or the caret
// moved to the offset; or the text took the keyboard focus. Changes arrive in the order the
// application made them, so they can be replayed on a copy of its text. Only editable text that
// holds a document (several lines, or a word processor's paragraph) is reported: not labels,
// menu items or one-line entries.
struct TextChange {
    enum class Kind { Inserted, Deleted, CaretMoved, Focused };
    Kind kind = Kind::Inserted;
    qint64 pid = 0;
    // The application's name as the capture code knows it ("TextEdit", "Pages", ...).
    QString application;
    // Names the element while it lives: equal names, same element.
    QString object;
    int offset = 0;
    QString text;
    // Reads the element's whole text now ("AXValue").
    AccessibilityElementRef element;
};

// A subscription to one event of one process; dropping it unsubscribes.
class ProcessObserver
{
public:
    virtual ~ProcessObserver() = default;
};

// The desktop's accessibility services: which applications run and which is active, their events,
// and the element under the pointer. Callbacks arrive on the main thread.
class DesktopAccessibility
{
public:
    struct WorkspaceHandlers {
        std::function<void(const RunningApplication&)> launched;
        std::function<void(const RunningApplication&)> terminated;
        std::function<void(const RunningApplication&)> activated;
    };

    virtual ~DesktopAccessibility() = default;

    // False when the desktop offers no accessibility bus (capture then cannot work).
    virtual bool isAvailable() const = 0;
    virtual QList<RunningApplication> runningApplications() = 0;
    virtual void setWorkspaceHandlers(WorkspaceHandlers handlers) = 0;
    // Nothing when the process cannot be observed.
    virtual std::unique_ptr<ProcessObserver> observe(qint64 pid, const QString& event,
                                                     std::function<void()> callback) = 0;
    // Every text change and caret move of every other application, until the subscription is
    // dropped; nothing when the desktop cannot report them.
    virtual std::unique_ptr<ProcessObserver>
    observeTextChanges(std::function<void(const TextChange&)> callback) = 0;
    // Pointer position in screen coordinates (top-left origin); nothing where it cannot be known
    // (Wayland).
    virtual std::optional<QPoint> pointerPosition() = 0;
    virtual AccessibilityElementRef elementAtPosition(const QPoint& point) = 0;
};

} // namespace platform
