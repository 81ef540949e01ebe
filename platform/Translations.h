#pragma once

#include <QString>

namespace platform
{

// Loads the program's translation for the user's language (the locale's UI languages), and Qt's
// own for its standard dialogs when the desktop has it. English, the source language, needs none.
// The translators belong to the application object. Returns the language loaded, or an empty
// string when the texts stay English.
QString installTranslations();

} // namespace platform
