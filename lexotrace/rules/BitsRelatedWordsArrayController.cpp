#include "lexotrace/rules/BitsRelatedWordsArrayController.h"

#include "model/OrthovaModel.h"

namespace lexotrace
{

BitsRelatedWordsArrayController::BitsRelatedWordsArrayController(platform::ObjectContext* lessons,
                                                                 QObject* parent)
    : ArrayController(lessons, model::entity::RelatedWords, parent)
{
    setAvoidsEmptySelection(false);
    if (!lessons)
        return;
    // Reading and sorting every row takes a while: not for each change made while hidden.
    disconnect(lessons, &platform::ObjectContext::objectsDidChange, this,
               &ArrayController::rearrangeObjects);
    connect(lessons, &platform::ObjectContext::objectsDidChange, this, [this] {
        if (m_follows)
            rearrangeObjects();
        else
            m_stale = true;
    });
}

void BitsRelatedWordsArrayController::setFollowsContext(bool on)
{
    m_follows = on;
    if (on && m_stale) {
        m_stale = false;
        rearrangeObjects();
    }
}

qsizetype BitsRelatedWordsArrayController::indexOfWordBeginningWith(const QString& text) const
{
    if (text.isEmpty())
        return NotFound;
    static const QStringList words = [] {
        QStringList keys{QString()};
        for (int slot = 1; slot <= model::kWordSlots; ++slot)
            keys.append(model::key::word(slot));
        return keys;
    }();
    const QList<platform::ManagedObject*>& rows = arrangedObjects();
    auto begins = [&text](const platform::ManagedObject* row, int slot) {
        return row->string(words[slot]).startsWith(text, Qt::CaseInsensitive);
    };
    for (qsizetype at = 0; at < rows.size(); ++at)
        if (begins(rows[at], 1))
            return at;
    for (qsizetype at = 0; at < rows.size(); ++at)
        for (int slot = 2; slot <= model::kWordSlots; ++slot)
            if (begins(rows[at], slot))
                return at;
    return NotFound;
}

} // namespace lexotrace
