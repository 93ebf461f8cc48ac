#include "copysettingaction.h"

#include "eq/vex.h"

void Copysettingaction::execute()
{
    if (available())
        vex.copySetting();
}

bool Copysettingaction::available() const
{
    return vex.liveSetting() == from;
}
