#include "choiceswitch.h"

#include "pixelfont.h"

#include "framework/plugin/paramset.h"

namespace Framework {

Choiceswitch::Choiceswitch(int width, int height, Skinbitmap* bitmap, const Pixelfont& font, int choiceIndex,
                           std::vector<std::string> labels, int labelX, int labelY)
    : Switch(width, height, bitmap), choiceIndex(choiceIndex), font(font), labels(std::move(labels)), labelX(labelX),
      labelY(labelY)
{
}

bool Choiceswitch::wheel(Window&, int&, int&, Binding& binding, Wheelevent& event)
{
    Binding choice = binding;
    choice.index = choiceIndex;
    return stepChoice(choice, event);
}

void Choiceswitch::draw(Window& surface, int& x, int& y, int& state, Binding& binding, Mouseevent& event)
{
    Switch::draw(surface, x, y, state, binding, event);
    Paramset& set = *binding.paramset;
    const int step = static_cast<int>(set.getValue(choiceIndex) - set.getMin(choiceIndex));
    if (step > 0 && step < static_cast<int>(labels.size()))
        drawText(labels[static_cast<std::size_t>(step)], font, surface, x + labelX, y + labelY,
                 static_cast<int>(labels[static_cast<std::size_t>(step)].size()), 1);
}

} // namespace Framework
