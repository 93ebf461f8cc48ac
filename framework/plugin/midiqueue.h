// MIDI events as the plug-in receives them, kept in order of their delta
// frames. The queue is preallocated and bounded, so filling and emptying it
// never allocates on the audio thread; events beyond its capacity are dropped.
#pragma once

#include <array>
#include <cstddef>

namespace Framework {

struct Midievent {
    enum Kind { other = -1, controlChange = 0, noteOn = 1, noteOff = 2 };

    int deltaFrames = 0;
    int kind = other;
    int data1 = 0;
    int data2 = 0;
};

class Midiqueue {
public:
    static constexpr std::size_t capacity = 1024;

    // Inserts after every event with the same or an earlier delta frame, so
    // equal delta frames keep their arrival order.
    void add(const Midievent& event);
    void clear() { count = 0; }
    std::size_t size() const { return count; }
    const Midievent& operator[](std::size_t index) const { return events[index]; }

private:
    std::array<Midievent, capacity> events;
    std::size_t count = 0;
};

} // namespace Framework
