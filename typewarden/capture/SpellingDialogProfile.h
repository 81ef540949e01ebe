#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace typewarden
{

// How one application's spelling dialog shows a correction: its title, the buttons that make the
// change, and where the misspelt word and its replacement are found in it. The first profile is
// the spelling panel the capture has always known.
struct SpellingDialogProfile {
    enum class Place {
        // The window's first direct text-field child.
        FirstTextField,
        // The first cell of the list of guesses.
        FirstGuess,
        // The text beside a caption ("Misspelled word:"): the nearest sibling before it, else
        // after it, that is no caption itself.
        BesideCaption,
        // Not read from the dialog: the change it makes in the document is caught as typed text.
        NotShown,
    };
    struct Word {
        Place place = Place::NotShown;
        QString caption;
    };

    QString name;
    // The whole title must match.
    QString titlePattern;
    QStringList commitButtons;
    Word misspelt;
    Word replacement;

    bool showsWords() const
    {
        return misspelt.place != Place::NotShown && replacement.place != Place::NotShown;
    }

    static const QList<SpellingDialogProfile>& builtIn();
    // The profile whose title pattern matches; null for any other window.
    static const SpellingDialogProfile* forTitle(const QString& title);
};

} // namespace typewarden
