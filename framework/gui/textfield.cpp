#include "textfield.h"

#include "pixelfont.h"

#include "framework/plugin/textprovider.h"

namespace Framework {

Textfield::Textfield(int x, int y, int conditionIndex, Paramset* conditionSet, Pixelfont& font, int textWidth,
                     Textprovider& source, int alignment)
    : Uicomp(x, y, conditionIndex, conditionSet), font(font), textWidth(textWidth), source(source), alignment(alignment)
{
}

void Textfield::draw(Igui& gui, bool& visible, int&, int&, int&, int&)
{
    if (!isDisplayed(gui, visible) || font.glyphWidth <= 0)
        return;
    drawText(source.text(this), font, gui.surface(), x, y, textWidth / font.glyphWidth, alignment);
}

int Textfield::height()
{
    return font.glyphHeight();
}

} // namespace Framework
