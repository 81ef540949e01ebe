#pragma once

#include <QString>
#include <QVariantMap>

#include <optional>

namespace model
{

// One correction: the correct spelling and the misspelling the writer replaced.
struct WordPair {
    QString cSpell;
    QString mSpell;

    friend bool operator==(const WordPair&, const WordPair&) = default;
};

// What Typewarden announces on the session bus for every captured pair, and Lexotrace listens
// for. Both programs and any other listener rely on these names and on the user info's shape:
// {addedWordPair: {cSpell: word, mSpell: word}}, the words keyed as the store keys them.
namespace announcement
{
inline const QString Name = QStringLiteral("KVRTypewardenActivityDistributedNotification");
inline const QString Object = QStringLiteral("com.brellum.kvrdesk.OrthovaTarget");
inline const QString AddedWordPair = QStringLiteral("addedWordPair");

// Longer words are not corrections anyone typed.
inline constexpr qsizetype kMaxWordLength = 256;

// The user info that carries the pair.
QVariantMap toUserInfo(const WordPair& pair);

// The announced pair: a map under AddedWordPair holding two strings of at most kMaxWordLength
// characters. Nothing otherwise, with the reason in `why`.
std::optional<WordPair> fromUserInfo(const QVariantMap& userInfo, QString* why = nullptr);
} // namespace announcement

} // namespace model
