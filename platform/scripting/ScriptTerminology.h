#pragma once

#include <QList>
#include <QString>

namespace platform::scripting
{

// The words of a program's scripts and the keys of its object model they stand for. Terms may
// be several words ("general rule"); matching ignores case.
struct ScriptTerminology {
    struct Class {
        QString singular;   // "level"
        QString plural;     // "levels"
        QString elementKey; // the list the objects live in: "levelsArray"
        QString classKey;   // what a make command builds: "Levels"
    };
    struct Term {
        QString words;
        QString key;
    };

    QList<Class> classes;
    QList<Term> properties; // "general rule" -> "aSGeneralRule"
    QList<Term> commands;   // program commands with a direct parameter: "evaluate id"

    const Class* classForElementKey(const QString& elementKey) const;
    // The words of a property key, or the key itself when it has none.
    QString propertyWords(const QString& key) const;
};

} // namespace platform::scripting
