#pragma once

#include <QString>
#include <QStringList>

// Typewarden's settings, read by its capture, store and windows.
namespace typewarden::defaults
{

inline const QString LaunchAtLogin = QStringLiteral("KVRLaunchTypewardenAtLoginDefaultSetting");
inline const QString ShowWindowAtStartup = QStringLiteral("KVRShowWindowAtStartupDefaultSetting");
inline const QString Beep = QStringLiteral("KVRBeepDefaultSetting");
inline const QString AutoCheckRetention = QStringLiteral("KVRAutoCheckRetentionSetting");
inline const QString TextEdit = QStringLiteral("KVRTextEditDefaultSetting");
inline const QString Pages = QStringLiteral("KVRSPagesDefaultSetting");
inline const QString ExportBookmark = QStringLiteral("bookmarkForSpellingErrorList");

// The six settings the first run switches on.
inline const QStringList FirstRunSettings{
    LaunchAtLogin, ShowWindowAtStartup, Beep, AutoCheckRetention, TextEdit, Pages};

} // namespace typewarden::defaults
