#pragma once

#include "lexotrace/store/StoreContexts.h"
#include "model/PreferencesController.h"

#include <QObject>

namespace lexotrace
{

// Lexotrace's view of the word pairs Typewarden captures: the same store file, opened read-only,
// since only Typewarden writes it. Its objects are kept in the application's word-pair slot.
class SpellErrorModel : public QObject
{
    Q_OBJECT
public:
    SpellErrorModel(OpenStore& store, const model::PreferencesController* preferences);
    ~SpellErrorModel() override;

    // Opens the store and makes its context.
    void wake();

    platform::ObjectModelPtr wordErrorModel();
    platform::StoreCoordinator* wordErrorManager();
    platform::ObjectContext* wordErrorDBase();
    QString getTypewardenErrorListPathFromPreferences() const;
    // Why the word-pair file could not be opened, when it could not (a missing file is no error).
    const platform::StoreError& openError() const { return m_openError; }

private:
    OpenStore& m_store;
    const model::PreferencesController* m_preferences;
    platform::StoreError m_openError;
};

} // namespace lexotrace
