// Typing one of a band's values in a box laid over its line in the
// display's readout: Enter writes the typed value, held to its range, as
// one edit for the host and one step of the history (telling when it was
// held); Escape, text that names no value (which is told) and Enter on the
// text as it opened change nothing. A
// frequency takes "1.2k", "1.2 kHz" or "1200 Hz", a gain "-3" or "-3 dB",
// a width a Q ("2", "Q 2") or octaves ("1 oct"); a comma may be the point.
#pragma once

#include "bandreadout.h"

#include "framework/gui/editbox.h"

#include <memory>
#include <string>

namespace Framework {
class Paramset;
}

class Bandentry : private Framework::Editbox::Owner {
public:
    Bandentry() = default;
    virtual ~Bandentry() = default;
    Bandentry(const Bandentry&) = delete;
    Bandentry& operator=(const Bandentry&) = delete;

    // Opens the box on surface for band's value, showing text; fs is the
    // rate its filter runs at, which a typed Q is read at. One that is open
    // closes first.
    void open(Framework::Window& surface, const Framework::Editbox::Layout& layout, const std::string& text,
              Framework::Paramset& set, int band, Bandreadout::Value value, double fs);
    bool isOpen() const { return box != nullptr; }
    // The band the open box writes to; -1 when none is open.
    int band() const { return box ? target : -1; }

private:
    void entered(const std::string& text) override;
    void escaped() override { close(); }
    void lost() override { close(); }
    void close();
    // Reads text as the target's value; false when it names none.
    bool read(const std::string& text, double& number) const;
    void write(double number);

    std::unique_ptr<Framework::Editbox> box;
    // Where the box is open, which tells the user why a text changed
    // nothing, or that the value was held to its range.
    Framework::Window* surface = nullptr;
    Framework::Paramset* set = nullptr;
    int target = -1;
    Bandreadout::Value value = Bandreadout::Value::none;
    double rate = 0.0;
    std::string opened;
};
