#pragma once
// The product's worker start: a new detached thread with default priority and stack.
#include <functional>

namespace tessorin::download {

// False when the system could not start a thread; work then never runs.
bool startDetachedWorker(std::function<void()> work);

}  // namespace tessorin::download
