#include "typewarden/store/TypewardenModel.h"

#include "model/DefaultsKeys.h"
#include "model/OrthovaModel.h"
#include "model/PreferencesController.h"
#include "model/TypewardenDefaults.h"
#include "model/WordPairAnnouncement.h"
#include "platform/DistributedNotificationCenter.h"
#include "platform/Paths.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QUrl>
#include <QUuid>

Q_LOGGING_CATEGORY(lcWordPairStore, "typewarden.store")

namespace typewarden
{

namespace
{

// An error's user info as the log shows it: {key = "value"; ...}.
QString describe(const QVariantMap& userInfo)
{
    QStringList entries;
    for (auto it = userInfo.begin(); it != userInfo.end(); ++it)
        entries.append(QStringLiteral("%1 = \"%2\"").arg(it.key(), it.value().toString()));
    return u'{' + entries.join(QStringLiteral("; ")) + u'}';
}

void logUnresolved(const platform::StoreError& error)
{
    qCCritical(lcWordPairStore).noquote()
        << QStringLiteral("Unresolved error %1, %2").arg(error.message, describe(error.userInfo));
}

} // namespace

QString registerErrorListPathDefault(platform::UserDefaults& defaults)
{
    const QString path =
        QDir(model::findOrCreateSharedDataDirectory()).filePath(model::store::ErrorListFileName);
    defaults.registerDefaults({{model::defaults::ErrorListPath, path}});
    return path;
}

platform::ManagedObject* makeNewWordPairWithOrdinationForCSpell(platform::ObjectContext& context,
                                                                const QString& cSpell,
                                                                const QString& mSpell)
{
    platform::ManagedObject* pair = context.insertNewObject(model::entity::WordPair);
    if (!pair)
        return nullptr;
    pair->setValue(model::key::cSpell, cSpell);
    pair->setValue(model::key::mSpell, mSpell);
    if (!pair->hasValue(model::key::tStamp))
        pair->setValue(model::key::tStamp, QDateTime::currentDateTime());
    return pair;
}

TypewardenModel::TypewardenModel(platform::UserDefaults& defaults,
                                 platform::DistributedNotificationCenter& notifications,
                                 platform::AlertPresenter& alerts, QObject* parent)
    : QObject(parent), m_defaults(defaults), m_notifications(notifications), m_alerts(alerts)
{
}

TypewardenModel::~TypewardenModel() = default;

platform::ObjectModelPtr TypewardenModel::wordErrorModel()
{
    if (!m_model)
        m_model = model::orthovaCoreData();
    return m_model;
}

QString TypewardenModel::typewardenErrorListXMLPath() const
{
    return m_defaults.stringForKey(model::defaults::ErrorListPath);
}

platform::StoreCoordinator* TypewardenModel::wordErrorManager()
{
    if (m_coordinator || m_openTried)
        return m_coordinator.get();
    m_openTried = true;
    const QString path = typewardenErrorListXMLPath();
    auto coordinator = std::make_shared<platform::StoreCoordinator>(wordErrorModel());
    if (path.isEmpty()) {
        m_openError = platform::StoreError::make(platform::StoreError::NoStore,
                                                 tr("No path is set for the word-pair store."));
    } else if (!QFileInfo(QFileInfo(path).absolutePath()).isDir()) {
        // A store in a missing folder could be read as empty but never written.
        m_openError = platform::StoreError::make(
            platform::StoreError::NoStore,
            tr("The folder of the word-pair store “%1” does not exist.").arg(path), path);
    } else if (coordinator->addStore(path, &m_openError)) {
        m_coordinator = std::move(coordinator);
        return m_coordinator.get();
    }
    openKeptAside(path);
    reportOpenFailure(path);
    return m_coordinator.get();
}

QString TypewardenModel::freeRecoveryName(const QString& folder) const
{
    const QDir dir(folder);
    QString base = QFileInfo(typewardenErrorListXMLPath()).completeBaseName();
    if (base.isEmpty())
        base = QStringLiteral("spellErrorList");
    const QString stem =
        QStringLiteral("%1-unsaved-%2")
            .arg(base, QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss")));
    constexpr int kNames = 1000;
    for (int n = 1; n <= kNames; ++n) {
        const QString target = dir.filePath(n == 1 ? stem + QStringLiteral(".xml")
                                                   : QStringLiteral("%1-%2.xml").arg(stem).arg(n));
        if (!QFileInfo::exists(target))
            return target;
    }
    return {};
}

bool TypewardenModel::openKeptAside(const QString& storePath)
{
    QStringList folders;
    if (!storePath.isEmpty() && QFileInfo(QFileInfo(storePath).absolutePath()).isDir())
        folders << QFileInfo(storePath).absolutePath();
    folders << platform::paths::documentsDirectory();
    for (const QString& folder : std::as_const(folders)) {
        const QFileInfo info(folder);
        if (folder.isEmpty() || !info.isDir() || !info.isWritable())
            continue;
        const QString path = freeRecoveryName(folder);
        auto coordinator = std::make_shared<platform::StoreCoordinator>(wordErrorModel());
        platform::StoreError error;
        if (path.isEmpty() || !coordinator->addStore(path, &error))
            continue;
        m_coordinator = std::move(coordinator);
        m_keptAsidePath = path;
        qCWarning(lcWordPairStore).noquote()
            << QStringLiteral("the pairs are kept in %1 until the word-pair store opens").arg(path);
        return true;
    }
    return false;
}

void TypewardenModel::reportOpenFailure(const QString& path)
{
    // Told once (the store is opened once a run), in words, beside whatever the user is typing in.
    const QString kept =
        m_keptAsidePath.isEmpty()
            ? tr("Corrections cannot be kept until the list can be opened: check the list's "
                 "location in Typewarden's preferences, then start Typewarden again.")
            : tr("The list is left as it is. The corrections captured from now on are kept in "
                 "“%1”, from which they can be imported once the list opens again: check the "
                 "list's location in Typewarden's preferences, then start Typewarden again.")
                  .arg(m_keptAsidePath);
    platform::AlertSpec alert{tr("Typewarden cannot open its word list."),
                              tr("%1\n\n%2").arg(m_openError.message, kept),
                              {tr("OK")}};
    alert.withoutFocus = true;
    m_alerts.beginSheet(alert, nullptr, {});
    logUnresolved(m_openError);
    qCCritical(lcWordPairStore).noquote()
        << QStringLiteral("wordErrorPathUrl: %1").arg(QUrl::fromLocalFile(path).toString());
}

platform::ObjectContext* TypewardenModel::wordErrorDBase()
{
    if (!m_context && wordErrorManager()) {
        m_context = std::make_unique<platform::ObjectContext>(m_coordinator);
        m_context->setUndoManager(m_undo.get());
    }
    return m_context.get();
}

bool TypewardenModel::acceptsPairs()
{
    return wordErrorDBase() != nullptr;
}

void TypewardenModel::wake()
{
    platform::ObjectContext* context = wordErrorDBase();
    auto fresh = std::make_unique<platform::UndoManager>();
    if (context)
        context->setUndoManager(fresh.get());
    m_undo = std::move(fresh);
}

bool TypewardenModel::addWordPairs(const model::WordPair& pair)
{
    platform::ObjectContext* context = wordErrorDBase();
    bool added = false;
    if (pair.cSpell.isEmpty() || pair.mSpell.isEmpty()) {
        qCDebug(lcWordPairStore) << "dropped a pair with a missing or empty word";
    } else if (!context) {
        qCWarning(lcWordPairStore).noquote()
            << QStringLiteral("refused the pair %1 / %2: the word-pair store is not open")
                   .arg(pair.mSpell, pair.cSpell);
    } else {
        makeNewWordPairWithOrdinationForCSpell(*context, pair.cSpell, pair.mSpell);
        // Announced before any save: Lexotrace takes the words, not a store change.
        m_notifications.post(model::announcement::Name, model::announcement::Object,
                             model::announcement::toUserInfo(pair));
        if (m_defaults.boolForKey(defaults::Beep))
            m_alerts.beep();
        added = true;
    }
    if (context)
        context->processPendingChanges();
    emit scrollToEndRequested();
    return added;
}

bool TypewardenModel::saveContext()
{
    if (!m_context || !m_context->hasChanges())
        return true;
    platform::StoreError error;
    if (m_context->save(&error)) {
        m_lastSaveFailed = false;
        return true;
    }
    logUnresolved(error);
    // Told once per run of failures: save points come with every switch of application.
    if (!m_lastSaveFailed)
        m_alerts.runModal(platform::AlertSpec{
            tr("The word pairs could not be saved."),
            tr("%1\n\nThe new pairs are kept and will be saved at the next save. If Typewarden "
               "quits before then, they are written to a separate file beside the list, from "
               "which they can be imported.")
                .arg(error.message),
            {tr("OK")}});
    m_lastSaveFailed = true;
    return false;
}

unsigned TypewardenModel::countEntityObjects(const QString& entityName)
{
    platform::ObjectContext* context = wordErrorDBase();
    platform::StoreError error = m_openError;
    const auto count =
        context ? context->count(platform::FetchRequest::all(entityName), &error) : std::nullopt;
    if (!count) {
        m_alerts.runModal(platform::AlertPresenter::alertWithError(error));
        return 0;
    }
    return unsigned(*count);
}

QList<platform::ManagedObject*> TypewardenModel::unsavedPairs() const
{
    QList<platform::ManagedObject*> pairs;
    if (!m_context)
        return pairs;
    for (platform::ManagedObject* object : m_context->insertedObjects())
        if (object->entityName() == model::entity::WordPair)
            pairs.append(object);
    return pairs;
}

bool TypewardenModel::writeUnsavedPairsToRecoveryFile(QString* writtenPath,
                                                      platform::StoreError* error)
{
    if (writtenPath)
        writtenPath->clear();
    const QList<platform::ManagedObject*> pairs = unsavedPairs();
    if (pairs.isEmpty())
        return true;
    QString path;
    platform::StoreError last;
    const QStringList folders{QFileInfo(m_coordinator->storePath()).absolutePath(),
                              platform::paths::documentsDirectory()};
    for (const QString& folder : folders) {
        if (writeRecoveryStore(folder, pairs, &path, &last)) {
            qCWarning(lcWordPairStore).noquote()
                << QStringLiteral("wrote %1 unsaved word pairs to %2").arg(pairs.size()).arg(path);
            if (writtenPath)
                *writtenPath = path;
            return true;
        }
        qCWarning(lcWordPairStore).noquote()
            << QStringLiteral("could not write the unsaved word pairs into %1: %2")
                   .arg(folder, last.message);
    }
    qCCritical(lcWordPairStore).noquote()
        << QStringLiteral("%1 unsaved word pairs could not be written anywhere").arg(pairs.size());
    platform::setError(error, last);
    return false;
}

bool TypewardenModel::writeRecoveryStore(const QString& folder,
                                         const QList<platform::ManagedObject*>& pairs,
                                         QString* writtenPath, platform::StoreError* error)
{
    const QDir dir(folder);
    if (folder.isEmpty() || !dir.exists()) {
        platform::setError(error,
                           platform::StoreError::make(platform::StoreError::WriteFailed,
                                                      tr("The folder does not exist."), folder));
        return false;
    }
    // Written under a private name first, then moved to a free name without replacing anything.
    const QString temporary =
        dir.filePath(QStringLiteral(".%1-unsaved-%2.tmp")
                         .arg(QFileInfo(typewardenErrorListXMLPath()).completeBaseName(),
                              QUuid::createUuid().toString(QUuid::WithoutBraces)));
    {
        auto coordinator = std::make_shared<platform::StoreCoordinator>(wordErrorModel());
        if (!coordinator->addStore(temporary, error))
            return false;
        platform::ObjectContext context(coordinator);
        for (const platform::ManagedObject* pair : pairs) {
            platform::ManagedObject* copy = context.insertNewObject(model::entity::WordPair);
            for (const QString& key : pair->entity().attributeNames())
                copy->setValue(key, pair->value(key));
        }
        if (!context.save(error)) {
            QFile::remove(temporary);
            return false;
        }
    }
    // rename() never replaces an existing file.
    const QString target = freeRecoveryName(folder);
    if (!target.isEmpty() && QFile::rename(temporary, target)) {
        *writtenPath = target;
        return true;
    }
    QFile::remove(temporary);
    platform::setError(error,
                       platform::StoreError::make(platform::StoreError::WriteFailed,
                                                  tr("No free file name for the pairs."), folder));
    return false;
}

} // namespace typewarden
