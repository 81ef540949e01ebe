#include "typewarden/app/AgentLog.h"

Q_LOGGING_CATEGORY(lcAgent, "typewarden.app")
