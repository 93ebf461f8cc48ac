// An indexed set of parameters as controls and the host see it: each has a
// normalized value 0..1 and a real value in its own unit. This base answers
// 0 and "" and ignores setters.
#pragma once

#include <string>

namespace Framework {

// What began an edit. Gestures may overlap (a wheel turn in the middle of a
// drag): each ends only the parameters it began, and the host's bracket of
// a parameter closes when the last gesture holding it ends. A command is a
// change made at once: a menu choice, a preset load, a compare switch.
enum class Gesture { pointer, wheel, entry, command };

class Paramset {
public:
    virtual ~Paramset() = default;

    virtual double getValue(int /*index*/) { return 0.0; }
    virtual double getNormalized(int /*index*/) { return 0.0; }
    virtual double getMax(int /*index*/) { return 0.0; }
    virtual double getMin(int /*index*/) { return 0.0; }
    virtual std::string getUnits(int /*index*/) { return std::string(); }
    // The parameter's name, and its value as text without units.
    virtual std::string getName(int /*index*/) { return std::string(); }
    virtual std::string getText(int /*index*/) { return std::string(); }
    // The real value a reset restores.
    virtual double getDefault(int /*index*/) { return 0.0; }
    // A user's gesture starts changing parameter index; a gesture may change
    // several.
    virtual void beginEdit(int /*index*/, Gesture /*by*/) {}
    // Ends the gesture: it lets go of every parameter it began; once no
    // gesture holds any, no parameter counts as touched last any more.
    virtual void endEdit(Gesture /*by*/) {}
    // fromHost is true only for calls that come from the host; other changes
    // are reported to the host as automation.
    virtual void setNormalized(double /*value*/, int /*index*/, bool /*fromHost*/) {}
    virtual void setValue(double /*value*/, int /*index*/, bool /*fromHost*/) {}
};

} // namespace Framework
