#pragma once

#include <QLoggingCategory>

// The lessons window and its list controllers.
Q_DECLARE_LOGGING_CATEGORY(lcLessons)
