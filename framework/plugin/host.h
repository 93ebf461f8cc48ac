// How the plug-in side reaches the host without knowing the VST protocol.
#pragma once

#include <cstdint>

namespace Framework {

class Host {
public:
    // Sets the parameter again as the host would, then reports the change to
    // the host as automation. value is normalized, 0 to 1.
    virtual void automate(std::int32_t index, float value) = 0;
    virtual void reserved(std::int32_t unused) = 0;
    // The host's sample rate; 44100 until the host sets one.
    virtual const float& samplerate() = 0;
    // The host's current program number, 0 to 126. Programs may set it where
    // the plug-in itself changes what the current program is.
    virtual std::int32_t& program() = 0;
    // Asks the host to re-read program names and parameter texts.
    virtual void updatedisplay() = 0;
    // Bracket a user's gesture on parameter index, so that a host recording
    // automation in touch or latch mode knows when the user holds it.
    virtual void beginEdit(std::int32_t index) = 0;
    virtual void endEdit(std::int32_t index) = 0;

protected:
    ~Host() = default;
};

} // namespace Framework
