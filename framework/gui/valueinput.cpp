#include "valueinput.h"

#include "numbertext.h"
#include "pixelfont.h"
#include "window.h"

#include "framework/plugin/numberformat.h"
#include "framework/plugin/paramset.h"

namespace Framework {

Valueinput::Valueinput(int width, int height, int maxChars, int textLimit, int fontHeight, int alignment,
                       Pixelfont& font)
    : Widget(width, height), maxChars(maxChars), textLimit(textLimit), fontHeight(fontHeight), alignment(alignment),
      font(font)
{
}

void Valueinput::mouse(Window& surface, int& x, int& y, Binding& binding, Mouseevent& event)
{
    if (event.code != Mouse::leftDown)
        return;
    entryTarget = std::make_unique<Binding>(binding);
    this->surface = &surface;
    double v = binding.paramset->getValue(binding.index);
    box.reset();
    Editbox::Owner& owner = *this;
    box = std::make_unique<Editbox>(surface, Editbox::Layout{x, y, width, height, fontHeight, textLimit}, format(v),
                                    owner);
    if (!box->isOpen()) {
        box.reset();
        entryTarget.reset();
    }
}

void Valueinput::draw(Window& surface, int& x, int& y, int&, Binding& binding, Mouseevent&)
{
    double v = binding.paramset->getValue(binding.index);
    const int tx = (width - font.glyphWidth * maxChars) / 2 + x;
    const int ty = (height - font.glyphHeight()) / 2 + y;
    drawText(format(v), font, surface, tx, ty, maxChars, alignment);
}

void Valueinput::commit(Binding& binding, double& number)
{
    const double max = binding.paramset->getMax(binding.index);
    const double min = binding.paramset->getMin(binding.index);
    if (number >= max)
        number = max;
    if (number <= min)
        number = min;
    // A typed value is one gesture for the host.
    binding.paramset->beginEdit(binding.index, Gesture::entry);
    binding.paramset->setValue(number, binding.index, false);
    binding.paramset->endEdit(Gesture::entry);
}

std::string Valueinput::format(double& value)
{
    return formatFixed(value, 2);
}

void Valueinput::entered(const std::string& text)
{
    if (entryTarget && isNumberText(text)) {
        const double typed = leadingNumber(text);
        double number = typed;
        commit(*entryTarget, number);
        if (number != typed)
            heldAt(*entryTarget);
    } else if (entryTarget && surface) {
        surface->tell("Type a number, as -6.5");
    }
    entryTarget.reset();
    box.reset();
}

void Valueinput::heldAt(Binding& binding)
{
    if (!surface)
        return;
    const std::string units = binding.paramset->getUnits(binding.index);
    const std::string text = binding.paramset->getText(binding.index);
    surface->tell("Held at " + (units.empty() ? text : text + " " + units));
}

void Valueinput::lost()
{
    entryTarget.reset();
    box.reset();
}

} // namespace Framework
