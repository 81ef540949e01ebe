#pragma once

#include <QVariantMap>

#include <functional>

namespace typewarden
{

class AppleUserInterfaceHelperMethods;

// What the global key and mouse monitors do with the writer's keys and clicks.
class AppleKeyboardUIMethods
{
public:
    // What receives a committed pair (the application delegate's addSpellWordsToList).
    using HandOver = std::function<bool(const QVariantMap& pair)>;

    AppleKeyboardUIMethods(AppleUserInterfaceHelperMethods& panel, HandOver handOver)
        : m_panel(panel), m_handOver(std::move(handOver))
    {
    }

    // Commit step, after every released left click anywhere: when the last panel control under
    // the pointer was "Change" and neither pending word is "", hands {cSpell, mSpell} over and
    // empties both words. A word the panel did not give is left out of the pair, and the store
    // refuses such a pair.
    void transactWithSpellingCorrectionConsole();

private:
    AppleUserInterfaceHelperMethods& m_panel;
    HandOver m_handOver;
};

} // namespace typewarden
