// SPDX-License-Identifier: MIT
// Lets the event loop run, for a time or until something holds, from straight-line code.
#pragma once

#include <chrono>
#include <functional>

namespace quillmoor::bench {

using Milliseconds = std::chrono::milliseconds;

void RunEventsFor(Milliseconds span);

// Runs the event loop until done() holds or the time-out passes; returns done().
bool RunEventsUntil(const std::function<bool()>& done, Milliseconds timeout);

}  // namespace quillmoor::bench
