#pragma once

#include <QString>

namespace model::defaults
{

inline const QString LastLessonLevel =
    QStringLiteral("KVROrthovaLastLessonOpendedPreferenceForLevel");
inline const QString LastLessonUnit =
    QStringLiteral("KVROrthovaLastLessonOpendedPreferenceForUnit");
inline const QString ErrorListPath = QStringLiteral("KVRTypewardenErrorListFactoryInstallPath");
inline const QString LessonsPath = QStringLiteral("Lessons_Initiation_Data");
inline const QString RulesPath = QStringLiteral("Rules_Initiation_Data");
inline const QString LessonsBookmark = QStringLiteral("bookmarkForCoreLessonsData");
inline const QString RulesBookmark = QStringLiteral("bookmarkForCoreRulesData");

} // namespace model::defaults

namespace model::store
{

inline const QString GroupIdentifier = QStringLiteral("group.com.Orthova.data");
inline const QString LessonsFileName = QStringLiteral("OrthovaLessonsCoreData.xml");
inline const QString RulesFileName = QStringLiteral("OrthovaRulesCoreData.xml");
inline const QString ErrorListFileName = QStringLiteral("spellErrorList.xml");

} // namespace model::store
