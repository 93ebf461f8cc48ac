#include "midiqueue.h"

namespace Framework {

void Midiqueue::add(const Midievent& event)
{
    if (count == capacity)
        return;
    std::size_t at = count;
    while (at > 0 && events[at - 1].deltaFrames > event.deltaFrames) {
        events[at] = events[at - 1];
        --at;
    }
    events[at] = event;
    ++count;
}

} // namespace Framework
