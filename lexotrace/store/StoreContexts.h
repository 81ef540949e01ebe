#pragma once

#include "platform/store/ObjectContext.h"
#include "platform/store/StoreCoordinator.h"
#include "platform/store/StoreReadAhead.h"
#include "platform/store/UndoManager.h"

#include <memory>

namespace lexotrace
{

// One store file's objects, made on first use by the part that opens the file and kept for the
// life of the process. The undo manager outlives the context that refers to it.
struct OpenStore {
    platform::ObjectModelPtr model;
    std::shared_ptr<platform::StoreCoordinator> coordinator;
    std::unique_ptr<platform::UndoManager> undo;
    std::unique_ptr<platform::ObjectContext> context;
    // The file read at start, taken by whoever opens the store first.
    platform::StoreReadAhead readAhead;
};

// Lexotrace's three stores, owned by the application and lent to its parts: the lessons and the
// rules, opened by their store managers, and Typewarden's word pairs, opened read-only by the
// analysis. Every part finds the contexts here.
struct StoreContexts {
    OpenStore lessons;
    OpenStore rules;
    OpenStore wordErrors;
};

} // namespace lexotrace
