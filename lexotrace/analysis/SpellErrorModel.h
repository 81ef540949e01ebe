#pragma once

#include "platform/store/ObjectContext.h"

#include <QObject>

#include <memory>

namespace lexotrace
{

class LXMainAppController;

// Lexotrace's view of the word pairs Typewarden captures: the same store file, opened read-only
// in effect, since only Typewarden writes it.
class SpellErrorModel : public QObject
{
    Q_OBJECT
public:
    explicit SpellErrorModel(LXMainAppController& app);
    ~SpellErrorModel() override;

    // Hands the context (and its coordinator) to the application controller.
    void awakeFromNib();

    platform::ObjectModelPtr wordErrorModel();
    platform::StoreCoordinator* wordErrorManager();
    platform::ObjectContext* wordErrorDBase();
    QString getTypewardenErrorListPathFromPreferences() const;

private:
    LXMainAppController& m_app;
    platform::ObjectModelPtr m_model;
    std::shared_ptr<platform::StoreCoordinator> m_coordinator;
    std::unique_ptr<platform::ObjectContext> m_context;
};

} // namespace lexotrace
