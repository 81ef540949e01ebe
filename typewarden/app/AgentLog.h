#pragma once

#include <QLoggingCategory>

// The agent's own log lines: start-up, the delegate, preferences, the login item, the list window.
Q_DECLARE_LOGGING_CATEGORY(lcAgent)
