#include "variantstack.h"

#include "blendcell.h"
#include "skinbitmap.h"

#include "framework/plugin/paramset.h"

namespace Framework {

Variantstack::Variantstack(int width, int height, Skinbitmap* bitmap, Skinbitmap* variants, int segment,
                           int variantIndex)
    : Hstack(width, height, bitmap), segment(segment), variantIndex(variantIndex), variants(variants)
{
}

bool Variantstack::wheel(Window& surface, int& x, int& y, Binding& binding, Wheelevent& event)
{
    const int n = segments(binding);
    if (n == 0 || event.x < x + segment * (width / n) || event.x >= x + (segment + 1) * (width / n))
        return Hstack::wheel(surface, x, y, binding, event);
    Binding variant = binding;
    variant.index = variantIndex;
    return stepChoice(variant, event);
}

void Variantstack::draw(Window& surface, int& x, int& y, int& state, Binding& binding, Mouseevent& event)
{
    Paramset& set = *binding.paramset;
    const int step = static_cast<int>(set.getValue(variantIndex) - set.getMin(variantIndex));
    const int n = segments(binding);
    if (step <= 0 || n == 0 || !variants || variants->height() < 2 * height * step) {
        Hstack::draw(surface, x, y, state, binding, event);
        return;
    }
    const int sw = width / n;
    const int k = static_cast<int>(set.getValue(binding.index) - set.getMin(binding.index));
    const int top = 2 * height * (step - 1);
    blendCell(surface, variants, 0, top, width, height, x, y);
    blendCell(surface, variants, k * sw, top + height, sw, height, x + k * sw, y);
}

} // namespace Framework
