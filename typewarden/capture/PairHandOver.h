#pragma once

#include "model/WordPairAnnouncement.h"

#include <functional>

namespace typewarden
{

// What receives a committed correction: the capture coordinator, which passes it on to the store.
using PairHandOver = std::function<void(const model::WordPair& pair)>;

} // namespace typewarden
