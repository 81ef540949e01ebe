// GLib's headers name struct members "signals", which Qt defines as a macro: AT-SPI comes first.
#include <atspi/atspi.h>

#include "platform/accessibility/atspi/AtspiDesktopAccessibility.h"

#include "platform/accessibility/atspi/AtspiSession.h"
#include "platform/accessibility/atspi/detail/AtspiElement.h"
#include "platform/accessibility/atspi/detail/GObjectPtr.h"
#include "platform/accessibility/atspi/detail/X11Display.h"

#include <QCoreApplication>
#include <QHash>
#include <QSet>

#include <map>
#include <tuple>

namespace platform::atspi
{

namespace
{

constexpr int kMaximumDepth = 64;
// Elements remembered as holding a document or not; a word processor has one per paragraph.
constexpr int kKnownTexts = 4096;

using Accessible = GObjectPtr<AtspiAccessible>;

QByteArray busNameOf(AtspiAccessible* accessible)
{
    const auto* object = reinterpret_cast<const AtspiObject*>(accessible);
    return object && object->app ? QByteArray(object->app->bus_name) : QByteArray();
}

// Bus name and object path: what names an accessible while it lives.
QString objectKeyOf(AtspiAccessible* accessible)
{
    const auto* object = reinterpret_cast<const AtspiObject*>(accessible);
    if (!object || !object->app || !object->path)
        return {};
    return QString::fromUtf8(object->app->bus_name) + u':' + QString::fromUtf8(object->path);
}

Accessible childAt(AtspiAccessible* parent, gint index)
{
    GErrorSlot error;
    auto child = Accessible::adopt(atspi_accessible_get_child_at_index(parent, index, error.out()));
    return error.failed() ? Accessible() : child;
}

gint childCount(AtspiAccessible* parent)
{
    GErrorSlot error;
    const gint count = atspi_accessible_get_child_count(parent, error.out());
    return error.failed() ? -1 : count;
}

} // namespace

QString watchedApplicationName(const QString& desktopName)
{
    static const QStringList textEdit{
        QStringLiteral("TextEdit"), QStringLiteral("gedit"), QStringLiteral("gnome-text-editor"),
        QStringLiteral("kwrite"),   QStringLiteral("kate"),  QStringLiteral("mousepad"),
        QStringLiteral("pluma"),    QStringLiteral("xed"),   QStringLiteral("featherpad")};
    static const QStringList pages{QStringLiteral("Pages"), QStringLiteral("soffice"),
                                   QStringLiteral("libreoffice-writer"), QStringLiteral("abiword"),
                                   QStringLiteral("calligrawords")};
    // Toolkits differ in the case of the names they report ("AbiWord", "abiword").
    if (textEdit.contains(desktopName, Qt::CaseInsensitive))
        return QStringLiteral("TextEdit");
    if (pages.contains(desktopName, Qt::CaseInsensitive))
        return QStringLiteral("Pages");
    return desktopName;
}

class AtspiDesktopAccessibility::State : public std::enable_shared_from_this<State>
{
public:
    // Dropping it ends the subscription; it may outlive the desktop.
    class Observer : public ProcessObserver
    {
    public:
        Observer(std::weak_ptr<State> state, quint64 id) : m_state(std::move(state)), m_id(id) {}
        ~Observer() override
        {
            if (const std::shared_ptr<State> state = m_state.lock())
                state->subscriptions.erase(m_id);
        }

    private:
        std::weak_ptr<State> m_state;
        quint64 m_id;
    };

    struct Subscription {
        qint64 pid = 0;
        QString event;
        std::function<void()> callback;
        std::function<void(const TextChange&)> textCallback;
    };

    explicit State(std::shared_ptr<AtspiSession> owner) : session(std::move(owner))
    {
        if (!session)
            return;
        desktop = Accessible::adopt(atspi_get_desktop(0));
        x11 = X11Display::open();
        listener = GObjectPtr<AtspiEventListener>::adopt(
            atspi_event_listener_new(&State::onEvent, this, nullptr));
    }

