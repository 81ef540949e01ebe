#pragma once

#include "platform/store/EntityModel.h"

namespace model
{

// Entity and key names of the shared model, exactly as both programs and their files use them.
namespace entity
{
inline const QString Levels = QStringLiteral("Levels");
inline const QString Unit = QStringLiteral("Unit");
inline const QString Sections = QStringLiteral("Sections");
inline const QString RelatedWords = QStringLiteral("RelatedWords");
inline const QString Rule = QStringLiteral("Rule");
inline const QString WordPair = QStringLiteral("WordPair");
} // namespace entity

namespace key
{
inline const QString levelNumber = QStringLiteral("levelNumber");
inline const QString units = QStringLiteral("units");
inline const QString unitNumber = QStringLiteral("unitNumber");
inline const QString generalRule = QStringLiteral("generalRule");
inline const QString generalRuleCode = QStringLiteral("generalRuleCode");
inline const QString level = QStringLiteral("level");
inline const QString sections = QStringLiteral("sections");
inline const QString sectionNumber = QStringLiteral("sectionNumber");
inline const QString rule = QStringLiteral("rule");
inline const QString unit = QStringLiteral("unit");
inline const QString relatedWords = QStringLiteral("relatedWords");
inline const QString section = QStringLiteral("section");
inline const QString ruleCode = QStringLiteral("ruleCode");
inline const QString reference = QStringLiteral("reference");
inline const QString mSpell = QStringLiteral("mSpell");
inline const QString cSpell = QStringLiteral("cSpell");
inline const QString tStamp = QStringLiteral("tStamp");

// "word1" ... "word5", "bit1" ... "bit5"
QString word(int slot);
QString bit(int slot);
} // namespace key

inline constexpr int kWordSlots = 5;

// The model "OrthovaCoreData": all six entities. Deleting a level deletes its units, their
// sections and their rows of related words.
platform::ObjectModelPtr orthovaCoreData();

} // namespace model
