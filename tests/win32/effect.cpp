#include "effect.h"

#include "common/fakehost.h"

Effect::Effect(const Loadeddll& dll) : e(dll.effect(Fakehost::callback)) {}

ERect* Effect::rect() const
{
    ERect* rect = nullptr;
    return call(effEditGetRect, &rect) == 1 ? rect : nullptr;
}

void Effect::close()
{
    if (e)
        call(effClose);
    e = nullptr;
}
