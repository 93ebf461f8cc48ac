// One line of pixel-font text that a provider answers, cut to a field of
// whole glyphs; it never takes the mouse.
#pragma once

#include "uicomp.h"

namespace Framework {

class Pixelfont;
class Textprovider;

class Textfield : public Uicomp {
public:
    // alignment: 0 centred, 1 left, 2 right within textWidth pixels.
    Textfield(int x, int y, int conditionIndex, Paramset* conditionSet, Pixelfont& font, int textWidth,
              Textprovider& source, int alignment);

    // Asks the provider for the line on every draw, naming this field.
    void draw(Igui& gui, bool& visible, int& x, int& y, int& w, int& h) override;
    int width() override { return textWidth; }
    // The font's line height.
    int height() override;

    Pixelfont& font; // not owned
    const int textWidth;
    Textprovider& source; // not owned
    const int alignment;
};

} // namespace Framework
