#include "lexotrace/lessons/LessonsLog.h"

Q_LOGGING_CATEGORY(lcLessons, "lexotrace.lessons")
