// An on/off switch that also shows a second parameter, a choice: the
// choice's label, in the editor's font, lies on the switch unless the first
// choice (the usual one) is current. The wheel over the switch steps the
// choice.
#pragma once

#include "switch.h"

#include <string>
#include <vector>

namespace Framework {

class Pixelfont;

class Choiceswitch : public Switch {
public:
    // labels names the choice's steps from its minimum; the first is never
    // drawn. (labelX, labelY) is the label's top-left corner on the switch.
    Choiceswitch(int width, int height, Skinbitmap* bitmap, const Pixelfont& font, int choiceIndex,
                 std::vector<std::string> labels, int labelX, int labelY);

    bool wheel(Window& surface, int& x, int& y, Binding& binding, Wheelevent& event) override;
    void draw(Window& surface, int& x, int& y, int& state, Binding& binding, Mouseevent& event) override;

    const int choiceIndex;

private:
    const Pixelfont& font;
    const std::vector<std::string> labels;
    const int labelX, labelY;
};

} // namespace Framework
