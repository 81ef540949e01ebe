#pragma once

#include <QString>

// Notifications between Lexotrace's own windows, on the application's notification centre.
namespace lexotrace::notification
{

// Show a lesson: "LevelIndex" and "UnitIndex" (positions from 0), optionally the word to select
// (under the correct spelling's key) and "CntrlKyDwn".
inline const QString PopUpLessonIndex = QStringLiteral("KVRPopUpLessonIndexNotification");
// The last window closed: the program is about to quit.
inline const QString ApplicationWillClose = QStringLiteral("KVRApplicationWillCloseNotification");

} // namespace lexotrace::notification
