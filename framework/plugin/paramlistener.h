// What hears of every parameter change of a plug-in, such as its editor.
#pragma once

namespace Framework {

class Paramset;

class Paramlistener {
public:
    // Parameter index of set has changed. Called on the thread that changed
    // it, the audio thread included: it must not block, draw or allocate.
    virtual void valueChanged(int index, Paramset& set) = 0;

protected:
    ~Paramlistener() = default;
};

} // namespace Framework
