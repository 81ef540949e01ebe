#include "lexotrace/analysis/SpellErrorAnalysisController.h"

#include "lexotrace/analysis/AnalysisTableView.h"
#include "lexotrace/analysis/AnalysisWindowController.h"
#include "model/OrthovaModel.h"
#include "model/WordPairAnnouncement.h"
#include "platform/MemoryRelease.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProgressBar>
#include <QStatusBar>
#include <QTableView>
#include <QThread>

#include <utility>

Q_LOGGING_CATEGORY(lcAnalysis, "lexotrace.analysis")

namespace lexotrace
{

SpellErrorAnalysisController::SpellErrorAnalysisController(AnalysisServices services)
    : WindowController(QStringLiteral("SpellErrorAnalysisController"),
                       tr("Spelling Error Analysis")),
      m_services(services), m_model(services.stores.wordErrors, services.preferences)
{
    qCDebug(lcAnalysis) << "SpellErrorAnalysisController init";
    m_progress = new QProgressBar(window());
    m_progress->setRange(0, 0); // busy
    m_progress->setMaximumWidth(160);
    m_progress->hide();
    window()->statusBar()->addPermanentWidget(m_progress);
    m_afterBurst.setSingleShot(true);
    m_afterBurst.setInterval(1000);
    connect(&m_afterBurst, &QTimer::timeout, this, [] { platform::releaseFreeMemory(); });

    m_windowController = std::make_unique<AnalysisWindowController>(m_services, m_rows, window());
    connect(m_windowController.get(), &AnalysisWindowController::lessonsWindowRequested, this,
            &SpellErrorAnalysisController::lessonsWindowRequested);
    window()->setCentralWidget(m_windowController->analysisTableView());
    connect(this, &SpellErrorAnalysisController::emptyListMessageRequested,
            m_windowController.get(), &AnalysisWindowController::postEmptyListMessage);
    connect(this, &SpellErrorAnalysisController::scrollToEndRequested,
            m_windowController->analysisTableView(), &AnalysisTableView::scrollToEndOfList);
}

QList<QAction*> SpellErrorAnalysisController::fileMenuActions() const
{
    return {m_windowController->printAction()};
}

SpellErrorAnalysisController::~SpellErrorAnalysisController()
{
    if (m_services.announcements)
        m_services.announcements->removeObserver(this);
    // Rows still queued for this controller are dropped with it; the run stops at its next row.
    m_cancelled = true;
    if (m_thread)
        m_thread->wait();
}

std::optional<QList<ErrorEntry>> SpellErrorAnalysisController::getErrorWordList()
{
    platform::ObjectContext* context = m_model.wordErrorDBase();
    platform::StoreError error;
    const auto pairs =
        context ? context->fetch({model::entity::WordPair,
                                  {},
                                  {{model::key::tStamp, true, platform::Comparison::Plain}},
                                  0},
                                 &error)
                : std::nullopt;
    if (!pairs) {
        if (context && m_model.wordErrorManager()->hasStore())
            m_services.alerts.runModal(platform::AlertPresenter::alertWithError(error));
        return std::nullopt;
    }
    QList<ErrorEntry> entries;
    entries.reserve(pairs->size());
    for (const platform::ManagedObject* pair : *pairs)
        entries.append({pair->string(model::key::cSpell), pair->string(model::key::mSpell)});
    return entries;
}

QList<platform::ManagedObject*> SpellErrorAnalysisController::getRelatedWordsOfCoreData()
{
    platform::ObjectContext* context = m_services.stores.lessons.context.get();
    platform::StoreError error;
    const auto rows =
        context ? context->fetch(platform::FetchRequest::all(model::entity::RelatedWords), &error)
                : std::nullopt;
    if (!rows) {
        if (!context)
            error = platform::StoreError::make(platform::StoreError::NoStore,
                                               tr("The lessons store is not available."));
        m_services.alerts.runModal(platform::AlertPresenter::alertWithError(error));
        return {};
    }
    return *rows;
}

void SpellErrorAnalysisController::ensureSnapshot()
{
    // Taken once, on the main thread; later lesson edits are seen at the next start.
    if (!m_snapshot || m_snapshot->isEmpty())
        m_snapshot = LessonsSnapshot::fromRows(getRelatedWordsOfCoreData());
}

void SpellErrorAnalysisController::beginProgressIndicator()
{
    QMetaObject::invokeMethod(this, [this] {
        ++m_running;
        m_progress->show();
        emit progressChanged(true);
    });
}

void SpellErrorAnalysisController::endProgressIndicator()
{
    QMetaObject::invokeMethod(this, [this] {
        m_running = 0;
        if (!m_loading)
            m_progress->hide();
        emit progressChanged(false);
    });
}

namespace
{

// Rows the run has made and the window has not yet been given.
struct RowBatch {
    QList<AnalysisRow> rows;
    QElapsedTimer sinceSent;
    bool progressShown = false;
};

// A batch goes to the window when it is this large or this old, so the first rows show at once
// and a long run costs a few hundred insertions, not one per row.
constexpr qsizetype kBatchRows = 2000;
constexpr qint64 kBatchMilliseconds = 40;

} // namespace

AnalysisEngine::Callbacks SpellErrorAnalysisController::callbacks(bool background)
{
    AnalysisEngine::Callbacks c;
    if (background) {
        // Rows reach the list on the main thread in batches, in the order they are made; the
        // run never waits for the window, not even for the rows it marks `wait`.
        auto batch = std::make_shared<RowBatch>();
        batch->sinceSent.start();
        const auto send = [this, batch] {
            if (!batch->rows.isEmpty() && !m_cancelled)
                QMetaObject::invokeMethod(
                    this, [this, rows = std::exchange(batch->rows, {})] { m_rows.append(rows); },
                    Qt::QueuedConnection);
            batch->rows.clear();
            batch->sinceSent.restart();
        };
        // Every root word search starts the progress again; the window needs telling once.
        c.beginProgress = [this, batch] {
            if (!std::exchange(batch->progressShown, true))
                beginProgressIndicator();
        };
        c.append = [this, batch, send](const AnalysisRow& row, bool) {
            if (m_cancelled)
                return;
            batch->rows.append(row);
            if (batch->rows.size() >= kBatchRows || batch->sinceSent.hasExpired(kBatchMilliseconds))
                send();
        };
        c.endProgress = [this, send] {
            send();
            endProgressIndicator();
        };
    } else {
        c.append = [this](const AnalysisRow& row, bool) { m_rows.append(row); };
        c.beginProgress = [this] { beginProgressIndicator(); };
        c.endProgress = [this] { endProgressIndicator(); };
    }
    c.scrollToEnd = [this] {
        QMetaObject::invokeMethod(
            this, [this] { emit scrollToEndRequested(); }, Qt::QueuedConnection);
    };
    return c;
}

void SpellErrorAnalysisController::wake()
{
    listenForAnnouncements();
    showStoredPairs();
}

void SpellErrorAnalysisController::listenForAnnouncements()
{
    if (std::exchange(m_listening, true))
        return;
    if (platform::DistributedNotificationCenter* center = m_services.announcements) {
        center->addObserver(
            model::announcement::Name, model::announcement::Object, this,
            [this](const QVariantMap& userInfo) { typewardenCallbackWithNotification(userInfo); });
        qCDebug(lcAnalysis) << "listening for" << model::announcement::Name;
    }
}

void SpellErrorAnalysisController::setLoading(bool loading)
{
    if (m_loading == loading)
        return;
    m_loading = loading;
    if (loading) {
        window()->statusBar()->showMessage(tr("Loading the lessons and your word pairs…"));
        m_progress->show();
    } else {
        window()->statusBar()->clearMessage();
        if (m_running == 0)
            m_progress->hide();
    }
}

void SpellErrorAnalysisController::showStoredPairs()
{
    m_model.wake();
    m_filePath = m_model.getTypewardenErrorListPathFromPreferences();
    const auto pairs = getErrorWordList();
    if (!pairs && m_model.openError().isError()) {
        // A damaged or unreadable list is not an empty one.
        m_services.alerts.beginSheet(
            {tr("Your word error list could not be read."),
             tr("%1\n\nThe file was left as it is.").arg(m_model.openError().message),
             {tr("OK")}},
            window(), {});
        return;
    }
    if (!pairs || pairs->isEmpty()) {
        if (m_services.tellsEmptyList)
            emit emptyListMessageRequested();
        return;
    }
    // The rows' values are read here; their index is built with the run, off this thread.
    QList<LessonRowValues> lessonRows;
    if (!m_snapshot || m_snapshot->isEmpty())
        lessonRows = LessonsSnapshot::valuesOf(getRelatedWordsOfCoreData());
    m_thread.reset(QThread::create([this, entries = *pairs, snapshot = m_snapshot,
                                    lessonRows = std::move(lessonRows), c = callbacks(true)] {
        std::shared_ptr<const LessonsSnapshot> course = snapshot;
        if (!course || course->isEmpty()) {
            course = std::make_shared<const LessonsSnapshot>(lessonRows);
            QMetaObject::invokeMethod(this, [this, course] {
                if (!m_snapshot || m_snapshot->isEmpty())
                    m_snapshot = course;
            });
        }
        AnalysisEngine(course, c).analyse(entries);
    }));
    m_thread->start();
}

std::optional<ErrorEntry>
SpellErrorAnalysisController::parseAddedWordPair(const QVariantMap& userInfo)
{
    QString why;
    const auto pair = model::announcement::fromUserInfo(userInfo, &why);
    QString note;
    if (!pair && m_ignoredAnnouncementLog.admit(&note))
        qCWarning(lcAnalysis).noquote() << why + note;
    return pair;
}

void SpellErrorAnalysisController::typewardenCallbackWithNotification(const QVariantMap& userInfo)
{
    const auto entry = parseAddedWordPair(userInfo);
    if (!entry)
        return;
    ensureSnapshot();
    AnalysisEngine(m_snapshot, callbacks(false)).analyse({*entry});
    m_afterBurst.start();
}

void SpellErrorAnalysisController::waitForBackgroundRun()
{
    // The run may be waiting for the main thread to take a row, so keep the events going.
    while (m_thread && !m_thread->wait(10))
        QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(this);
}

} // namespace lexotrace
