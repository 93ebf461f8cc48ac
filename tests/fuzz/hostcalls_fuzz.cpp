// Any sequence of host calls: every opcode with any index and value, a
// pointer to a buffer of the conventional size or null, any float to
// setParameter, any sample rate, and blocks of 0 to 600 frames. The audio
// stays finite and the parameters within 0..1 throughout.
#include "fuzzing.h"
#include "unit/tempfolder.h"

#include <algorithm>
#include <array>
#include <memory>

namespace {

// One call, read from 12 bytes of the input.
struct Step {
    std::uint8_t kind;
    std::uint8_t opcode;
    std::int16_t index;
    std::int32_t value;
    std::uint32_t number; // float bits, or a frame count
};

float floatOf(std::uint32_t bits)
{
    float f;
    std::memcpy(&f, &bits, sizeof f);
    return f;
}

// The pointers a host passes with opcode, all to memory of the size the
// interface promises; buffer holds bytes of the input.
struct Arguments {
    alignas(16) std::array<char, 44000> buffer{};
    void* slotA = nullptr;
    void* slotB = nullptr;
    VstMidiEvent midi[4]{};
    struct {
        VstInt32 numEvents;
        VstIntPtr reserved;
        VstEvent* events[4];
    } events{};

    void* pointerFor(VstInt32 opcode, VstIntPtr& value, bool null)
    {
        if (opcode == effGetSpeakerArrangement)
            value = 0; // a pointer, like ptr
        if (null)
            return nullptr;
        switch (opcode) {
        case effGetChunk:
        case effEditGetRect:
            return &slotA;
        case effGetSpeakerArrangement:
            value = reinterpret_cast<VstIntPtr>(&slotA);
            return &slotB;
        case effSetChunk:
            if (value >= 0)
                value %= static_cast<VstIntPtr>(buffer.size()) + 1;
            return buffer.data();
        case effProcessEvents:
            events.numEvents = static_cast<VstInt32>(std::clamp<VstIntPtr>(value, -1, 4));
            for (int i = 0; i < 4; ++i) {
                std::memcpy(&midi[i], buffer.data() + 64 * i, sizeof midi[i]);
                midi[i].type = i % 2 ? kVstMidiType : midi[i].type;
                events.events[i] = i == 3 ? nullptr : reinterpret_cast<VstEvent*>(&midi[i]);
            }
            return &events;
        default:
            buffer.back() = 0; // texts end within the buffer
            return buffer.data();
        }
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const Tempfolder dir;
    AEffect* e = Fuzzing::open();
    auto arguments = std::make_unique<Arguments>();
    // The bytes after the steps fill the buffer that pointers point to.
    const std::size_t steps = std::min<std::size_t>(size / sizeof(Step), 64);
    const std::size_t rest = size - steps * sizeof(Step);
    std::memcpy(arguments->buffer.data(), data + steps * sizeof(Step), std::min(rest, arguments->buffer.size()));
    for (std::size_t s = 0; s < steps; ++s) {
        Step step;
        std::memcpy(&step, data + s * sizeof(Step), sizeof step);
        switch (step.kind % 4) {
        case 0: {
            const VstInt32 opcode = step.opcode % 80;
            if (opcode == effClose)
                break;
            VstIntPtr value = step.value;
            void* ptr = arguments->pointerFor(opcode, value, step.kind & 0x80);
            Fuzzing::call(e, opcode, step.index, value, ptr, floatOf(step.number));
            break;
        }
        case 1:
            e->setParameter(e, step.index, floatOf(step.number));
            break;
        case 2:
            Fuzzing::checkAudioAndParameters(e, static_cast<int>(step.number % 601));
            break;
        default:
            Fuzzing::call(e, effSetSampleRate, 0, 0, nullptr, floatOf(step.number));
            break;
        }
    }
    Fuzzing::checkAudioAndParameters(e, 128);
    Fuzzing::call(e, effClose);
    return 0;
}
