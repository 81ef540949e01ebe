#include "lexotrace/analysis/SpellErrorModel.h"

#include "lexotrace/app/LXMainAppController.h"
#include "model/OrthovaModel.h"

namespace lexotrace
{

SpellErrorModel::SpellErrorModel(LXMainAppController& app) : m_app(app) {}

SpellErrorModel::~SpellErrorModel() = default;

void SpellErrorModel::awakeFromNib()
{
    m_app.setWordErrorDBase(wordErrorDBase());
    m_app.setWordErrorManager(wordErrorManager());
}

QString SpellErrorModel::getTypewardenErrorListPathFromPreferences() const
{
    const model::PreferencesController* preferences = m_app.preferencesController();
    return preferences ? preferences->typewardenErrorListXMLPath() : QString();
}

platform::ObjectModelPtr SpellErrorModel::wordErrorModel()
{
    if (!m_model)
        m_model = model::orthovaCoreData();
    return m_model;
}

platform::StoreCoordinator* SpellErrorModel::wordErrorManager()
{
    if (!m_coordinator) {
        m_coordinator = std::make_shared<platform::StoreCoordinator>(wordErrorModel());
        m_coordinator->setReadOnly(true);
        // A store that cannot be opened shows up as an empty list; nothing is said here.
        platform::StoreError error;
        if (!m_coordinator->addStore(getTypewardenErrorListPathFromPreferences(), &error))
            qWarning().noquote() << "word pairs:" << error.message;
    }
    return m_coordinator.get();
}

platform::ObjectContext* SpellErrorModel::wordErrorDBase()
{
    if (!m_context) {
        wordErrorManager();
        m_context = std::make_unique<platform::ObjectContext>(m_coordinator);
    }
    return m_context.get();
}

} // namespace lexotrace