    ~State()
    {
        for (const QByteArray& type : std::as_const(listenedTypes)) {
            GErrorSlot error;
            atspi_event_listener_deregister(listener.get(), type.constData(), error.out());
        }
    }

    void listenTo(const char* type)
    {
        if (!listener || listenedTypes.contains(type))
            return;
        GErrorSlot error;
        if (atspi_event_listener_register(listener.get(), type, error.out()))
            listenedTypes.insert(type);
    }

    // The application an accessible belongs to, asked once per bus connection.
    std::optional<RunningApplication> applicationOf(AtspiAccessible* accessible)
    {
        const QByteArray bus = busNameOf(accessible);
        if (bus.isEmpty())
            return std::nullopt;
        if (const auto known = applications.constFind(bus); known != applications.cend())
            return *known;
        GErrorSlot error;
        // The bus daemon answers this one, never the application.
        const qint64 pid = atspi_accessible_get_process_id(accessible, error.out());
        if (error.failed() || pid <= 0)
            return std::nullopt;
        QString name;
        if (pid == ownPid) {
            name = QCoreApplication::applicationName();
        } else {
            const Accessible app =
                Accessible::adopt(atspi_accessible_get_application(accessible, error.out()));
            if (error.failed() || !app)
                return std::nullopt;
            name = takeString(atspi_accessible_get_name(app.get(), error.out()));
            if (error.failed())
                return std::nullopt;
        }
        const RunningApplication running{watchedApplicationName(name), pid};
        applications.insert(bus, running);
        return running;
    }

    QList<std::pair<Accessible, RunningApplication>> applicationsOnBus()
    {
        QList<std::pair<Accessible, RunningApplication>> found;
        if (!desktop)
            return found;
        const gint count = childCount(desktop.get());
        for (gint i = 0; i < count; ++i) {
            Accessible app = childAt(desktop.get(), i);
            if (!app)
                continue;
            if (std::optional<RunningApplication> running = applicationOf(app.get()))
                found.append({std::move(app), *running});
        }
        return found;
    }

    // Calls each subscription that matches. Callbacks may drop subscriptions, theirs or others':
    // each is called on a copy, and only while it is still there.
    template <typename Matches, typename Call> void dispatch(Matches matches, Call call)
    {
        QList<quint64> ids;
        for (const auto& [id, subscription] : subscriptions)
            if (matches(subscription))
                ids << id;
        for (quint64 id : ids)
            if (const auto found = subscriptions.find(id); found != subscriptions.end())
                call(Subscription(found->second));
    }

    void notify(qint64 pid, const QString& event)
    {
        dispatch([&](const Subscription& s) { return s.pid == pid && s.event == event; },
                 [](const Subscription& s) { s.callback(); });
    }

    void activated(const RunningApplication& running)
    {
        notify(running.pid, axevent::ApplicationActivated);
        if (handlers.activated)
            handlers.activated(running);
    }

    // Another application (never this process, which cannot answer while it asks) with an active
    // window showing.
    std::optional<RunningApplication> applicationWithActiveWindow(qint64 except)
    {
        for (const auto& [app, info] : applicationsOnBus()) {
            if (info.pid == except || info.pid == ownPid)
                continue;
            const gint windows = childCount(app.get());
            for (gint i = 0; i < windows; ++i) {
                const Accessible window = childAt(app.get(), i);
                const auto states = window ? GObjectPtr<AtspiStateSet>::adopt(
                                                 atspi_accessible_get_state_set(window.get()))
                                           : GObjectPtr<AtspiStateSet>();
                if (states && atspi_state_set_contains(states.get(), ATSPI_STATE_ACTIVE) &&
                    atspi_state_set_contains(states.get(), ATSPI_STATE_SHOWING))
                    return info;
            }
        }
        return std::nullopt;
    }

    bool observed(qint64 pid, const QString& event) const
    {
        for (const auto& [id, subscription] : subscriptions)
            if (subscription.pid == pid && subscription.event == event)
                return true;
        return false;
    }

