#include "typewarden/capture/CaptureCoordinator.h"

#include "model/TypewardenDefaults.h"
#include "typewarden/capture/ApplicationWatcher.h"
#include "typewarden/capture/ComparisonScript.h"
#include "typewarden/capture/PointerTimer.h"
#include "typewarden/capture/SpellingPanelReader.h"
#include "typewarden/capture/TextComparison.h"
#include "typewarden/capture/TypingCapture.h"
#include "typewarden/capture/WordEditTracker.h"

#include <QFileInfo>
#include <QLoggingCategory>

namespace typewarden
{

namespace
{
Q_LOGGING_CATEGORY(lcCapture, "typewarden.capture")
const QString kTextEdit = QStringLiteral("TextEdit");
const QString kPages = QStringLiteral("Pages");
constexpr qint64 kSamePairMs = 3000;
} // namespace

CaptureCoordinator::CaptureCoordinator(Peers peers) : m_peers(std::move(peers))
{
    m_panel = std::make_unique<SpellingPanelReader>([this] { return getActiveAppName(); });
    const PairHandOver handOver = [this](const model::WordPair& pair) { this->handOver(pair); };
    m_comparison = std::make_unique<TextComparison>(
        *m_peers.defaults, handOver,
        FlagAccess{[this] { return m_keyboard->controlKeyDownFlag(); },
                   [this] { m_keyboard->controlKeyDownFlagStorage() = false; }},
        FlagAccess{[this] { return m_panel->spellCheckWindowOpenFlag(); },
                   [this] { m_panel->setSpellCheckWindowOpenFlag(false); }});
    m_script =
        std::make_unique<ComparisonScript>(*m_peers.alerts, *m_peers.panels, m_peers.shippedScript);
    connect(m_script.get(), &ComparisonScript::answered, this,
            [this](const QStringList& answer) { m_comparison->evaluate(answer); });
    m_edits = std::make_unique<WordEditTracker>();
    connect(m_edits.get(), &WordEditTracker::wordReplaced, this,
            [this](const QString& before, const QString& after) {
                // Only while capture is on: a watched application in the background corrects
                // nothing of the writer's.
                if (m_peers.monitors && m_peers.monitors->hasKeyDownMonitor())
                    m_comparison->evaluateWords(before, after);
            });
    m_keyboard = std::make_unique<TypingCapture>(
        *m_panel, handOver,
        TypingCapture::TypingPeers{
            m_peers.monitors, m_comparison.get(),
            [this](const QString& application, const QString& oldText) {
                return compareFrontDocument(application, oldText);
            },
            [this] { emit toggleLastCorrectionRequested(); }, [this] { emit saveRequested(); },
            [this](const platform::KeyDownEvent& key) { m_edits->keyPressed(key); }});
    if (m_peers.desktop) {
        m_pointer = std::make_unique<PointerTimer>(
            *m_peers.desktop, [this](const platform::AccessibilityElementRef& element) {
                const bool inPanel = m_panel->getSpellingAndGrammarWindowButtonWithElement(
                    element, getActiveAppName());
                qCDebug(lcCapture) << "under the pointer:"
                                   << element->valueOfAttribute(platform::ax::Role).toString()
                                   << element->valueOfAttribute(platform::ax::Title).toString()
                                   << (inPanel ? "(spelling panel)" : "");
            });
        m_observers = std::make_unique<ApplicationWatcher>(
            *m_peers.desktop,
            ApplicationWatcher::Callbacks{
                [this](const QString& name) { return userPreferenceMask(name); },
                [this](const QString& name) { startCaptureForApp(name); },
                [this] { stopCapture(); }, [this] { m_keyboard->resetBaseStringOfApplication(); },
                [this] { m_panel->resetConsoleMonitoringElements(); },
                // Menus opening and closing are followed but take no capture action.
                [](const QString& notification, const QVariantMap& info) {
                    qCDebug(lcCapture) << notification << info;
                }},
            m_peers.ownPid);
    }
}

CaptureCoordinator::~CaptureCoordinator() = default;

void CaptureCoordinator::handOver(const model::WordPair& pair)
{
    if (m_sinceLastPair.isValid() && m_sinceLastPair.elapsed() < kSamePairMs &&
        pair.mSpell == m_lastPair.mSpell && pair.cSpell == m_lastPair.cSpell) {
        qCDebug(lcCapture).noquote() << "already captured:" << pair.mSpell << "->" << pair.cSpell;
        return;
    }
    m_lastPair = pair;
    m_sinceLastPair.start();
    emit pairCaptured(pair);
}

bool CaptureCoordinator::compareFrontDocument(const QString& application, const QString& oldText)
{
    // An application that reports its text changes needs no second reader.
    if (m_observers && m_edits->reportsTextOf(m_observers->activePid()))
        return true;
    return m_script->runDifferenceScript(application, oldText);
}

bool CaptureCoordinator::accessibilityAvailable() const
{
    return m_peers.desktop && m_peers.desktop->isAvailable() && m_peers.monitors;
}

QString CaptureCoordinator::getActiveAppName() const
{
    return m_observers ? m_observers->getActiveAppName() : QString();
}

void CaptureCoordinator::setupApplicationActivityMonitor()
{
    if (!accessibilityAvailable()) {
        if (!m_reportedUnavailable)
            qCWarning(lcCapture) << "The desktop's accessibility bus is not available: Typewarden "
                                    "keeps its list but cannot capture corrections.";
        m_reportedUnavailable = true;
        return;
    }
    m_observers->setupApplicationActivityMonitor();
    m_textChanges = m_peers.desktop->observeTextChanges([this](const platform::TextChange& change) {
        // Every change of a watched application's documents is followed, also while it is not
        // the active one (or not yet counted as activated), so that its copies stay true.
        if (userPreferenceMask(change.application))
            m_edits->textChanged(change);
    });
    if (!m_textChanges)
        qCWarning(lcCapture) << "the text changes of other applications cannot be followed: "
                                "typed corrections are read by the comparison script";
}

void CaptureCoordinator::checkForComparisonScript()
{
    // Offering to install a script this build does not ship would only fail.
    if (!QFileInfo::exists(m_peers.shippedScript)) {
        qCWarning(lcCapture).noquote()
            << "no comparison script ships with this build:" << m_peers.shippedScript;
        return;
    }
    m_script->trackFrontDocumentScriptTask();
}

void CaptureCoordinator::offerComparisonScript()
{
    m_script->installScriptAlert();
}

bool CaptureCoordinator::userPreferenceMask(const QString& applicationName) const
{
    if (applicationName == kPages)
        return m_peers.defaults->boolForKey(defaults::Pages);
    if (applicationName == kTextEdit)
        return m_peers.defaults->boolForKey(defaults::TextEdit);
    return false;
}

void CaptureCoordinator::startCaptureForApp(const QString& applicationName)
{
    if (applicationName != kTextEdit && applicationName != kPages)
        return;
    qCInfo(lcCapture).noquote() << "watching" << applicationName;
    m_keyboard->consoleDirectoryInputForApp(applicationName);
    if (m_pointer)
        m_pointer->setupTimerBasedUpdate();
}

void CaptureCoordinator::stopCapture()
{
    // The word under correction is taken as it stands before the pairs are saved.
    m_edits->finishPending();
    // Removing the key monitor saves the word pairs.
    m_keyboard->removeKeyDownMonitor();
    m_keyboard->removeMouseUpMonitor();
}

void CaptureCoordinator::terminate()
{
    if (m_observers)
        m_observers->quitAllApplicationActivityMonitorObservers();
    stopCapture();
    m_textChanges.reset();
}

} // namespace typewarden
