// Counts the heap allocations (operator new) that the calling thread makes
// between start and stop; other threads are not counted.
#pragma once

namespace Allocations {

void start();
// The number counted since start.
long stop();

} // namespace Allocations