    static void onEvent(AtspiEvent* raw, void* data)
    {
        const std::unique_ptr<AtspiEvent, void (*)(AtspiEvent*)> event(
            raw, [](AtspiEvent* e) { g_boxed_free(ATSPI_TYPE_EVENT, e); });
        // A handler may drop the desktop; this state stays until the event is handled.
        // Events still queued are delivered while the state deregisters its listeners on the
        // way out: they are dropped.
        const std::shared_ptr<State> self = static_cast<State*>(data)->weak_from_this().lock();
        if (self)
            self->handle(*event);
    }

    void handle(const AtspiEvent& event)
    {
        const QByteArray type(event.type);
        if (!event.source)
            return;
        if (type.startsWith("object:children-changed:")) {
            if (!desktop || busNameOf(event.source) != busNameOf(desktop.get()) ||
                !G_VALUE_HOLDS(&event.any_data, ATSPI_TYPE_ACCESSIBLE))
                return;
            auto* app = static_cast<AtspiAccessible*>(g_value_get_object(&event.any_data));
            if (type.endsWith(":add")) {
                const std::optional<RunningApplication> running = applicationOf(app);
                if (running && handlers.launched)
                    handlers.launched(*running);
            } else if (type.endsWith(":remove")) {
                // Gone from the bus: only what was learnt before is left.
                const std::optional<RunningApplication> running = applications.take(busNameOf(app));
                if (running && running->pid == activePid)
                    activePid = 0;
                if (running && handlers.terminated)
                    handlers.terminated(*running);
            }
            return;
        }
        const std::optional<RunningApplication> running = applicationOf(event.source);
        if (!running)
            return;
        if (type.startsWith("object:text-changed:") || type == "object:text-caret-moved" ||
            (type == "object:state-changed:focused" && event.detail1 == 1)) {
            textChanged(event, *running);
        } else if (type == "window:activate") {
            const bool switched = running->pid != activePid;
            activePid = running->pid;
            // This process cannot answer while it asks.
            if (running->pid != ownPid && isFrame(event.source)) {
                // The frame coming back after one of its dialogs or menus is no new main window.
                const QString key = objectKeyOf(event.source);
                if (mainWindows.value(running->pid) != key) {
                    mainWindows.insert(running->pid, key);
                    notify(running->pid, axevent::MainWindowChanged);
                }
            }
            if (switched)
                activated(*running);
        } else if (type == "window:deactivate") {
            // A window may be activated and deactivated at once while another application keeps
            // its active window (a window shown without a window manager does that to the window
            // under the pointer): that application is the active one again.
            if (running->pid != activePid)
                return;
            const std::optional<RunningApplication> other =
                applicationWithActiveWindow(running->pid);
            if (other && other->pid != activePid) {
                activePid = other->pid;
                activated(*other);
            }
        } else if (type == "window:create") {
            if (running->pid != ownPid && isFrame(event.source))
                notify(running->pid, axevent::MainWindowChanged);
        } else if (type == "object:state-changed:showing" && running->pid != ownPid) {
            const QString& menuEvent = event.detail1 ? axevent::MenuOpened : axevent::MenuClosed;
            if (!observed(running->pid, menuEvent))
                return;
            GErrorSlot error;
            const AtspiRole role = atspi_accessible_get_role(event.source, error.out());
            if (!error.failed() && (role == ATSPI_ROLE_MENU || role == ATSPI_ROLE_POPUP_MENU))
                notify(running->pid, menuEvent);
        }
    }

    // Editable text with several lines, or a word processor's paragraph; asked once per element.
    bool holdsDocument(AtspiAccessible* accessible)
    {
        const QString key = objectKeyOf(accessible);
        if (const auto known = documentTexts.constFind(key); known != documentTexts.cend())
            return *known;
        GErrorSlot error;
        const AtspiRole role = atspi_accessible_get_role(accessible, error.out());
        const auto states =
            GObjectPtr<AtspiStateSet>::adopt(atspi_accessible_get_state_set(accessible));
        const bool document = !error.failed() && states &&
                              atspi_state_set_contains(states.get(), ATSPI_STATE_EDITABLE) &&
                              (role == ATSPI_ROLE_PARAGRAPH ||
                               atspi_state_set_contains(states.get(), ATSPI_STATE_MULTI_LINE));
        if (documentTexts.size() > kKnownTexts)
            documentTexts.clear();
        documentTexts.insert(key, document);
        return document;
    }

