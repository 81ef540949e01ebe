#include "lexotrace/analysis/SpellErrorModel.h"

#include "model/OrthovaModel.h"

#include <QLoggingCategory>

namespace lexotrace
{

namespace
{
Q_LOGGING_CATEGORY(lcErrorList, "lexotrace.analysis.errorlist")
}

SpellErrorModel::SpellErrorModel(OpenStore& store, const model::PreferencesController* preferences)
    : m_store(store), m_preferences(preferences)
{
}

SpellErrorModel::~SpellErrorModel() = default;

void SpellErrorModel::wake()
{
    wordErrorDBase();
}

QString SpellErrorModel::getTypewardenErrorListPathFromPreferences() const
{
    return m_preferences ? m_preferences->typewardenErrorListXMLPath() : QString();
}

platform::ObjectModelPtr SpellErrorModel::wordErrorModel()
{
    if (!m_store.model)
        m_store.model = model::orthovaCoreData();
    return m_store.model;
}

platform::StoreCoordinator* SpellErrorModel::wordErrorManager()
{
    if (!m_store.coordinator) {
        m_store.coordinator = std::make_shared<platform::StoreCoordinator>(wordErrorModel());
        m_store.coordinator->setReadOnly(true);
        // The analysis window tells the user of a file that cannot be opened.
        if (!m_store.coordinator->addStore(getTypewardenErrorListPathFromPreferences(),
                                           &m_openError, &m_store.readAhead))
            qCWarning(lcErrorList).noquote() << "word pairs:" << m_openError.message;
    }
    return m_store.coordinator.get();
}

platform::ObjectContext* SpellErrorModel::wordErrorDBase()
{
    if (!m_store.context) {
        wordErrorManager();
        m_store.context = std::make_unique<platform::ObjectContext>(m_store.coordinator);
    }
    return m_store.context.get();
}

} // namespace lexotrace
