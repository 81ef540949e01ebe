#include "model/WordPairAnnouncement.h"

#include "model/OrthovaModel.h"

namespace model::announcement
{

namespace
{

std::optional<WordPair> refuse(QString* why, const char* reason)
{
    if (why)
        *why = QString::fromLatin1(reason);
    return std::nullopt;
}

} // namespace

QVariantMap toUserInfo(const WordPair& pair)
{
    // The announcement's words are named as the store names them.
    return {{AddedWordPair, QVariantMap{{key::cSpell, pair.cSpell}, {key::mSpell, pair.mSpell}}}};
}

std::optional<WordPair> fromUserInfo(const QVariantMap& userInfo, QString* why)
{
    const QVariant added = userInfo.value(AddedWordPair);
    if (added.typeId() != QMetaType::QVariantMap)
        return refuse(why, "announcement without a word pair ignored");
    const QVariantMap pair = added.toMap();
    const QVariant c = pair.value(key::cSpell);
    const QVariant m = pair.value(key::mSpell);
    if (c.typeId() != QMetaType::QString || m.typeId() != QMetaType::QString)
        return refuse(why, "announced word pair without two words ignored");
    if (c.toString().size() > kMaxWordLength || m.toString().size() > kMaxWordLength)
        return refuse(why, "announced word pair with over-long words ignored");
    return WordPair{c.toString(), m.toString()};
}

} // namespace model::announcement