    static bool isFrame(AtspiAccessible* window)
    {
        GErrorSlot error;
        return atspi_accessible_get_role(window, error.out()) == ATSPI_ROLE_FRAME &&
               !error.failed();
    }

    void textChanged(const AtspiEvent& event, const RunningApplication& running)
    {
        if (running.pid == ownPid)
            return;
        const QByteArray type(event.type);
        TextChange change;
        if (type.startsWith("object:text-changed:insert"))
            change.kind = TextChange::Kind::Inserted;
        else if (type.startsWith("object:text-changed:delete"))
            change.kind = TextChange::Kind::Deleted;
        else if (type == "object:text-caret-moved")
            change.kind = TextChange::Kind::CaretMoved;
        else if (type == "object:state-changed:focused")
            change.kind = TextChange::Kind::Focused;
        else
            return;
        const bool carriesText =
            change.kind == TextChange::Kind::Inserted || change.kind == TextChange::Kind::Deleted;
        if (event.detail1 < 0 || (carriesText && !G_VALUE_HOLDS_STRING(&event.any_data)))
            return;
        if (!holdsDocument(event.source))
            return;
        change.pid = running.pid;
        change.application = running.name;
        change.object = objectKeyOf(event.source);
        change.offset = event.detail1;
        if (carriesText)
            change.text = QString::fromUtf8(g_value_get_string(&event.any_data));
        change.element = AtspiElement::wrap(GObjectPtr<AtspiAccessible>::retain(event.source));
        dispatch([](const Subscription& s) { return bool(s.textCallback); },
                 [&](const Subscription& s) { s.textCallback(change); });
    }

