// The host's window around the editor, as far as the editor may ask it to
// change size.
#pragma once

namespace Framework {

class Hostframe {
public:
    // Whether the host resizes its window when asked.
    virtual bool canResize() = 0;
    // Asks the host to make room for a width x height device-pixel editor.
    virtual bool resize(int width, int height) = 0;

protected:
    ~Hostframe() = default;
};

} // namespace Framework
