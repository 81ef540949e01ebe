#include "typewarden/capture/SpellingDialogProfile.h"

#include <QRegularExpression>

namespace typewarden
{

const QList<SpellingDialogProfile>& SpellingDialogProfile::builtIn()
{
    using Place = SpellingDialogProfile::Place;
    static const QList<SpellingDialogProfile> profiles{
        {QStringLiteral("default"),
         QStringLiteral("Spelling and Grammar"),
         {QStringLiteral("Change")},
         {Place::FirstTextField, {}},
         {Place::FirstGuess, {}}},
        // A GTK text editor's "Check Spelling" dialog: the word is a label beside its caption,
        // the replacement the "Change to:" entry, which the writer may have edited.
        {QStringLiteral("gedit"),
         QStringLiteral("Check Spelling"),
         {QStringLiteral("Change"), QStringLiteral("Change All")},
         {Place::BesideCaption, QStringLiteral("Misspelled word:")},
         {Place::BesideCaption, QStringLiteral("Change to:")}},
        // A word processor's "Spelling: <language>" dialog: its change shows in the paragraph.
        {QStringLiteral("writer"),
         QStringLiteral("Spelling: .+"),
         {QStringLiteral("Correct"), QStringLiteral("Correct All"),
          QStringLiteral("Always Correct")},
         {},
         {}},
    };
    return profiles;
}

const SpellingDialogProfile* SpellingDialogProfile::forTitle(const QString& title)
{
    for (const SpellingDialogProfile& profile : builtIn()) {
        const QRegularExpression pattern(QRegularExpression::anchoredPattern(profile.titlePattern));
        if (pattern.match(title).hasMatch())
            return &profile;
    }
    return nullptr;
}

} // namespace typewarden