    const std::shared_ptr<AtspiSession> session;
    const qint64 ownPid = QCoreApplication::applicationPid();
    Accessible desktop;
    std::unique_ptr<X11Display> x11;
    GObjectPtr<AtspiEventListener> listener;
    QSet<QByteArray> listenedTypes;
    QHash<QByteArray, RunningApplication> applications; // by bus connection
    qint64 activePid = 0;
    QHash<qint64, QString> mainWindows; // the frame last activated, by process
    QHash<QString, bool> documentTexts; // whether an element's text is a document
    WorkspaceHandlers handlers;
    std::map<quint64, Subscription> subscriptions;
    quint64 nextId = 1;
};

AtspiDesktopAccessibility::AtspiDesktopAccessibility(std::shared_ptr<AtspiSession> session)
    : m_state(std::make_shared<State>(std::move(session)))
{
}

AtspiDesktopAccessibility::~AtspiDesktopAccessibility() = default;

bool AtspiDesktopAccessibility::isAvailable() const
{
    return m_state->desktop && childCount(m_state->desktop.get()) >= 0;
}

QList<RunningApplication> AtspiDesktopAccessibility::runningApplications()
{
    QList<RunningApplication> running;
    for (const auto& [app, info] : m_state->applicationsOnBus())
        running << info;
    return running;
}

void AtspiDesktopAccessibility::setWorkspaceHandlers(WorkspaceHandlers handlers)
{
    m_state->handlers = std::move(handlers);
    m_state->listenTo("object:children-changed");
    m_state->listenTo("window:activate");
    m_state->listenTo("window:deactivate");
    m_state->applicationsOnBus(); // learns names now, while every application can still answer
}

std::unique_ptr<ProcessObserver>
AtspiDesktopAccessibility::observe(qint64 pid, const QString& event, std::function<void()> callback)
{
    if (!m_state->desktop || pid <= 0 || pid == m_state->ownPid || !callback)
        return nullptr;
    if (event == axevent::MenuOpened || event == axevent::MenuClosed) {
        m_state->listenTo("object:state-changed:showing");
    } else if (event == axevent::MainWindowChanged || event == axevent::ApplicationActivated) {
        m_state->listenTo("window:activate");
        m_state->listenTo("window:create");
    } else {
        return nullptr;
    }
    bool onBus = false;
    for (const auto& [app, info] : m_state->applicationsOnBus())
        onBus = onBus || info.pid == pid;
    if (!onBus)
        return nullptr;
    const quint64 id = m_state->nextId++;
    m_state->subscriptions[id] = State::Subscription{pid, event, std::move(callback), {}};
    return std::make_unique<State::Observer>(m_state, id);
}

std::unique_ptr<ProcessObserver>
AtspiDesktopAccessibility::observeTextChanges(std::function<void(const TextChange&)> callback)
{
    if (!m_state->desktop || !callback)
        return nullptr;
    m_state->listenTo("object:text-changed");
    m_state->listenTo("object:text-caret-moved");
    m_state->listenTo("object:state-changed:focused");
    if (!m_state->listenedTypes.contains("object:text-changed"))
        return nullptr;
    const quint64 id = m_state->nextId++;
    m_state->subscriptions[id] = State::Subscription{0, {}, {}, std::move(callback)};
    return std::make_unique<State::Observer>(m_state, id);
}

std::optional<QPoint> AtspiDesktopAccessibility::pointerPosition()
{
    return m_state->x11 ? m_state->x11->pointerPosition() : std::nullopt;
}

AccessibilityElementRef AtspiDesktopAccessibility::elementAtPosition(const QPoint& point)
{
    State& state = *m_state;
    // The X server knows which top-level window is on top; the bus does not.
    const std::optional<QRect> onTop = state.x11 ? state.x11->topLevelRectAt(point) : std::nullopt;
    Accessible best;
    std::tuple<bool, bool, bool, qint64> bestRank{};
    for (const auto& [app, info] : state.applicationsOnBus()) {
        if (info.pid == state.ownPid)
            continue;
        const gint windows = childCount(app.get());
        for (gint i = 0; i < windows; ++i) {
            Accessible window = childAt(app.get(), i);
            auto component = window ? GObjectPtr<AtspiComponent>::adopt(
                                          atspi_accessible_get_component_iface(window.get()))
                                    : GObjectPtr<AtspiComponent>();
            if (!component)
                continue;
            const auto states =
                GObjectPtr<AtspiStateSet>::adopt(atspi_accessible_get_state_set(window.get()));
            if (!states || !atspi_state_set_contains(states.get(), ATSPI_STATE_SHOWING))
                continue;
            GErrorSlot error;
            const GMemoryPtr<AtspiRect> extents(
                atspi_component_get_extents(component.get(), ATSPI_COORD_TYPE_SCREEN, error.out()));
            if (error.failed() || !extents)
                continue;
            const QRect rect(extents->x, extents->y, extents->width, extents->height);
            if (!rect.contains(point))
                continue;
            const std::tuple<bool, bool, bool, qint64> rank{
                onTop && onTop->contains(rect),
                bool(atspi_state_set_contains(states.get(), ATSPI_STATE_ACTIVE)),
                info.pid == state.activePid, -qint64(rect.width()) * rect.height()};
            if (!best || rank > bestRank) {
                best = std::move(window);
                bestRank = rank;
            }
        }
    }
    // Down to the deepest element that still holds the point.
    Accessible current = best;
    for (int depth = 0; current && depth < kMaximumDepth; ++depth) {
        const auto component =
            GObjectPtr<AtspiComponent>::adopt(atspi_accessible_get_component_iface(current.get()));
        if (!component)
            break;
        GErrorSlot error;
        Accessible deeper = Accessible::adopt(atspi_component_get_accessible_at_point(
            component.get(), point.x(), point.y(), ATSPI_COORD_TYPE_SCREEN, error.out()));
        if (error.failed() || !deeper || deeper.get() == current.get())
            break;
        current = std::move(deeper);
    }
    return AtspiElement::wrap(std::move(current));
}

} // namespace platform::atspi
