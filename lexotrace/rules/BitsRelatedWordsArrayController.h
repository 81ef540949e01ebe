#pragma once

#include "platform/ArrayController.h"

namespace lexotrace
{

// Every row of related words of the curriculum, whatever its lesson, for the word-bits
// dictionary. The list only reads the lessons: its add and remove change nothing, and it may have
// no selection.
class BitsRelatedWordsArrayController : public platform::ArrayController
{
    Q_OBJECT
public:
    explicit BitsRelatedWordsArrayController(platform::ObjectContext* lessons,
                                             QObject* parent = nullptr);

    bool add() override { return false; }
    void remove() override {}

    // Off while the dictionary is hidden: changes of the lessons are then only noted, and the
    // list is read again once, when it follows them again.
    void setFollowsContext(bool on);
    bool followsContext() const { return m_follows; }

    // The arranged position of the first row whose first word begins with `text` (case ignored),
    // else of the first row with any word that does; NotFound when none does or `text` is empty.
    qsizetype indexOfWordBeginningWith(const QString& text) const;

private:
    bool m_follows = true;
    bool m_stale = false;
};

} // namespace lexotrace
