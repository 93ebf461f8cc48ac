#include "analyzerfeed.h"

void Analyzerfeed::start(unsigned taps)
{
    if (!inputRing) {
        inputRing = std::make_unique<Samplering>(ringSize);
        outputRing = std::make_unique<Samplering>(ringSize);
    }
    wanted.store(taps & (input | output), std::memory_order_release);
}
